#include "base/Result.h"

#include "base/Console.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(Error, DescribesWhatIsKnownOfThePlace) {
    EXPECT_EQ(Error("no \"Root\" line").describe(), "no \"Root\" line");
    EXPECT_EQ(Error("cannot open", "g.rsf").describe(), "g.rsf: cannot open");
    EXPECT_EQ(Error("bad id", "g.rsf", 12).describe(), "g.rsf:12: bad id");
    EXPECT_EQ(Error("bad id", "g.graphml", 3, 14).describe(), "g.graphml:3:14: bad id");
    EXPECT_EQ(Error("expected vertex", "", 7).describe(), "line 7: expected vertex");
}

TEST(Error, ControlCharactersFromAFileAreShownEscaped) {
    EXPECT_EQ(Error("node id \"1\v2\" is not a number", "g\r.rsf", 3).describe(),
              "g\\r.rsf:3: node id \"1\\v2\" is not a number");
    EXPECT_EQ(printable(std::string("a\tb\nc\x1b[2J\x7f\0d\xC3\xA9", 14)),
              "a\\tb\\nc\\x1B[2J\\x7F\\x00d\xC3\xA9");
}

TEST(Result, HoldsAValueOrTheError) {
    const Result<std::vector<int>> value(std::vector<int>{1, 2});
    ASSERT_TRUE(value.ok());
    EXPECT_EQ(value.value().size(), 2u);
    const Result<std::vector<int>> failure(Error("refused", "f", 2));
    ASSERT_FALSE(failure);
    EXPECT_EQ(failure.error().line, 2);
    const Status done;
    EXPECT_TRUE(done.ok());
    const Status failed = Error("no");
    EXPECT_FALSE(failed.ok());
    EXPECT_EQ(failed.error().reason, "no");
}

TEST(Console, StepsCompleteTheirLine) {
    testing_support::CoutCapture output;
    int ran = 0;
    console::step("Building Splines ...", [&] {
        ++ran;
        EXPECT_EQ(output.text(), "Building Splines ...") << "the heading comes first";
    });
    console::write("Reading x ...");
    console::line(" failed!");
    EXPECT_EQ(ran, 1);
    EXPECT_EQ(output.text(), "Building Splines ... done!\nReading x ... failed!\n");
}

} // namespace
