#include "io/EdgeListReader.h"

#include "tests/support/GraphText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using testing_support::outline;
using testing_support::relationNames;
using Relations = std::vector<std::string>;

CompoundGraph accepted(std::string_view text, std::string_view separator = {}) {
    Result<CompoundGraph> result = edgelist::parse(text, "list", separator);
    EXPECT_TRUE(result.ok()) << (result ? "" : result.error().describe());
    return result ? std::move(result).value() : CompoundGraph{};
}

TEST(EdgeListReaderTest, GoModGraphReadsAsItIs) {
    const CompoundGraph graph = accepted("example.com/shop golang.org/x/text@v0.3.7\n"
                                         "example.com/shop github.com/pkg/errors@v0.9.1\n"
                                         "golang.org/x/text@v0.3.7 golang.org/x/tools@v0.1.0\n");
    EXPECT_EQ(outline(graph), "list(example.com(shop) golang.org(x(text@v0.3.7 tools@v0.1.0)) "
                              "github.com(pkg(errors@v0.9.1)))");
    EXPECT_EQ(relationNames(graph),
              (Relations{"shop>text@v0.3.7", "shop>errors@v0.9.1", "text@v0.3.7>tools@v0.1.0"}));
}

TEST(EdgeListReaderTest, CsvWithHeaderQuotesCommentsAndExtraColumns) {
    const CompoundGraph graph = accepted("# exported from a spreadsheet\r\n"
                                         "Source,Target,Weight\r\n"
                                         "app.ui, app.core ,3\r\n"
                                         "\"app.core\",\"app.\"\"quoted, name\"\"\"\r\n"
                                         "\r\n");
    // The header's first two columns name it; the weights are ignored.
    EXPECT_EQ(outline(graph), "app(ui core \"quoted, name\")");
    EXPECT_EQ(relationNames(graph), (Relations{"ui>core", "core>\"quoted, name\""}));
    const CompoundGraph headed = accepted("source,target\na.x,a.y\n");
    EXPECT_EQ(outline(headed), "a(x y)");
    EXPECT_EQ(relationNames(headed), (Relations{"x>y"}));
}

TEST(EdgeListReaderTest, TabsAndBlanks) {
    EXPECT_EQ(relationNames(accepted("a::b\ta::c d\n")), (Relations{"b>c d"}));
    EXPECT_EQ(relationNames(accepted("  p.a   p.b  \n\n# note\np.b p.a\n")),
              (Relations{"a>b", "b>a"}));
}

TEST(EdgeListReaderTest, ATabComesBeforeACommaAndLinesOfOneNameListElements) {
    EXPECT_EQ(relationNames(accepted("java.util.Map<K,V>\tjava.lang.Object\n")),
              (Relations{"Map<K,V>>Object"}));
    const CompoundGraph names = accepted("app.x\n# note\napp.y\n\"app.z\"\n");
    EXPECT_EQ(outline(names), "app(x y z)");
    EXPECT_EQ(names.edgeCount(), 0);
    // Given a tab (a .tsv file), a comma does not split.
    Result<CompoundGraph> tabs =
        edgelist::parse("java.util.Map<K,V>\njava.util.List<E>\n", "list", {}, nullptr, '\t');
    ASSERT_TRUE(tabs.ok());
    EXPECT_EQ(outline(tabs.value()), "java(util(Map<K,V> List<E>))");
}

TEST(EdgeListReaderTest, LinesOfOneNameAmongRelationsAreRefused) {
    struct Case {
        const char* text;
        std::optional<char> delimiter;
        const char* reason;
        int line;
    };
    const Case cases[] = {
        {"a,b\nc\td\ne f\n", std::nullopt,
         "one name where the other lines have two, split at a comma (2 such lines; this is the "
         "first)",
         2},
        {"a\nb,c\n", std::nullopt,
         "one name where the other lines have two, split at a comma (1 such line)", 1},
        {"a b\nc\n", std::nullopt,
         "one name where the other lines have two, split at blanks (1 such line)", 2},
        {"x\ty\na,b\n", '\t',
         "one name where the other lines have two, split at a tab (1 such line)", 2},
    };
    for (const Case& c : cases) {
        Result<CompoundGraph> result = edgelist::parse(c.text, "list", {}, nullptr, c.delimiter);
        ASSERT_FALSE(result.ok()) << c.text;
        EXPECT_EQ(result.error().reason, c.reason) << c.text;
        EXPECT_EQ(result.error().line, c.line) << c.text;
    }
}

TEST(EdgeListReaderTest, BadLinesAreRefusedWithLineAndColumn) {
    struct Case {
        const char* text;
        const char* reason;
        int line;
        int column;
    };
    const Case cases[] = {
        {"a,b\nc,\"d\n", "a quoted name has no closing quote", 2, 3},
        {"a,b\n\n x , \n", "a name is empty", 3, 6},
        {"a b\nc d\"e f\n",
         "a double quote in a name between blanks (only names between commas or tabs may be "
         "quoted)",
         2, 4},
        {"a,b\n\"c\" d,e\n", "more of the name after its closing quote", 2, 5},
        {"# only a comment\n\n", "the file names no elements", 0, 0},
    };
    for (const Case& c : cases) {
        Result<CompoundGraph> result = edgelist::parse(c.text, "list");
        ASSERT_FALSE(result.ok()) << c.text;
        EXPECT_EQ(result.error().reason, c.reason) << c.text;
        EXPECT_EQ(result.error().line, c.line) << c.text;
        EXPECT_EQ(result.error().column, c.column) << c.text;
    }
}

} // namespace
