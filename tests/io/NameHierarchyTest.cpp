#include "io/NameHierarchy.h"

#include "tests/support/GraphText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testing_support::outline;
using testing_support::relationNames;

using Names = std::vector<std::string_view>;

TEST(NameHierarchyTest, SeparatorIsTheFirstKindThatATenthOfTheNamesHold) {
    EXPECT_EQ(detectSeparator(Names{"a.b", "a.c"}), ".");
    EXPECT_EQ(detectSeparator(Names{"std::vector", "std::map"}), "::");
    // Paths with file extensions split at the slashes.
    EXPECT_EQ(detectSeparator(Names{"src/app.js", "src/util/x.js", "index.js"}), "/");
    // One odd name among many does not decide.
    Names dotted(20, "pkg.mod");
    dotted.push_back("odd/name");
    EXPECT_EQ(detectSeparator(dotted), ".");
    EXPECT_EQ(detectSeparator(Names{"alpha", "beta"}), "");
    // Exactly a tenth decides; less does not.
    Names ten(9, "plain");
    ten.push_back("a.b");
    EXPECT_EQ(detectSeparator(ten), ".");
    Names eleven(10, "plain");
    eleven.push_back("a.b");
    EXPECT_EQ(detectSeparator(eleven), "");
}

Names splitName(std::string_view name, std::string_view separator) {
    Names parts;
    NameParts walk(name, separator);
    std::string_view part;
    while (walk.next(part)) {
        parts.push_back(part);
    }
    return parts;
}

TEST(NameHierarchyTest, SplittingSkipsEmptyParts) {
    EXPECT_EQ(splitName("a.b.c", "."), (Names{"a", "b", "c"}));
    EXPECT_EQ(splitName("/usr//lib/", "/"), (Names{"usr", "lib"}));
    EXPECT_EQ(splitName("a::b:c", "::"), (Names{"a", "b:c"}));
    EXPECT_EQ(splitName("...", "."), (Names{"..."}));
    EXPECT_EQ(splitName("a.b", ""), (Names{"a.b"}));
}

CompoundGraph built(NameHierarchy& names, std::string_view separator = {}) {
    Result<CompoundGraph> graph = names.finish("file", separator);
    EXPECT_TRUE(graph.ok()) << (graph ? "" : graph.error().describe());
    return graph ? std::move(graph).value() : CompoundGraph{};
}

TEST(NameHierarchyTest, PrefixesBecomeInnerNodesInTheOrderMet) {
    NameHierarchy names;
    const int32_t cluster = names.element("flare.analytics.cluster").value();
    const int32_t graph = names.element("flare.analytics.graph").value();
    const int32_t query = names.element("flare.query.And").value();
    ASSERT_TRUE(names.relate(cluster, query));
    ASSERT_TRUE(names.relate(query, graph));
    const CompoundGraph result = built(names);
    // One top-level name: it is the root.
    EXPECT_EQ(outline(result), "flare(analytics(cluster graph) query(And))");
    EXPECT_EQ(relationNames(result), (std::vector<std::string>{"cluster>And", "And>graph"}));
}

TEST(NameHierarchyTest, SeveralTopsGetARootNamedAfterTheFile) {
    NameHierarchy names;
    const int32_t a = names.element("a.x").value();
    const int32_t b = names.element("b").value();
    ASSERT_TRUE(names.relate(a, b));
    EXPECT_EQ(outline(built(names)), "file(a(x) b)");
}

TEST(NameHierarchyTest, ANameThatIsAlsoAPrefixIsOneNodeWithRelationsAndChildren) {
    NameHierarchy names;
    const int32_t parent = names.element("a.b").value();
    const int32_t child = names.element("a.b.c").value();
    ASSERT_TRUE(names.relate(child, parent));
    const CompoundGraph result = built(names);
    EXPECT_EQ(outline(result), "a(b(c))");
    EXPECT_EQ(relationNames(result), (std::vector<std::string>{"c>b"}));
}

TEST(NameHierarchyTest, MixedSeparatorsSplitOnlyAtTheChosenOne) {
    NameHierarchy names;
    const int32_t app = names.element("src/app.js").value();
    const int32_t util = names.element("src/util/format.js").value();
    const int32_t index = names.element("index.js").value();
    ASSERT_TRUE(names.relate(index, app));
    ASSERT_TRUE(names.relate(app, util));
    EXPECT_EQ(outline(built(names)), "file(src(app.js util(format.js)) index.js)");
    // Given explicitly, the dot splits instead.
    EXPECT_EQ(outline(built(names, ".")), "file(src/app(js) src/util/format(js) index(js))");
}

TEST(NameHierarchyTest, RepeatsAndSelfRelationsAreDroppedBothDirectionsKept) {
    NameHierarchy names;
    const int32_t a = names.element("p.a").value();
    const int32_t b = names.element("p.b").value();
    EXPECT_EQ(names.element("p.a").value(), a);
    for (const auto& [from, to] : {std::pair{a, b}, {a, b}, {b, a}, {a, a}}) {
        ASSERT_TRUE(names.relate(from, to));
    }
    EXPECT_EQ(relationNames(built(names)), (std::vector<std::string>{"a>b", "b>a"}));
}

TEST(NameHierarchyTest, NamesThatSplitAlikeAreOneNode) {
    NameHierarchy names;
    const int32_t a = names.element("x.y").value();
    const int32_t b = names.element("x..y").value();
    ASSERT_TRUE(names.relate(a, b));
    const CompoundGraph result = built(names);
    EXPECT_EQ(outline(result), "x(y)");
    // Their relation would relate a node to itself.
    EXPECT_EQ(result.edgeCount(), 0);
}

} // namespace
