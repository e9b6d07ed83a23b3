#include "tools/check/CheckReport.h"
#include "tools/check/ReportJson.h"
#include "tools/check/ReportText.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

using testing_support::TempFile;

RuleLine ruleLine(int line, const std::string& text, Severity severity,
                  std::vector<NamedRelation> relations) {
    RuleLine made;
    made.line = line;
    made.text = text;
    made.severity = severity;
    made.count = static_cast<int64_t>(relations.size());
    made.relations = std::move(relations);
    return made;
}

CheckReport checkedReport() {
    CheckReport report;
    report.cutLine = "Depth 2 of 2: 5 bundles of 14 relations";
    report.cyclesLine = "Cycles: 0 groups of 0 nodes; 0 relations inside them, 0 to cut";
    report.rulesChecked = true;
    report.rulesPath = "arch.rules";
    report.relations = 14;
    std::vector<NamedRelation> twelve;
    for (int i = 0; i < 12; ++i) {
        twelve.push_back({"a.X" + std::to_string(i), "b.Y"});
    }
    report.rules.push_back(ruleLine(3, "forbid a -> b", Severity::Error, twelve));
    report.rules.push_back(ruleLine(4, "acyclic *", Severity::Warning, {{"b.Y", "a.X0"}}));
    RuleLine ignore = ruleLine(5, "ignore c -> a", Severity::Error, {});
    ignore.ignore = true;
    ignore.count = 1;
    report.rules.push_back(ignore);
    return report;
}

TEST(CheckReport, TextListsTenRelationsAndCountsTheRest) {
    CheckReport report = checkedReport();
    report.warnings.push_back(Error{"pattern 'c' matches no node", "arch.rules", 5, 8});
    EXPECT_EQ(reportText(report), "Depth 2 of 2: 5 bundles of 14 relations\n"
                                  "Cycles: 0 groups of 0 nodes; 0 relations inside them, 0 to cut\n"
                                  "arch.rules:5:8: warning: pattern 'c' matches no node\n"
                                  "arch.rules:3: forbid a -> b: 12 violations\n"
                                  "  a.X0 -> b.Y\n  a.X1 -> b.Y\n  a.X2 -> b.Y\n  a.X3 -> b.Y\n"
                                  "  a.X4 -> b.Y\n  a.X5 -> b.Y\n  a.X6 -> b.Y\n  a.X7 -> b.Y\n"
                                  "  a.X8 -> b.Y\n  a.X9 -> b.Y\n"
                                  "  ... and 2 more\n"
                                  "arch.rules:4: acyclic *: 1 violation\n"
                                  "  b.Y -> a.X0\n"
                                  "arch.rules:5: ignore c -> a: 1 relation left out\n"
                                  "Rules: 13 violations (12 errors, 1 warning) in 14 relations\n");
    EXPECT_EQ(exitStatusOf(report), 1);
    report.rules[0].severity = Severity::Warning;
    EXPECT_EQ(exitStatusOf(report), 0) << "warnings never fail";
}

TEST(CheckReport, ABaselineCountsOnlyNewViolations) {
    CheckReport report = checkedReport();
    // Two of the twelve known, one of them twice, and one fixed since.
    const std::vector<NamedViolation> baseline{{"forbid a -> b", {"a.X0", "b.Y"}},
                                               {"forbid a -> b", {"a.X1", "b.Y"}},
                                               {"forbid a -> b", {"a.X1", "b.Y"}},
                                               {"forbid a -> b", {"gone", "b.Y"}}};
    compareWithBaseline(report, "old.json", baseline);
    EXPECT_EQ(report.rules[0].fresh.size(), 10u);
    EXPECT_EQ(report.rules[0].fresh.front().from, "a.X2");
    ASSERT_EQ(report.fixed.size(), 2u);
    EXPECT_EQ(report.fixed[0].relation.from, "a.X1");
    EXPECT_EQ(report.fixed[1].relation.from, "gone");
    const std::string text = reportText(report);
    EXPECT_NE(text.find("arch.rules:3: forbid a -> b: 12 violations, 10 new\n  a.X2 -> b.Y\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("Baseline old.json: 11 new violations (10 errors, 1 warning), 2 fixed\n"
                        "  forbid a -> b: a.X1 -> b.Y\n  forbid a -> b: gone -> b.Y\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(exitStatusOf(report), 1);
    report.rules[0].fresh.clear();
    EXPECT_EQ(exitStatusOf(report), 0) << "only the warning rule has new violations";
}

TEST(CheckReport, BaselinesAreReadFromReportsAndBadOnesRefused) {
    const TempFile written(reportJson(checkedReport()), "report.json");
    const Result<std::vector<NamedViolation>> read = readBaseline(written.path());
    ASSERT_TRUE(read.ok()) << read.error().describe();
    ASSERT_EQ(read.value().size(), 13u) << "the ignore line lists no violations";
    EXPECT_EQ(read.value()[11], (NamedViolation{"forbid a -> b", {"a.X11", "b.Y"}}));
    EXPECT_EQ(read.value()[12], (NamedViolation{"acyclic *", {"b.Y", "a.X0"}}));

    const TempFile broken("{\"rules\": [\n  {\"rule\": 3,,\n", "broken.json");
    const Result<std::vector<NamedViolation>> syntax = readBaseline(broken.path());
    ASSERT_FALSE(syntax.ok());
    EXPECT_EQ(syntax.error().line, 2);
    EXPECT_EQ(syntax.error().column, 14);
    const TempFile shapeless("{\"rules\": [{\"rule\": \"a\", \"relations\": [{\"from\": 1}]}]}",
                             "shapeless.json");
    const Result<std::vector<NamedViolation>> shape = readBaseline(shapeless.path());
    ASSERT_FALSE(shape.ok());
    EXPECT_EQ(shape.error().reason, "rules[0].relations[0] needs \"from\" and \"to\" texts");
}

} // namespace
