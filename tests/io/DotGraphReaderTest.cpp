#include "io/DotGraphReader.h"

#include "tests/support/GraphText.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

namespace {

using testing_support::outline;
using testing_support::relationNames;
using Relations = std::vector<std::string>;

CompoundGraph accepted(std::string_view text, DotNames names = DotNames::Id,
                       std::string_view separator = {},
                       std::vector<std::string>* warnings = nullptr) {
    Result<CompoundGraph> result =
        dotgraph::parse(text, "deps", separator, names, nullptr, warnings);
    EXPECT_TRUE(result.ok()) << (result ? "" : result.error().describe());
    return result ? std::move(result).value() : CompoundGraph{};
}

TEST(DotGraphReaderTest, DependencyCruiserClustersRepeatPerModule) {
    // As `depcruise -T dot` writes it: each module inside the clusters of
    // its folders, written again for every module.
    const std::string text = R"(strict digraph "dependency-cruiser output"{
    rankdir="LR" splines="true" compound="true"
    node [shape="box" style="rounded, filled" fillcolor="#ffffcc"]
    subgraph "cluster_src" {label="src" subgraph "cluster_src/app" {label="app" "src/app/main.js" [label=<main.js> URL="src/app/main.js"] } }
    "src/app/main.js" -> "src/lib/util.js"
    "src/app/main.js" -> "src/app/main.js"
    subgraph "cluster_src" {label="src" subgraph "cluster_src/lib" {label="lib" "src/lib/util.js" [label=<<b>util</b>.js>] } }
    "src/app/main.js" -> "src/lib/util.js" [xlabel="again"]
    subgraph "cluster_test" {label="test" "test/a.test.js" [label=<a&#46;test &amp;<BR/> js>] }
    "test/a.test.js" -> "src/lib/util.js"
})";
    const CompoundGraph byLabel = accepted(text, DotNames::Label);
    EXPECT_EQ(outline(byLabel), "deps(src(app(main.js) lib(util.js)) test(a.test & js))");
    // The repeat and the module importing itself are dropped.
    EXPECT_EQ(relationNames(byLabel), (Relations{"main.js>util.js", "a.test & js>util.js"}));
    // By ID, the modules keep their paths, unsplit inside their clusters.
    EXPECT_EQ(outline(accepted(text)),
              "deps(src(app(src/app/main.js) lib(src/lib/util.js)) test(test/a.test.js))");
}

TEST(DotGraphReaderTest, ANodeStaysInTheFirstClusterItAppearsIn) {
    std::vector<std::string> warnings;
    const CompoundGraph graph = accepted("digraph { w -> z\n"
                                         "  subgraph cluster_a { x y subgraph cluster_b { z } }\n"
                                         "  subgraph cluster_c { x -> y }\n"
                                         "  subgraph cluster_a { z } }",
                                         DotNames::Id, {}, &warnings);
    // z, first met outside every cluster, is in b; a holds b, so z in a
    // is no conflict, while c does not hold a.
    EXPECT_EQ(outline(graph), "deps(w a(x y b(z)) c)");
    EXPECT_EQ(relationNames(graph), (Relations{"w>z", "x>y"}));
    EXPECT_EQ(warnings,
              (std::vector<std::string>{"Warning: 2 nodes appear in two clusters, neither inside "
                                        "the other; each is kept in the first."}));
}

TEST(DotGraphReaderTest, PydepsLabelsAndBazelFactoredNodes) {
    const std::string pydeps = R"(digraph G {
    concentrate = true;
    node [style=filled,fillcolor="#ffffff",fontname=Helvetica,fontsize=10];
    shop_cart -> shop_price [fillcolor="#5a4cb3",minlen="2"];
    shop_cart -> requests;
    shop_price -> shop_util;
    requests [fillcolor="#ef8f82",label="\N"];
    shop_cart [fillcolor="#3f3fbf",fontcolor="#ffffff",label="shop\.\ncart"];
    shop_price [label="shop\.\nprice"];
    shop_util [label="shop\.\nutil"];
})";
    const CompoundGraph byLabel = accepted(pydeps, DotNames::Label);
    EXPECT_EQ(outline(byLabel), "deps(shop(cart price util) requests)");
    EXPECT_EQ(relationNames(byLabel), (Relations{"cart>price", "cart>requests", "price>util"}));
    EXPECT_EQ(outline(accepted(pydeps)), "deps(shop_cart shop_price requests shop_util)");
    EXPECT_EQ(outline(accepted(pydeps, DotNames::Id, "_")), "deps(shop(cart price util) requests)");

    // `bazel query --output graph` puts targets with the same relations
    // into one node, a line each.
    const CompoundGraph bazel = accepted(R"(digraph mygraph {
  node [shape=box];
  "//src/app:main"
  "//src/app:main" -> "//src/lib:a\n//src/lib:b"
  "//src/lib:a\n//src/lib:b" -> "//src/base:core"
})");
    EXPECT_EQ(outline(bazel), "src(app:main lib:a lib:b base:core)");
    EXPECT_EQ(relationNames(bazel), (Relations{"app:main>lib:a", "app:main>lib:b",
                                               "lib:a>base:core", "lib:b>base:core"}));
}

