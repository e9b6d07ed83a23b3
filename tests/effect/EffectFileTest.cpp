#include "effect/EffectFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(EffectFile, ReadsParametersAndTechniquesInFileOrder) {
    const Result<EffectFileContents> parse = parseEffectFile("// a comment\r\n"
                                                             "\n"
                                                             "parameter float alpha\r\n"
                                                             "  parameter\tsampler1D colorMap\n"
                                                             "technique First\n"
                                                             "// before any source: a comment\n"
                                                             "vertex\n"
                                                             "#version 120\n"
                                                             "\n"
                                                             "// kept: GLSL comment\r\n"
                                                             "fragment\n"
                                                             "void main() {}\n"
                                                             "end\n"
                                                             "technique Second\n"
                                                             "fragment\n"
                                                             "vertex\n"
                                                             "end");
    ASSERT_TRUE(parse.ok()) << parse.error().describe();
    const EffectFileContents& contents = parse.value();
    ASSERT_EQ(contents.parameters.size(), 2u);
    EXPECT_EQ(contents.parameters[0].type, "float");
    EXPECT_EQ(contents.parameters[0].name, "alpha");
    EXPECT_EQ(contents.parameters[1].type, "sampler1D");
    EXPECT_EQ(contents.parameters[1].name, "colorMap");
    ASSERT_EQ(contents.techniques.size(), 2u);
    EXPECT_EQ(contents.techniques[0].name, "First");
    EXPECT_EQ(contents.techniques[0].vertexSource, "#version 120\n\n// kept: GLSL comment\n");
    EXPECT_EQ(contents.techniques[0].fragmentSource, "void main() {}\n");
    EXPECT_EQ(contents.techniques[1].name, "Second");
    EXPECT_EQ(contents.techniques[1].vertexSource, "");
    EXPECT_EQ(contents.techniques[1].fragmentSource, "");
}

TEST(EffectFile, EmptyTextIsAnEffectWithoutTechniques) {
    const Result<EffectFileContents> parse = parseEffectFile("");
    ASSERT_TRUE(parse.ok());
    EXPECT_TRUE(parse.value().techniques.empty());
    EXPECT_TRUE(parse.value().parameters.empty());
}

TEST(EffectFile, ARepeatAmongManyNamesIsFoundAtItsLine) {
    std::string text;
    for (int i = 0; i < 50000; ++i) {
        text += "parameter float p" + std::to_string(i) + "\n";
    }
    const Result<EffectFileContents> many = parseEffectFile(text);
    ASSERT_TRUE(many.ok());
    EXPECT_EQ(many.value().parameters.size(), 50000u);
    const Result<EffectFileContents> repeated = parseEffectFile(text + "parameter float p123\n");
    ASSERT_FALSE(repeated.ok());
    EXPECT_EQ(repeated.error().describe(), "line 50001: a second parameter p123");
}

struct Malformed {
    std::string text;
    std::string error;
};

void PrintTo(const Malformed& malformed, std::ostream* out) {
    *out << ::testing::PrintToString(malformed.text.substr(0, 60));
}

class EffectFileMalformed : public testing::TestWithParam<Malformed> {};

TEST_P(EffectFileMalformed, IsRefusedWithLineAndReason) {
    const Result<EffectFileContents> parse = parseEffectFile(GetParam().text);
    ASSERT_FALSE(parse.ok());
    EXPECT_EQ(parse.error().describe(), GetParam().error);
}

const std::string validTechnique = "technique T\nvertex\nfragment\nend\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, EffectFileMalformed,
    testing::Values(
        Malformed{"\nfloat alpha\n", "line 2: expected parameter, technique or a comment"},
        Malformed{"parameter float\n", "line 1: expected: parameter <type> <name>"},
        Malformed{"parameter float a b\n", "line 1: expected: parameter <type> <name>"},
        Malformed{"parameter double a\n", "line 1: unknown parameter type double"},
        Malformed{"parameter float a\nparameter int a\n", "line 2: a second parameter a"},
        Malformed{"technique\n", "line 1: expected: technique <name>"},
        Malformed{validTechnique + validTechnique, "line 5: a second technique T"},
        Malformed{"technique T\nvoid main() {}\n", "line 2: expected vertex or fragment"},
        Malformed{"technique T\nvertex\nvertex\n", "line 3: a second vertex source in technique T"},
        Malformed{"technique T\nvertex\nend\n",
                  "line 3: technique T needs a vertex and a fragment source"},
        Malformed{"technique T\nvertex\nfragment\n", "line 3: technique T has no end"},
        Malformed{std::string("technique T\nvertex\nvoid main() {}") + '\0' + "\n",
                  "line 3: control character in the line"},
        Malformed{"parameter float a\rparameter float b\n",
                  "line 1: control character in the line"},
        Malformed{std::string(1 << 20, 'x'), "line 1: expected parameter, technique or a comment"}),
    [](const testing::TestParamInfo<Malformed>& info) {
        return "Case" + std::to_string(info.index);
    });

} // namespace
