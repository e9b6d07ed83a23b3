#include "model/Scene.h"

#include "model/GraphLoading.h"
#include "tests/support/Fnv.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testing_support::CoutCapture;
using testing_support::Fnv;

// Fingerprints of every stage result for the shipped graphs, recorded from
// the viewer before its computation moved into layers: routes, spans and
// levels per graph; positions, mixed points with arc lengths, and the range
// of lengths per layout and strength. Any change of a single bit fails.
struct GraphPrint {
    const char* graph;
    const char* routes;
    const char* spans;
    uint32_t maxDepth;
};

struct StagePrint {
    const char* graph;
    int32_t layout;
    float beta;
    const char* positions;
    const char* curves;
    float minLength;
    float maxLength;
};

const GraphPrint graphPrints[] = {
    {"small", "0d4ff63dec928278", "9027f8ec6d2f61bf", 3},
    {"jhotdraw-mini", "d7a224f6ec1f2679", "0ef5a0c62d4e3199", 5},
    {"jhotdraw", "87a4a402725e7c68", "90a89e3b2a5a20de", 6},
};

const StagePrint stagePrints[] = {
    {"small", 0, 1.0f, "65ebfbdb39421059", "15d667320617c79f", 0.36887297f, 1.65191805f},
    {"small", 0, 0.35f, "65ebfbdb39421059", "14bbc1572e09dce9", 0.36887297f, 1.60626471f},
    {"small", 1, 1.0f, "6812952c2ab112ba", "0fc3b3ff4a3c530b", 0.356000125f, 1.88710487f},
    {"small", 1, 0.35f, "6812952c2ab112ba", "e8ce836ccf9cef19", 0.282595932f, 1.11463761f},
    {"small", 2, 1.0f, "4d92a6e25fcf4c6e", "9269e106bd27196d", 0.49000001f, 1.61586833f},
    {"small", 2, 0.35f, "4d92a6e25fcf4c6e", "dccd4d3301d26bc5", 0.48999998f, 1.30565202f},
    {"small", 3, 1.0f, "808dc7ac35ab93d2", "61a94a1e88da9dcc", 0.283750057f, 1.62767851f},
    {"small", 3, 0.35f, "808dc7ac35ab93d2", "e9d87e68260e651e", 0.283750057f, 1.30849779f},
    {"small", 4, 1.0f, "20851debef87c3ea", "4af10703c2051ac2", 0.283750117f, 1.62767851f},
    {"small", 4, 0.35f, "20851debef87c3ea", "acf7e51c3cd89dcf", 0.283750057f, 1.30849791f},
    {"jhotdraw-mini", 0, 1.0f, "ed5267bdaaba0043", "cb04afd964a58413", 0.161642969f, 1.99920595f},
    {"jhotdraw-mini", 0, 0.35f, "ed5267bdaaba0043", "10cb1a8f15ee995d", 0.0596304908f, 1.62373734f},
    {"jhotdraw-mini", 1, 1.0f, "f04408a82a60abbf", "893fe75e3e68d382", 0.200240865f, 2.49861312f},
    {"jhotdraw-mini", 1, 0.35f, "f04408a82a60abbf", "906925602878fc41", 0.0706215203f, 1.96263075f},
    {"jhotdraw-mini", 2, 1.0f, "e4f07f043789ef4f", "37a6496c6a55340d", 0.0271233022f, 2.81489372f},
    {"jhotdraw-mini", 2, 0.35f, "e4f07f043789ef4f", "1f2e8202b37626a9", 0.0271233022f, 2.43991041f},
    {"jhotdraw-mini", 3, 1.0f, "74df81d4e386af33", "b5a2dcbb853fe479", 0.0830000043f, 2.5519166f},
    {"jhotdraw-mini", 3, 0.35f, "74df81d4e386af33", "180ba22c00f7028b", 0.0820369124f, 2.51174974f},
    {"jhotdraw-mini", 4, 1.0f, "711c9d6c63bc98d1", "a682f67a8c6d0f78", 0.0951768681f, 2.54999852f},
    {"jhotdraw-mini", 4, 0.35f, "711c9d6c63bc98d1", "8e0bd4a21b4b7162", 0.0735088512f, 2.19650459f},
    {"jhotdraw", 0, 1.0f, "6b8a2be390129312", "da66394f36503589", 0.133856252f, 1.89320505f},
    {"jhotdraw", 0, 0.35f, "6b8a2be390129312", "f50e66f5b5077928", 0.0478825234f, 1.63948572f},
    {"jhotdraw", 1, 1.0f, "f5fcbd02057067e8", "2baa4da4f34f1d19", 0.166717172f, 2.46533966f},
    {"jhotdraw", 1, 0.35f, "f5fcbd02057067e8", "4e5846093598c165", 0.0585285053f, 1.92548847f},
    {"jhotdraw", 2, 1.0f, "72c852f41eca23ff", "132c5ff41e591958", 0.0234971941f, 2.88547826f},
    {"jhotdraw", 2, 0.35f, "72c852f41eca23ff", "79b8c99d40c533fa", 0.0150799751f, 2.5110209f},
    {"jhotdraw", 3, 1.0f, "5b1849d54a448bfb", "c345aadcd69a3474", 0.0517149568f, 2.72281742f},
    {"jhotdraw", 3, 0.35f, "5b1849d54a448bfb", "658d8f8846ff622f", 0.0451773182f, 2.41846728f},
    {"jhotdraw", 4, 1.0f, "0efa52e360604d1d", "c55197f4142d644d", 0.0497207344f, 2.80894566f},
    {"jhotdraw", 4, 0.35f, "0efa52e360604d1d", "ff28ff4815491163", 0.0423768163f, 2.40124488f},
};

