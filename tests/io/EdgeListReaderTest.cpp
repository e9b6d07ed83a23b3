#include "io/EdgeListReader.h"

#include "tests/support/GraphText.h"

#include <gtest/gtest.h>

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
                                         "\r\n"
                                         "app.lonely\r\n");
    // The header's first two columns name it; the weights are ignored.
    EXPECT_EQ(outline(graph), "app(ui core \"quoted, name\" lonely)");
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

TEST(EdgeListReaderTest, BadLinesAreRefusedWithLineAndColumn) {
    Result<CompoundGraph> open = edgelist::parse("a,b\nc,\"d\n", "list");
    ASSERT_FALSE(open.ok());
    EXPECT_EQ(open.error().reason, "a quoted name has no closing quote");
    EXPECT_EQ(open.error().line, 2);
    EXPECT_EQ(open.error().column, 3);
    Result<CompoundGraph> empty = edgelist::parse("a,b\n\n x , \n", "list");
    ASSERT_FALSE(empty.ok());
    EXPECT_EQ(empty.error().reason, "a name is empty");
    EXPECT_EQ(empty.error().line, 3);
    Result<CompoundGraph> nothing = edgelist::parse("# only a comment\n\n", "list");
    ASSERT_FALSE(nothing.ok());
    EXPECT_EQ(nothing.error().reason, "the file names no elements");
}

} // namespace
