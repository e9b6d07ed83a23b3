#include "io/GraphFileWriter.h"

#include "io/GraphFileReader.h"
#include "io/JsonGraphReader.h"
#include "tests/support/GraphText.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace {

using testing_support::outline;
using testing_support::relationNames;
using testing_support::TempFile;

TEST(GraphFileWriterTest, NamesLoseOnlyWhatTheLineFormatCannotHold) {
    EXPECT_EQ(graphfile::nameForLines("plain.Name_1"), "plain.Name_1");
    EXPECT_EQ(graphfile::nameForLines("two words"), "two\xC2\xA0words");
    EXPECT_EQ(graphfile::nameForLines("say \"hi\""), "say\xC2\xA0''hi''");
    EXPECT_EQ(graphfile::nameForLines("tab\there\r\n"), "tab\xC2\xA0here\xC2\xA0\xC2\xA0");
    EXPECT_EQ(graphfile::nameForLines("caf\xC3\xA9"), "caf\xC3\xA9");
}

TEST(GraphFileWriterTest, TheTextIsTheLineFormatOfTheGraph) {
    const CompoundGraph graph = jsongraph::parse(R"({"r.b": ["r.a"], "r.a": []})", "file").value();
    EXPECT_EQ(graphfile::format(graph), "HierarchyElements 3\n"
                                        "Root 0\n"
                                        "H 0 r\n"
                                        "H 1 b\n"
                                        "H 2 a\n"
                                        "PCR 0 1\n"
                                        "PCR 0 2\n"
                                        "R 1 2\n");
}

TEST(GraphFileWriterTest, AWrittenFileReadsBackToTheSameGraph) {
    const CompoundGraph graph =
        jsongraph::parse(R"([{"name": "top.my module.A \"x\"", "imports": ["top.b.C", "other"]},
                             {"name": "top.b.C", "imports": ["top.my module.A \"x\""]}])",
                         "file")
            .value();
    const TempFile folder("", "unused");
    const std::string path = (folder.folderPath() / "out.rsf").string();
    ASSERT_TRUE(graphfile::write(graph, path));
    EXPECT_FALSE(std::filesystem::exists(path + ".partial"));
    const CompoundGraph back = graphfile::read(path).value();
    EXPECT_EQ(back.parent, graph.parent);
    EXPECT_EQ(back.childIds, graph.childIds);
    EXPECT_EQ(back.source, graph.source);
    EXPECT_EQ(back.target, graph.target);
    EXPECT_EQ(back.root, graph.root);
    EXPECT_EQ(outline(back), "file(top(my\xC2\xA0module(A\xC2\xA0''x'') b(C)) other)");
    EXPECT_EQ(relationNames(back).size(), 3u);
}

TEST(GraphFileWriterTest, AFailedWriteLeavesNothingBehind) {
    const CompoundGraph graph = jsongraph::parse(R"({"a": []})", "file").value();
    const TempFile folder("", "unused");
    const std::string path = (folder.folderPath() / "missing" / "out.rsf").string();
    const Status written = graphfile::write(graph, path);
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().describe(),
              path + ": cannot write the file (No such file or directory)");
}

} // namespace