Scene loadShipped(const std::string& name) {
    Scene scene;
    CoutCapture quiet;
    EXPECT_TRUE(loadGraphFile(scene, "data/Graphs/" + name + ".rsf").ok()) << quiet.text();
    return scene;
}

TEST(StageNumbers, RoutesSpansAndLevelsOfTheShippedGraphs) {
    for (const GraphPrint& print : graphPrints) {
        SCOPED_TRACE(print.graph);
        const Scene scene = loadShipped(print.graph);
        Fnv routes;
        for (int32_t edge = 0; edge < scene.routes().edgeCount(); ++edge) {
            const std::span<const int32_t> polygon = scene.routes().polygon(edge);
            routes.add(polygon.data(), polygon.size_bytes());
        }
        Fnv spans;
        const TreeLayoutData& data = scene.layoutData();
        for (std::size_t i = 0; i < data.level.size(); ++i) {
            spans.add(&data.offset[i], sizeof(float));
            spans.add(&data.width[i], sizeof(float));
            spans.add(&data.level[i], sizeof(uint32_t));
        }
        EXPECT_EQ(routes.hex(), print.routes);
        EXPECT_EQ(spans.hex(), print.spans);
        EXPECT_EQ(data.maxDepth, print.maxDepth);
    }
}

TEST(StageNumbers, PositionsCurvesAndLengthsInEveryLayout) {
    std::string loaded;
    Scene scene;
    for (const StagePrint& print : stagePrints) {
        SCOPED_TRACE(std::string(print.graph) + " layout " + std::to_string(print.layout) +
                     " beta " + std::to_string(print.beta));
        if (loaded != print.graph) {
            scene = loadShipped(print.graph);
            loaded = print.graph;
        }
        ViewSettings settings;
        settings.layoutType = static_cast<TreeLayoutType>(print.layout);
        settings.beta = print.beta;
        scene.update(settings);
        Fnv positions;
        positions.add(scene.positions().data(), scene.positions().size_bytes());
        Fnv curves;
        curves.add(scene.curves().points.data(), scene.curves().points.span().size_bytes());
        for (const float length : scene.curves().arcLength) {
            curves.add(&length, sizeof length);
        }
        EXPECT_EQ(positions.hex(), print.positions);
        EXPECT_EQ(curves.hex(), print.curves);
        EXPECT_EQ(scene.curves().minLength, print.minLength);
        EXPECT_EQ(scene.curves().maxLength, print.maxLength);
    }
}

} // namespace
