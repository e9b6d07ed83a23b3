#include "io/GraphReading.h"

#include "io/GraphLimits.h"

#include "tests/support/GraphText.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <new>
#include <string>

namespace {

using testing_support::outline;
using testing_support::TempFile;

TEST(GraphReadingTest, TheExtensionNamesTheFormatInAnyCase) {
    EXPECT_EQ(formatOfPath("data/a.rsf"), GraphFormat::Lines);
    EXPECT_EQ(formatOfPath("deps.JSON"), GraphFormat::Json);
    for (const char* path : {"x.csv", "mod.graph.txt"}) {
        EXPECT_EQ(formatOfPath(path), GraphFormat::EdgeList) << path;
    }
    EXPECT_EQ(formatOfPath("x.TSV"), GraphFormat::TabSeparated);
    EXPECT_EQ(formatOfPath("model.GraphML"), GraphFormat::GraphMl);
    EXPECT_EQ(formatOfPath("deps.DOT"), GraphFormat::Dot);
    EXPECT_EQ(formatOfPath("deps.gv"), GraphFormat::Dot);
    for (const char* path : {"graph", "a.b/graph", ".json", "x.dotx"}) {
        EXPECT_EQ(formatOfPath(path), std::nullopt) << path;
    }
}

TEST(GraphReadingTest, EachFormatIsReadFromItsFile) {
    const TempFile json(R"({"a.x": ["a.y"]})", "deps.json");
    const TempFile list("a.x,a.y\nb.z,a.x\n", "deps.csv");
    const TempFile xml(R"(<graphml><graph><node id="r"><graph><node id="x"/></graph></node>
                          </graph></graphml>)",
                       "deps.graphml");
    const TempFile lines("HierarchyElements 1\nRoot 0\nH 0 only\n", "deps.rsf");
    EXPECT_EQ(outline(readGraph(json.path()).value()), "a(x y)");
    // Two tops: the root is named after the file.
    EXPECT_EQ(outline(readGraph(list.path()).value()), "deps(a(x y) b(z))");
    EXPECT_EQ(outline(readGraph(xml.path()).value()), "r(x)");
    EXPECT_EQ(outline(readGraph(lines.path()).value()), "only");
    // The separator given splits the names.
    EXPECT_EQ(outline(readGraph(list.path(), {"x"}).value()), "deps(a. a.y b.z)");
}

TEST(GraphReadingTest, ATsvFileIsSplitAtTabsOnly) {
    const std::string types = "java.util.Map<K,V>\njava.util.List<E>\n";
    const TempFile tabs(types, "types.tsv");
    EXPECT_EQ(outline(readGraph(tabs.path()).value()), "java(util(Map<K,V> List<E>))");
    // In a .csv file the comma splits the first line.
    const TempFile commas(types, "types.csv");
    EXPECT_EQ(readGraph(commas.path()).error().line, 2);
}

TEST(GraphReadingTest, AnEmptyFileSaysSo) {
    for (const char* name : {"g.rsf", "g.json", "g.csv", "g.graphml", "g"}) {
        const TempFile empty("", name);
        Result<CompoundGraph> result = readGraph(empty.path());
        ASSERT_FALSE(result.ok()) << name;
        EXPECT_EQ(result.error().describe(), empty.path() + ": the file is empty");
        const TempFile blank("\xEF\xBB\xBF \n\t\r\n", name);
        EXPECT_EQ(readGraph(blank.path()).error().reason,
                  "the file is empty but for blanks and line ends")
            << name;
    }
}

TEST(GraphReadingTest, MessagesQuoteOnlyAPieceOfALongToken) {
    const std::string x(16500, 'x');
    const std::string piece = "\"" + std::string(80, 'x') + "...\" (16500 bytes)";
    const auto reason = [](const std::string& text, GraphFormat format) {
        Result<CompoundGraph> result = parseGraph(text, format, "g");
        return result ? std::string() : result.error().reason;
    };
    EXPECT_EQ(reason("HierarchyElements 2\nRoot " + x + "\n", GraphFormat::Lines),
              "node id " + piece + " is not a number");
    EXPECT_EQ(reason("HierarchyElements " + std::string(16500, '1') + "\n", GraphFormat::Lines),
              "node count " + std::string(80, '1') +
                  "... (16500 bytes) is above the limit of 16777216");
    EXPECT_EQ(
        reason("<graphml><graph><node id=\"" + x + "\"/><node id=\"" + x + "\"/></graph></graphml>",
               GraphFormat::GraphMl),
        "a second node with the id " + piece);
}

TEST(GraphReadingTest, RunningOutOfMemoryRefusesTheGraph) {
    const Result<int> refused =
        graphlimits::withinMemory<int>([]() -> Result<int> { throw std::bad_alloc(); });
    ASSERT_FALSE(refused.ok());
    EXPECT_TRUE(refused.error().reason.starts_with("there is not enough memory for this graph; "));
    EXPECT_TRUE(refused.error().reason.ends_with(" MiB are available")) << "with the amount";
    EXPECT_EQ(graphlimits::withinMemory<int>([] { return Result<int>(3); }).value(), 3);
}

TEST(GraphReadingTest, ContentOfAnotherFormatIsRefusedNamingThePath) {
    struct Case {
        const char* text;
        const char* name;
        const char* reason;
    };
    const Case cases[] = {
        {"HierarchyElements 1\n", "g.json",
         "the name says JSON, but the content is no JSON object or array (starting with 'H')"},
        {"{\"a\": []}", "g.rsf", "the name says the line format, but the content is JSON"},
        {"<graphml/>", "g.csv", "the name says an edge list, but the content is XML"},
        {"[1]", "g.graphml", "the name says GraphML, but the content is JSON"},
        {"<graphml/>", "g.gv", "the name says DOT, but the content is XML"},
    };
    for (const Case& c : cases) {
        const TempFile file(c.text, c.name);
        Result<CompoundGraph> result = readGraph(file.path());
        ASSERT_FALSE(result.ok()) << c.name;
        EXPECT_EQ(result.error().path, file.path());
        EXPECT_EQ(result.error().reason.find(c.reason), 0u) << result.error().reason;
    }
}

TEST(GraphReadingTest, AnUnknownExtensionIsReadByItsContent) {
    const TempFile json("\n  [{\"name\": \"p.q\"}]", "deps.out");
    EXPECT_EQ(outline(readGraph(json.path()).value()), "p(q)");
    const TempFile lines("HierarchyElements 1\nRoot 0\nH 0 n\n", "graph");
    EXPECT_EQ(outline(readGraph(lines.path()).value()), "n");
    const TempFile dot(
        "\xEF\xBB\xBF// made by hand\n/* a\n b */\n# 1 \"deps.dot\"\nStrict DiGraph {a -> b}",
        "deps.out");
    EXPECT_EQ(outline(readGraph(dot.path()).value()), "deps(a b)");
}

TEST(GraphReadingTest, ErrorsNameThePathAndTheLine) {
    const TempFile bad("[{\"name\": \"a\"},\n {\"name\": 1}]", "bad.json");
    Result<CompoundGraph> result = readGraph(bad.path());
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().describe().find(bad.path() + ":2:"), 0u) << result.error().describe();
}

} // namespace
