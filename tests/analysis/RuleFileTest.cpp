#include "analysis/RuleFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string refusal(const std::string& text) {
    const Result<RuleSet> rules = rulefile::parse(text, "arch.rules");
    return rules ? "accepted" : rules.error().describe();
}

TEST(RuleFile, ReadsEveryKindOfLine) {
    const Result<RuleSet> read =
        rulefile::parse("# the layers\n"
                        "layers ui > core strict   # used before the lines that define them\n"
                        "layer ui   org.app org.gui\n"
                        "layer core org.core\n"
                        "\n"
                        "forbid ui -> org.db.** warn \"through core # not a comment\"\n"
                        "independent org.plugins.* \n"
                        "acyclic org.*   error\n"
                        "ignore org.test.** -> ui\n",
                        "arch.rules");
    ASSERT_TRUE(read.ok()) << read.error().describe();
    const RuleSet& rules = read.value();
    ASSERT_EQ(rules.layers.size(), 2u);
    EXPECT_EQ(rules.layers[0].name, "ui");
    EXPECT_EQ(rules.layers[0].line, 3);
    ASSERT_EQ(rules.layers[0].patterns.size(), 2u);
    EXPECT_EQ(rules.patterns[static_cast<std::size_t>(rules.layers[0].patterns[1])].pattern.text(),
              "org.gui");
    ASSERT_EQ(rules.rules.size(), 5u);

    const Rule& layers = rules.rules[0];
    EXPECT_EQ(layers.kind, Rule::Kind::Layers);
    EXPECT_EQ(layers.line, 2);
    EXPECT_EQ(layers.text, "layers ui > core strict");
    EXPECT_EQ(layers.layers, (std::vector<int32_t>{0, 1}));
    EXPECT_TRUE(layers.strict);

    const Rule& forbid = rules.rules[1];
    EXPECT_EQ(forbid.kind, Rule::Kind::Forbid);
    EXPECT_EQ(forbid.from.layer, 0) << "a layer's name names the layer";
    ASSERT_GE(forbid.to.pattern, 0);
    EXPECT_EQ(rules.patterns[static_cast<std::size_t>(forbid.to.pattern)].pattern.text(),
              "org.db.**");
    EXPECT_EQ(rules.patterns[static_cast<std::size_t>(forbid.to.pattern)].column, 14);
    EXPECT_EQ(forbid.severity, Severity::Warning);
    EXPECT_EQ(forbid.reason, "through core # not a comment");
    EXPECT_EQ(forbid.text, "forbid ui -> org.db.** warn \"through core # not a comment\"");

    EXPECT_EQ(rules.rules[2].kind, Rule::Kind::Independent);
    EXPECT_EQ(rules.rules[2].severity, Severity::Error);
    EXPECT_EQ(rules.rules[3].kind, Rule::Kind::Acyclic);
    const Rule& ignore = rules.rules[4];
    EXPECT_EQ(ignore.kind, Rule::Kind::Ignore);
    EXPECT_EQ(ignore.from.layer, -1);
    EXPECT_EQ(ignore.to.layer, 0);
}

TEST(RuleFile, BadLinesAreRefusedWithLineAndColumn) {
    EXPECT_EQ(refusal("layer a x\nforbidd a -> b\n"),
              "arch.rules:2:1: unknown rule 'forbidd': a line starts with layer, layers, forbid, "
              "independent, acyclic or ignore");
    EXPECT_EQ(refusal("layer a x\nlayers a > b\n"),
              "arch.rules:2:12: no layer named 'b' (a 'layer' line defines one)");
    EXPECT_EQ(refusal("forbid a.b => c\n"),
              "arch.rules:1:12: expected '->' between FROM and TO, found '=>'");
    EXPECT_EQ(refusal("  independent org.\\q\n"),
              "arch.rules:1:19: bad pattern 'org.\\q': '\\' must come before '.', '*' or '\\' in "
              "a pattern");
    EXPECT_EQ(refusal("acyclic a.*** warn\n"),
              "arch.rules:1:11: bad pattern 'a.***': a pattern has * or **, not ***");
    EXPECT_EQ(refusal("forbid a -> b error \"why\n"), "arch.rules:1:21: a quote left open");
    EXPECT_EQ(refusal("layer a x\nlayer a y\n"),
              "arch.rules:2:7: layer 'a' is defined on line 1 already");
    EXPECT_EQ(refusal("layer a x\nlayer b y\nlayers a -> b\n"),
              "arch.rules:3:10: expected '>' between layers, found '->'");
    EXPECT_EQ(refusal("layer a x\nlayers a\n"),
              "arch.rules:2:9: 'layers' needs two layers or more, joined by '>'");
    EXPECT_EQ(refusal("forbid a -> b fatal\n"),
              "arch.rules:1:15: unexpected 'fatal': the rule ends in [error|warn] [\"reason\"]");
    EXPECT_EQ(refusal("ignore a -> b warn\n"),
              "arch.rules:1:15: unexpected 'warn' after an ignore rule's TO");
    EXPECT_EQ(refusal("layer a.b x\n"),
              "arch.rules:1:7: 'a.b' is not a layer name: letters, digits, '_' and '-'");
    EXPECT_EQ(refusal("acyclic\n"), "arch.rules:1:8: 'acyclic' needs a pattern");

    // What a file may cost is bounded.
    EXPECT_EQ(refusal("# " + std::string(rulefile::maxLineBytes, 'x') + "\n"),
              "arch.rules:1:4097: a line longer than 4096 bytes");
    std::string many;
    for (std::size_t i = 0; i <= rulefile::maxStatements; ++i) {
        many += "acyclic a\n";
    }
    EXPECT_EQ(refusal(many), "arch.rules:1001: more than 1000 rules and layers");
}

} // namespace