TEST(DotGraphReaderTest, LabelsReadTheirEscapesAndMarkup) {
    const CompoundGraph graph = accepted(R"(digraph { subgraph cluster_names {
    a [label="x\\y"]  b [label="\N.py\l"]  c [label=<&#x41;&lt;b&gt;  &foo; &#0;>]
    d [label=""]  e [label=< <b> </b> >]  f [label="tab\tend"] } })",
                                         DotNames::Label);
    // An empty label, or one that leaves nothing, names the node by its ID.
    EXPECT_EQ(outline(graph), "names(x\\y b.py A<b> &foo; &#0; d e tabtend)");
}

TEST(DotGraphReaderTest, EveryPieceOfTheLanguage) {
    const CompoundGraph graph = accepted(R"(/* a comment */ // and another
# 1 "preprocessed.dot"
STRICT Graph first {
  Node [color=red]; EDGE [style=dashed] graph [rankdir=LR]
  size = "4,4",
  k:port1:n -- "quoted \"q\"" -- 3.5
  "multi" + "part"; -.5 -- <html <i>id</i>>
  subgraph cluster_outer_x { label = "Outer\nBox"
    a; subgraph cluster_inner { b -- {c d} }
    { e f } -- g
  }
  subgraph plain { h }
  "line \
continued" -- a
}
digraph second { a -> {b h} -> i  a -> a  subgraph cluster_inner { j } }
)",
                                         DotNames::Id, "::");
    EXPECT_EQ(outline(graph), "deps(k quoted \"q\" 3.5 multipart -.5 html <i>id</i> "
                              "OuterBox(a inner(b c d j) e f g) h line continued i)");
    EXPECT_EQ(relationNames(graph),
              (Relations{"k>quoted \"q\"", "quoted \"q\">3.5", "-.5>html <i>id</i>", "b>c", "b>d",
                         "e>g", "f>g", "line continued>a", "a>b", "a>h", "b>i", "h>i"}));
    EXPECT_EQ(graph.nodeCount(), 20);
}

TEST(DotGraphReaderTest, ErrorsGiveTheLineAndColumn) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"digraph {\n  a ->\n}\n", "line 3:1: expected a node or a subgraph after \"->\""},
        {"graph { a -> b }", "line 1:11: \"->\" in an undirected graph, whose edges are \"--\""},
        {"digraph { a -- b }", "line 1:13: \"--\" in a digraph, whose edges are \"->\""},
        {"digraph { a } x", "line 1:15: expected \"graph\" or \"digraph\""},
        {"strict { a }", "line 1:8: expected \"graph\" or \"digraph\" after \"strict\""},
        {"digraph g a", "line 1:11: expected \"{\" to open the graph"},
        {"digraph { subgraph s a }", "line 1:22: expected \"{\" to open the subgraph"},
        {"digraph { Node a }", "line 1:16: expected \"[\" after \"Node\""},
        {"digraph { a [color red] }", "line 1:20: expected \"=\" after the attribute's name"},
        {"digraph { a [label=] }", "line 1:20: expected a value after \"=\""},
        {"digraph { a [label=b; ->] }", "line 1:23: expected an attribute name or \"]\""},
        {"digraph { a:]", "line 1:13: expected a port after \":\""},
        {"digraph { -> a }", "line 1:11: expected a statement, found \"->\""},
        {"digraph {\n a -> b", "line 2:8: expected \"}\" before the end of the file"},
        {"digraph { \"a\" + b }", "line 1:15: expected a double-quoted string after \"+\""},
        {"digraph {\n a -> \"b }", "line 2:7: a double-quoted string has no closing quote"},
        {"digraph { a -> <b<i>c</i> }", "line 1:16: an HTML string has no closing \">\""},
        {"digraph { a /* b }", "line 1:13: a comment has no closing \"*/\""},
        {"digraph { a @ b }", "line 1:13: unexpected character \"@\""},
        {"digraph { 1a }",
         "line 1:11: a number runs into \"a\"; an ID that starts with a digit needs double "
         "quotes"},
        {"digraph { }", "the file has no nodes"},
    };
    for (const Case& c : cases) {
        Result<CompoundGraph> result = dotgraph::parse(c.text, "deps");
        ASSERT_FALSE(result.ok()) << c.text;
        EXPECT_EQ(result.error().describe(), c.message) << c.text;
    }
}

TEST(DotGraphReaderTest, ACancelStopsTheReading) {
    std::string text = "digraph {\n";
    while (text.size() < (std::size_t{3} << 20)) {
        text += "a" + std::to_string(text.size()) + " -> b\n";
    }
    Progress progress;
    progress.cancel();
    const Result<CompoundGraph> result =
        dotgraph::parse(text + "}", "deps", {}, DotNames::Id, &progress);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().reason, cancelledReason);
}

TEST(DotGraphReaderTest, ClustersNestedDeepCostNoStackAndLittleTime) {
    constexpr int depth = 100000;
    std::string text = "digraph {";
    for (int level = 0; level < depth; ++level) {
        text += " subgraph cluster_" + std::to_string(level) + " {";
    }
    text += " leaf " + std::string(depth, '}') + " }";
    const auto start = std::chrono::steady_clock::now();
    const CompoundGraph graph = accepted(text);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    ASSERT_EQ(graph.nodeCount(), depth + 1);
    EXPECT_EQ(graph.name(graph.root), "0");
    EXPECT_EQ(graph.depth[static_cast<std::size_t>(depth)], static_cast<uint32_t>(depth));
#ifdef __OPTIMIZE__
    EXPECT_LT(took.count(), 1.0);
#endif
}

} // namespace
