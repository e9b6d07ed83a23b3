#include "io/JsonGraphReader.h"

#include "tests/support/GraphText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testing_support::outline;
using testing_support::relationNames;
using Relations = std::vector<std::string>;

CompoundGraph accepted(std::string_view text, std::string_view separator = {}) {
    Result<CompoundGraph> result = jsongraph::parse(text, "deps", separator);
    EXPECT_TRUE(result.ok()) << (result ? "" : result.error().describe());
    return result ? std::move(result).value() : CompoundGraph{};
}

Error refused(std::string_view text) {
    Result<CompoundGraph> result = jsongraph::parse(text, "deps");
    EXPECT_FALSE(result.ok());
    return result ? Error() : result.error();
}

TEST(JsonGraphReaderTest, AListOfNamedElementsWithImports) {
    // The shape of the classic edge-bundling data: other keys are ignored,
    // whatever their values hold.
    const CompoundGraph graph = accepted(R"([
        {"name": "viz.data.Table", "size": 4116, "imports": ["viz.util.Sort", "viz.data.Tuple"]},
        {"name": "viz.data.Tuple", "imports": [], "meta": {"a": [1, {"imports": ["x"]}]}},
        {"imports": ["viz.data.Table"], "name": "viz.util.Sort"}
    ])");
    EXPECT_EQ(outline(graph), "viz(data(Table Tuple) util(Sort))");
    EXPECT_EQ(relationNames(graph), (Relations{"Table>Sort", "Table>Tuple", "Sort>Table"}));
}

TEST(JsonGraphReaderTest, AMapFromModulesToTheirImports) {
    // madge --json: paths, so the slash separates.
    const CompoundGraph madge = accepted(R"({
        "src/app.js": ["src/lib/db.js", "src/lib/log.js"],
        "src/lib/db.js": ["src/lib/log.js"],
        "src/lib/log.js": []
    })");
    EXPECT_EQ(outline(madge), "src(app.js lib(db.js log.js))");
    EXPECT_EQ(relationNames(madge), (Relations{"app.js>db.js", "app.js>log.js", "db.js>log.js"}));
    // pydeps --show-deps: each module an object; an imported module that
    // has no entry of its own is still a node; two top-level names get a
    // root named after the file.
    const CompoundGraph pydeps = accepted(R"({
        "shop.cart": {"bacon": 1, "imports": ["shop.price", "requests"], "name": "shop.cart"},
        "shop.price": {"imported_by": ["shop.cart"], "path": null}
    })");
    EXPECT_EQ(outline(pydeps), "deps(shop(cart price) requests)");
    EXPECT_EQ(relationNames(pydeps), (Relations{"cart>price", "cart>requests"}));
}

TEST(JsonGraphReaderTest, RepeatsSelfImportsAndAGivenSeparator) {
    const CompoundGraph graph =
        accepted(R"({"a::b": ["a::c", "a::c", "a::b"], "a::c": ["a::b"]})", "::");
    EXPECT_EQ(outline(graph), "a(b c)");
    EXPECT_EQ(relationNames(graph), (Relations{"b>c", "c>b"}));
}

