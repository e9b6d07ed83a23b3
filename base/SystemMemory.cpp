#include "base/SystemMemory.h"

#include <sys/resource.h>

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <string>

namespace {

std::string fileText(const std::string& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// A whole number at the start of the text; nothing for another text
// ("max", an empty file).
std::optional<uint64_t> numberOf(std::string_view text) {
    uint64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end == text.data()) {
        return std::nullopt;
    }
    return value;
}

std::optional<uint64_t> addressSpaceLeft() {
    rlimit limit{};
    if (getrlimit(RLIMIT_AS, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) {
        return std::nullopt;
    }
    const std::optional<uint64_t> mapped = kibibytesOf(fileText("/proc/self/status"), "VmSize");
    return leftUnder(static_cast<uint64_t>(limit.rlim_cur), mapped ? *mapped * 1024 : 0);
}

// What a control group's memory limit leaves beside the group's use: the
// files' names differ between cgroup v2 and v1.
std::optional<uint64_t> groupLeft(const std::string& folder, const char* limit, const char* usage) {
    const std::optional<uint64_t> used = numberOf(fileText(folder + "/" + usage));
    return leftUnder(numberOf(fileText(folder + "/" + limit)), used.value_or(0));
}

std::optional<uint64_t> controlGroupLeft() {
    // "0::/path" under cgroup v2, "N:memory:/path" under v1.
    std::istringstream lines(fileText("/proc/self/cgroup"));
    std::string line;
    while (std::getline(lines, line)) {
        if (line.starts_with("0::")) {
            const std::string path = line.substr(3);
            return groupLeft("/sys/fs/cgroup" + (path == "/" ? std::string() : path), "memory.max",
                             "memory.current");
        }
        if (const std::size_t at = line.find(":memory:"); at != std::string::npos) {
            const std::string path = line.substr(at + 8);
            return groupLeft("/sys/fs/cgroup/memory" + (path == "/" ? std::string() : path),
                             "memory.limit_in_bytes", "memory.usage_in_bytes");
        }
    }
    return std::nullopt;
}

std::optional<uint64_t> least(std::optional<uint64_t> a, std::optional<uint64_t> b) {
    if (a && b) {
        return std::min(*a, *b);
    }
    return a ? a : b;
}

} // namespace

std::optional<uint64_t> kibibytesOf(std::string_view text, std::string_view key) {
    std::size_t at = 0;
    while ((at = text.find(key, at)) != std::string_view::npos) {
        const bool lineStart = at == 0 || text[at - 1] == '\n';
        const std::size_t after = at + key.size();
        if (lineStart && after < text.size() && text[after] == ':') {
            std::string_view rest = text.substr(after + 1);
            rest.remove_prefix(std::min(rest.find_first_not_of(" \t"), rest.size()));
            if (const std::optional<uint64_t> kibibytes = numberOf(rest)) {
                return *kibibytes;
            }
            return std::nullopt;
        }
        at = after;
    }
    return std::nullopt;
}

std::optional<uint64_t> leftUnder(std::optional<uint64_t> limit, uint64_t used) {
    if (!limit) {
        return std::nullopt;
    }
    return *limit > used ? *limit - used : 0;
}

std::optional<uint64_t> availableMemoryBytes() {
    const std::optional<uint64_t> machine = kibibytesOf(fileText("/proc/meminfo"), "MemAvailable");
    return least(least(machine ? std::optional(*machine * 1024) : std::nullopt, addressSpaceLeft()),
                 controlGroupLeft());
}
