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

TEST(Error, C1ControlsBidiOverridesAndStrayBytesAreShownEscaped) {
    // U+009B (CSI in UTF-8), a raw 0x9B, U+202E (right-to-left override),
    // U+2066 (left-to-right isolate); U+2026 and é stay; an overlong NUL and
    // a sequence cut short are no UTF-8.
    EXPECT_EQ(printable("a\xC2\x9B[2Jb\x9B"
                        "c\xE2\x80\xAE"
                        "d\xE2\x81\xA6"
                        "e\xE2\x80\xA6\xC3\xA9\xC0\x80"
                        "f\xE2\x80"),
              "a\\u009B[2Jb\\x9Bc\\u202Ed\\u2066e\xE2\x80\xA6\xC3\xA9\\xC0\\x80"
              "f\\xE2\\x80");
}

TEST(Error, LongTokensAreQuotedInPartAndMessagesAreCapped) {
    const std::string eighty(80, 'x');
    EXPECT_EQ(inQuotes(eighty), "\"" + eighty + "\"");
    EXPECT_EQ(inQuotes(std::string(16500, 'x')), "\"" + eighty + "...\" (16500 bytes)");
    // Cut after 80 characters, not inside one: "a" and 79 two-byte ones.
    std::string accented = "a";
    for (int i = 0; i < 100; ++i) {
        accented += "\xC3\xA9";
    }
    EXPECT_EQ(shortened(accented), accented.substr(0, 159) + "... (201 bytes)");
    EXPECT_EQ(shortened("12"), "12");

    const std::string described = Error(std::string(5000, 'y'), "g.json", 3).describe();
    EXPECT_EQ(described, "g.json:3: " + std::string(987, 'y') + "...");
    std::string wide;
    for (int i = 0; i < 3000; ++i) {
        wide += "\xC3\xA9";
    }
    // 987 bytes would end inside a character.
    EXPECT_EQ(Error(wide, "g.json", 3).describe(), "g.json:3: " + wide.substr(0, 986) + "...");
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
