#include "frame/ColourDifference.h"

#include "frame/Palette.h"
#include "frame/SceneDrawing.h"
#include "graph/GraphComparison.h"
#include "tests/support/GraphFixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using testing_support::namedGraphOf;

TEST(ColourDifference, MeasuresAsPeopleSeeColoursApart) {
    // The differences the palette's choice rests on, worked out apart from
    // this code (a plain CIEDE2000 over CIE Lab, D65).
    EXPECT_NEAR(colourDifference(rgb(0xE69F00), rgb(0xF0E442)), 21.7, 0.05)
        << "Okabe-Ito's closest pair, orange and yellow";
    EXPECT_NEAR(colourDifference(rgb(0xD55E00), rgb(0xFF0000)), 14.0, 0.05)
        << "vermillion against the tree's red";
    EXPECT_NEAR(colourDifference(rgb(0x56B4E9), rgb(0x88CCEE)), 8.0, 0.05)
        << "sky blue against Tol's cyan";
    EXPECT_EQ(colourDifference(rgb(0x123456), rgb(0x123456)), 0.0);
    EXPECT_NEAR(colourDifference(rgb(0x000000), rgb(0xFFFFFF)), 100.0, 0.05);
}

// Eight groups of two leaves each under r, every group's first leaf related
// to the next group's second and back; the newer version adds g0's first
// leaf's relation to g7 and drops g1's to g2.
std::vector<std::pair<int, std::string>> eightGroups() {
    std::vector<std::pair<int, std::string>> nodes{{-1, "r"}};
    for (int group = 0; group < 8; ++group) {
        const int id = static_cast<int>(nodes.size());
        nodes.emplace_back(0, "g" + std::to_string(group));
        nodes.emplace_back(id, "g" + std::to_string(group) + "a");
        nodes.emplace_back(id, "g" + std::to_string(group) + "b");
    }
    return nodes;
}

std::vector<std::pair<int, int>> ringOfRelations(bool newer) {
    std::vector<std::pair<int, int>> relations;
    for (int group = 0; group < 8; ++group) {
        const int first = 2 + 3 * group;
        const int nextSecond = 3 + 3 * ((group + 1) % 8);
        if (newer || group != 1) {
            relations.emplace_back(first, nextSecond);
        }
        relations.emplace_back(nextSecond, first);
    }
    if (newer) {
        relations.emplace_back(2, 3 + 3 * 7);
    }
    return relations;
}

// Every colour that means something in the frame: the key's swatches by
// their text, the tree's red, the search marks and the highlight's ring.
std::vector<std::pair<std::string, Colour>> meaningsOf(const DrawDescription& frame,
                                                       const ViewState& view) {
    std::vector<std::pair<std::string, Colour>> meanings{{"tree", treeRed}};
    for (const LegendEntry& entry : frame.legend) {
        if (const LegendSwatch* swatch = std::get_if<LegendSwatch>(&entry)) {
            meanings.emplace_back(swatch->text, swatch->colour);
        }
    }
    if (!view.marked.empty()) {
        meanings.emplace_back("search", searchColour);
    }
    if (view.highlighted != CompoundGraph::none) {
        meanings.emplace_back("highlighted", highlightMarkColour);
    }
    return meanings;
}

TEST(ColourDifference, NoTwoMeaningsInAPictureShareAColourInAnyCombinationOfModes) {
    const Result<ComparedGraphs> both =
        compareGraphs(namedGraphOf(eightGroups(), ringOfRelations(false)),
                      namedGraphOf(eightGroups(), ringOfRelations(true)));
    ASSERT_TRUE(both);
    int pictures = 0;
    for (const bool comparing : {false, true}) {
        Scene scene;
        if (comparing) {
            scene.setGraph(both.value().graph,
                           std::make_shared<const Comparison>(both.value().comparison));
        } else {
            scene.setGraph(namedGraphOf(eightGroups(), ringOfRelations(true)));
        }
        for (const ColorBy colorBy : {ColorBy::Ramp, ColorBy::SourceGroup, ColorBy::TargetGroup}) {
            for (const bool bothWays : {false, true}) {
                for (const int32_t highlighted : {CompoundGraph::none, 2}) {
                    for (const bool searching : {false, true}) {
                        ViewSettings settings;
                        settings.colorBy = colorBy;
                        settings.markBothWays = bothWays;
                        scene.update(settings);
                        ViewState view;
                        view.highlighted = highlighted;
                        if (searching) {
                            view.marked = {5};
                        }
                        const auto meanings =
                            meaningsOf(describeScene(scene, settings, view), view);
                        ++pictures;
                        for (std::size_t i = 0; i < meanings.size(); ++i) {
                            for (std::size_t j = i + 1; j < meanings.size(); ++j) {
                                if (meanings[i].first == meanings[j].first) {
                                    continue;
                                }
                                EXPECT_GE(colourDifference(meanings[i].second, meanings[j].second),
                                          distinctColours)
                                    << meanings[i].first << " against " << meanings[j].first
                                    << " (comparing " << comparing << ", colour by "
                                    << static_cast<int>(colorBy) << ", both ways " << bothWays
                                    << ", highlighted " << highlighted << ", searching "
                                    << searching << ")";
                            }
                        }
                    }
                }
            }
        }
    }
    EXPECT_EQ(pictures, 48);
}

} // namespace
