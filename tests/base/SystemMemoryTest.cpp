#include "base/SystemMemory.h"

#include <sys/resource.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

TEST(SystemMemory, ProcFileLinesAndLimitsAreRead) {
    const std::string status =
        "Name:\thebview\nXVmSize:\t5 kB\nVmSize:\t  123456 kB\nVmRSS: 10 kB\n";
    EXPECT_EQ(kibibytesOf(status, "VmSize"), 123456u) << "not the key inside another";
    EXPECT_EQ(kibibytesOf(status, "VmRSS"), 10u);
    EXPECT_EQ(kibibytesOf(status, "VmSwap"), std::nullopt);
    EXPECT_EQ(kibibytesOf("VmSize:\tmany kB\n", "VmSize"), std::nullopt);
    EXPECT_EQ(leftUnder(std::nullopt, 5), std::nullopt) << "no limit";
    EXPECT_EQ(leftUnder(100, 30), 70u);
    EXPECT_EQ(leftUnder(100, 130), 0u) << "past its limit nothing is left";
}

TEST(SystemMemory, AnAddressSpaceLimitBoundsWhatIsAvailable) {
    const std::optional<uint64_t> unlimited = availableMemoryBytes();
    ASSERT_TRUE(unlimited.has_value());
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_AS, &before), 0);
    // 256 MiB beyond what the process maps now, as "ulimit -v" would set.
    const std::optional<uint64_t> mapped = [] {
        std::ifstream file("/proc/self/status");
        const std::string text((std::istreambuf_iterator<char>(file)),
                               std::istreambuf_iterator<char>());
        return kibibytesOf(text, "VmSize");
    }();
    ASSERT_TRUE(mapped.has_value());
    const uint64_t room = uint64_t{256} << 20;
    rlimit capped = before;
    capped.rlim_cur = static_cast<rlim_t>(*mapped * 1024 + room);
    ASSERT_EQ(setrlimit(RLIMIT_AS, &capped), 0);
    const std::optional<uint64_t> available = availableMemoryBytes();
    ASSERT_EQ(setrlimit(RLIMIT_AS, &before), 0);
    ASSERT_TRUE(available.has_value());
    EXPECT_LE(*available, room);
    EXPECT_GT(*available, room / 2) << "the file reads map little";
}

} // namespace