TEST(JsonGraphReaderTest, BadInputIsRefusedWithTheLineAndColumn) {
    struct Case {
        const char* text;
        const char* reason;
        int line;
    };
    const Case cases[] = {
        {"[{\"name\": \"a\",\n \"imports\": [\"b\"", "syntax error", 2},
        {"[{\"name\": 5}]", "\"name\" is not a string", 1},
        {"[\n{\"imports\": [\"b\"]}\n]", "an element has no \"name\"", 2},
        {"[{\"name\": \"a\", \"imports\": \"b\"}]", "\"imports\" is not a list", 1},
        {"[{\"name\": \"a\",\n \"imports\": [\"b\", 7]}]", "an import is not a string", 2},
        {"[\"a.b\"]", "an entry of the list is not an object", 1},
        {"{\"a\": 3}", "the imports of \"a\" are not a list", 1},
        {"42", "neither a list of elements nor a map", 1},
        {"[{\"name\": \"\"}]", "a name is empty", 1},
        {"[]", "the file names no elements", 0},
        {"", "syntax error", 1},
        {"{\"a\": []} {", "syntax error", 1},
        {"[{\"name\": \"a\", \"name\": \"b\"}]", "an element has a second \"name\"", 1},
    };
    for (const Case& c : cases) {
        const Error error = refused(c.text);
        EXPECT_NE(error.reason.find(c.reason), std::string::npos) << c.text << ": " << error.reason;
        EXPECT_EQ(error.line, c.line) << c.text;
    }
    // The column points into the line at the fault.
    const Error wrongType = refused("[{\"name\": \"a\"},\n  {\"name\": true}]");
    EXPECT_EQ(wrongType.line, 2);
    EXPECT_GE(wrongType.column, 12);
    EXPECT_LE(wrongType.column, 16);
    // At the second string, where a comma should be.
    const Error missingComma = refused(R"({"a": ["x" "y"]})");
    EXPECT_EQ(missingComma.line, 1);
    EXPECT_EQ(missingComma.column, 14);
}

TEST(JsonGraphReaderTest, NullImportsAreNone) {
    EXPECT_EQ(outline(accepted(R"([{"name": "a.x", "imports": null}, {"name": "a.y"}])")),
              "a(x y)");
    const CompoundGraph map = accepted(R"({"a.x": {"imports": null}, "a.y": null})");
    EXPECT_EQ(outline(map), "a(x y)");
    EXPECT_EQ(map.edgeCount(), 0);
}

TEST(JsonGraphReaderTest, NumbersOfAnySizeInIgnoredKeysAreIgnored) {
    const std::string huge = "-1" + std::string(400, '0') + ".5e-3";
    const CompoundGraph graph =
        accepted(R"([{"name": "a.x", "size": 1e99999, "imports": ["a.y"]}, {"name": "a.z", "w": )" +
                 huge + "}]");
    EXPECT_EQ(outline(graph), "a(x y z)");
    EXPECT_EQ(relationNames(graph), (Relations{"x>y"}));
    // Where a number is wrong, the message is ours, without the parser's.
    EXPECT_EQ(refused(R"([{"name": 1e99999}])").reason, "\"name\" is not a string");
}

TEST(JsonGraphReaderTest, MessagesQuoteOnlyAPieceOfALongKeyOrToken) {
    const std::string x(16500, 'x');
    const std::string eighty(80, 'x');
    EXPECT_EQ(refused("{\"" + x + "\": 3}").reason,
              "the imports of \"" + eighty + "...\" (16500 bytes) are not a list");
    EXPECT_EQ(refused("[\"" + x).reason,
              "syntax error while parsing value - invalid string: missing closing quote; last "
              "read: '\"" +
                  std::string(79, 'x') + "...' (16501 bytes)");
    const std::string digits = "1" + std::string(500, '0');
    EXPECT_EQ(refused("[" + digits + ".x]").reason,
              "syntax error while parsing value - invalid number; expected digit after '.'; last "
              "read: '" +
                  digits.substr(0, 80) + "...' (503 bytes)");
}

TEST(JsonGraphReaderTest, ImportsBeforeTheNameAreRelatedOnce) {
    const CompoundGraph graph =
        accepted(R"([{"imports": ["p.b", "p.b", "p.c", "p.b"], "size": 3, "name": "p.a"}])");
    // Met in the order of the file.
    EXPECT_EQ(outline(graph), "p(b c a)");
    EXPECT_EQ(relationNames(graph), (Relations{"a>b", "a>c"}));
}

TEST(JsonGraphReaderTest, DeepNestingInIgnoredKeysCostsNoStack) {
    const std::string deep = std::string(100000, '[') + std::string(100000, ']');
    const CompoundGraph graph = accepted("[{\"name\": \"a\", \"x\": " + deep + "}]");
    EXPECT_EQ(graph.nodeCount(), 1);
}

TEST(JsonGraphReaderTest, AByteOrderMarkIsSkipped) {
    EXPECT_EQ(outline(accepted("\xEF\xBB\xBF{\"a.b\": [\"a.c\"]}")), "a(b c)");
}

} // namespace
