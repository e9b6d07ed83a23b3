#include "io/GraphMlReader.h"

#include "tests/support/GraphText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testing_support::outline;
using testing_support::relationNames;
using Relations = std::vector<std::string>;

std::string graphMl(std::string_view body) {
    return std::string(R"(<?xml version="1.0" encoding="UTF-8"?>
<graphml xmlns="http://graphml.graphdrawing.org/xmlns">
  <key id="d0" for="node" attr.name="name" attr.type="string"/>
  <key id="d1" for="node" attr.name="label" attr.type="string"/>
  <key id="d2" for="node" attr.name="parent" attr.type="string"/>
  <key id="d3" for="edge" attr.name="name" attr.type="string"/>
)") + std::string(body) +
           "\n</graphml>\n";
}

CompoundGraph accepted(std::string_view text) {
    Result<CompoundGraph> result = graphml::parse(text, "model");
    EXPECT_TRUE(result.ok()) << (result ? "" : result.error().describe());
    return result ? std::move(result).value() : CompoundGraph{};
}

TEST(GraphMlReaderTest, NestedGraphsGiveTheHierarchyEdgesTheRelations) {
    const CompoundGraph graph = accepted(graphMl(R"(
  <graph id="G" edgedefault="directed">
    <node id="n0"><data key="d0">core</data>
      <graph id="n0:">
        <node id="n0::n1"><data key="d1">Parser</data></node>
        <node id="n0::n2"><data key="d0">Lexer</data><data key="d1">ignored</data></node>
      </graph>
    </node>
    <node id="n3"/>
    <edge source="n0::n1" target="n0::n2"><data key="d3">not a node name</data></edge>
    <edge source="n3" target="n0::n1"/>
    <edge source="n3" target="n0::n1"/>
    <edge source="n3" target="n3"/>
  </graph>)"));
    // Names from the name key, else the label key, else the id; two tops
    // get a root named after the file.
    EXPECT_EQ(outline(graph), "model(core(Parser Lexer) n3)");
    EXPECT_EQ(relationNames(graph), (Relations{"Parser>Lexer", "n3>Parser"}));
}

TEST(GraphMlReaderTest, EdgesMayComeBeforeTheirNodesAndOneTopIsTheRoot) {
    const CompoundGraph graph = accepted(graphMl(R"(<graph edgedefault="undirected">
    <edge source="b" target="a"/>
    <node id="top"><graph><node id="a"/><node id="b"/></graph></node>
  </graph>)"));
    EXPECT_EQ(outline(graph), "top(a b)");
    EXPECT_EQ(relationNames(graph), (Relations{"b>a"}));
}

TEST(GraphMlReaderTest, FlatFilesMayNameParentsInADataKey) {
    const CompoundGraph graph = accepted(graphMl(R"(<graph edgedefault="directed">
    <node id="x"><data key="d2">p</data></node>
    <node id="p"/>
    <node id="y"><data key="d2"> p </data></node>
    <edge source="x" target="y"/>
  </graph>)"));
    EXPECT_EQ(outline(graph), "p(x y)");
}

TEST(GraphMlReaderTest, YedNodeLabelsNameNodes) {
    const CompoundGraph graph = accepted(R"(<?xml version="1.0"?>
<graphml xmlns="http://graphml.graphdrawing.org/xmlns" xmlns:y="http://www.yworks.com/xml/graphml">
  <key for="node" id="d6" yfiles.type="nodegraphics"/>
  <graph edgedefault="directed">
    <node id="n0"><data key="d6"><y:ShapeNode><y:NodeLabel>Main
      </y:NodeLabel><y:NodeLabel>second</y:NodeLabel></y:ShapeNode></data></node>
  </graph>
</graphml>)");
    // Named after the first of its labels.
    EXPECT_EQ(outline(graph), "Main");
}

TEST(GraphMlReaderTest, BadFilesAreRefusedWithTheLine) {
    struct Case {
        std::string text;
        const char* reason;
        int line;
    };
    const Case cases[] = {
        {graphMl("<graph><node id=\"a\"/>\n<node id=\"a\"/></graph>"),
         "a second node with the id \"a\"", 8},
        {graphMl("<graph><node id=\"a\"/>\n<edge source=\"a\" target=\"zz\"/></graph>"),
         "the edge's end \"zz\" is not a node", 8},
        {graphMl("<graph><node id=\"a\"><data key=\"d2\">b</data></node>\n"
                 "<node id=\"b\"><data key=\"d2\">a</data></node></graph>"),
         "closes a cycle", 8},
        {graphMl("<graph><node id=\"a\"><data key=\"d2\">nobody</data></node></graph>"),
         "the parent \"nobody\" of node \"a\" is not a node", 7},
        {graphMl("<graph><node id=\"a\"><graph><node id=\"b\"><data key=\"d2\">c</data></node>"
                 "</graph></node><node id=\"c\"/></graph>"),
         "lies in node \"a\" but names \"c\"", 7},
        {graphMl("<graph><node/></graph>"), "a node has no id", 7},
        {graphMl("<graph><node id=\"a\"/>\n<edge source=\"a\"/></graph>"),
         "an edge needs a source and a target", 8},
        {graphMl("<graph><node id=\"a\">\n</graph>"), "mismatched tag", 8},
        {"<svg><node id=\"a\"/></svg>", "not GraphML (its outer element is <svg>)", 1},
        {graphMl("<graph/>"), "the file has no nodes", 0},
        {"<?xml version=\"1.0\"?>\n<!DOCTYPE graphml [<!ENTITY a \"aaaa\">]>\n<graphml/>",
         "declares an entity", 2},
        {"<?xml version=\"1.0\"?>\n<!DOCTYPE graphml [<!ATTLIST node id CDATA \"same\">]>\n"
         "<graphml><graph><node/><node/></graph></graphml>",
         "declares an attribute default", 2},
        {"", "no element found", 1},
    };
    for (const Case& c : cases) {
        Result<CompoundGraph> result = graphml::parse(c.text, "model");
        ASSERT_FALSE(result.ok()) << c.text;
        EXPECT_NE(result.error().reason.find(c.reason), std::string::npos) << c.text << "\n"
                                                                           << result.error().reason;
        EXPECT_EQ(result.error().line, c.line) << c.text;
    }
}

} // namespace
