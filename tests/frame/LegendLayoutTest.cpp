#include "frame/LegendLayout.h"

#include "frame/DensityScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

// Ten pixels a character, twenty a line.
class FixedMeasure : public TextMeasure {
public:
    float width(std::string_view text) const override {
        return 10.0f * static_cast<float>(text.size());
    }
    float height() const override { return 20.0f; }
};

// Six pixels: one uncovered, three of count 1, one of 2, one of 100.
const std::vector<float> counts{0.0f, 1.0f, 1.0f, 1.0f, 2.0f, 100.0f};

TEST(DensityScale, EqualisingGivesEachCountTheShareOfPixelsItCovers) {
    const DensityScale log(counts, DensityScaleType::Log);
    EXPECT_EQ(log.largest(), 100.0f);
    EXPECT_EQ(log.smallest(), 1.0f);
    // Log squeezes four of the five covered pixels into the ramp's lower
    // quarter: log 2 / log 101 and log 3 / log 101.
    EXPECT_NEAR(log.position(1.0f), 0.1502, 1e-4);
    EXPECT_NEAR(log.position(2.0f), 0.2380, 1e-4);
    EXPECT_FLOAT_EQ(log.position(100.0f), 1.0f);
    EXPECT_TRUE(log.ranks().empty());
    // Equalised, each count sits at the share of pixels below it plus half
    // its own: 1 at 1.5 / 5, 2 at 3.5 / 5, 100 at 4.5 / 5.
    const DensityScale equalised(counts, DensityScaleType::EqHist);
    EXPECT_FLOAT_EQ(equalised.position(1.0f), 0.3f);
    EXPECT_FLOAT_EQ(equalised.position(2.0f), 0.7f);
    EXPECT_FLOAT_EQ(equalised.position(100.0f), 0.9f);
    ASSERT_EQ(equalised.ranks().size(), 101u);
    EXPECT_FLOAT_EQ(equalised.ranks()[50], 0.8f) << "a count no pixel has, between 2 and 100";
    // The counts a key shows at four even places: the log scale's whole
    // counts reaching 0, 1/3, 2/3 and 1 (101^(1/3) - 1 = 3.66 falls short
    // at 3), the equalised scale's counts that pixels have.
    const std::vector<DensityTick> logTicks = densityTicks(log);
    ASSERT_EQ(logTicks.size(), 4u);
    EXPECT_EQ(logTicks[0].count, 1u);
    EXPECT_EQ(logTicks[1].count, 4u);
    EXPECT_EQ(logTicks[2].count, 21u);
    EXPECT_EQ(logTicks[3].count, 100u);
    EXPECT_NEAR(logTicks[1].position, std::log(5.0) / std::log(101.0), 1e-6);
    const std::vector<DensityTick> equalTicks = densityTicks(equalised);
    ASSERT_EQ(equalTicks.size(), 3u);
    EXPECT_EQ(equalTicks[1].count, 2u);
    EXPECT_FLOAT_EQ(equalTicks[1].position, 0.7f);
    EXPECT_EQ(equalTicks[2].count, 100u);
    EXPECT_TRUE(densityTicks(DensityScale()).empty()) << "nothing covered";
}

TEST(LegendLayout, RowsOfSwatchesAndTheRampInTextHeights) {
    const FixedMeasure measure;
    const Colour red{1.0f, 0.0f, 0.0f, 1.0f};
    const Colour green{0.0f, 1.0f, 0.0f, 1.0f};
    const Colour blue{0.0f, 0.0f, 1.0f, 1.0f};
    const std::vector<LegendEntry> entries{LegendSwatch{red, "abc"},
                                           LegendRamp{"source", "target"}};
    const std::vector<Colour> ramp{red, green, blue};
    const LegendLayout layout = layOutLegend(entries, ramp, measure);
    // Padding 10, rows of 26, a swatch of 15 and its text 10 after it; the
    // bar 140 by 14, its texts on the row under it.
    EXPECT_EQ(layout.width, 160.0f);
    EXPECT_EQ(layout.height, 92.0f);
    ASSERT_EQ(layout.fills.size(), 2u);
    EXPECT_EQ(layout.fills[0].colour, legendBoxColour);
    EXPECT_EQ(layout.fills[0].box.width, 160.0f);
    EXPECT_EQ(layout.fills[1].colour, red);
    EXPECT_EQ(layout.fills[1].box.x, 10.0f);
    EXPECT_EQ(layout.fills[1].box.y, 15.5f);
    ASSERT_EQ(layout.bars.size(), 1u);
    EXPECT_EQ(layout.bars[0].box.y, 39.0f);
    EXPECT_EQ(layout.bars[0].box.width, 140.0f);
    EXPECT_EQ(layout.bars[0].colours.front(), red);
    EXPECT_EQ(layout.bars[0].colours.back(), blue);
    ASSERT_EQ(layout.texts.size(), 3u);
    EXPECT_EQ(layout.texts[0].anchor, (Point{35.0f, 23.0f}));
    EXPECT_EQ(layout.texts[1].anchor, (Point{10.0f, 69.0f}));
    EXPECT_EQ(layout.texts[2].anchor, (Point{150.0f, 69.0f}));
    EXPECT_EQ(layout.texts[2].align, Label::Align::End);
    // In a 1000 by 800 area, 12 pixels from the bottom right corner.
    const PixelBox place = legendPlace(layout, 1000.0f, 800.0f);
    EXPECT_EQ(place.x, 828.0f);
    EXPECT_EQ(place.y, 696.0f);
    EXPECT_TRUE(layOutLegend({}, ramp, measure).empty());
}

TEST(LegendLayout, DensityCountsThatWouldRunIntoOthersAreLeftOut) {
    const FixedMeasure measure;
    const DensityScale equalised(counts, DensityScaleType::EqHist);
    const std::vector<LegendEntry> entries{LegendDensity{DensityScaleType::EqHist}};
    const LegendLayout unknown = layOutLegend(entries, {}, measure);
    const LegendLayout known = layOutLegend(entries, {}, measure, 1.0f, &equalised);
    EXPECT_EQ(known.height, unknown.height) << "the key keeps its size once counts are known";
    EXPECT_EQ(known.width, unknown.width);
    // Along the bar from x = 10, 140 wide: 1 at 52, 2 at 108, 100 at 136.
    // "100" ends at its tick and "2", centred on its, would meet it.
    ASSERT_EQ(known.texts.size(), 3u);
    EXPECT_EQ(known.texts[0].text, "relations per pixel (eq-hist)");
    EXPECT_EQ(known.texts[1].text, "1");
    EXPECT_FLOAT_EQ(known.texts[1].anchor.x, 52.0f);
    EXPECT_EQ(known.texts[1].align, Label::Align::Start);
    EXPECT_EQ(known.texts[2].text, "100");
    EXPECT_FLOAT_EQ(known.texts[2].anchor.x, 136.0f);
    EXPECT_EQ(known.texts[2].align, Label::Align::End);
    EXPECT_EQ(known.lines.size(), 2u) << "a tick per count shown";

    // Forty pixels: 16 of 10, 6 of 11, 10 of 12, 7 of 13, one of 14, each
    // count ranked at the middle of its share: ticks at 38 (10), 76.5 (11),
    // 104.5 (12) and 148.25 (14). "11" would run into "10" and is left out;
    // "12" is then measured against "10", which it clears, though it would
    // run into the "11" left out.
    std::vector<float> forty;
    for (const auto& [count, pixels] :
         std::vector<std::pair<float, int>>{{10, 16}, {11, 6}, {12, 10}, {13, 7}, {14, 1}}) {
        forty.insert(forty.end(), static_cast<std::size_t>(pixels), count);
    }
    const DensityScale five(forty, DensityScaleType::EqHist);
    const LegendLayout spaced = layOutLegend(entries, {}, measure, 1.0f, &five);
    std::vector<std::string> shown;
    for (std::size_t k = 1; k < spaced.texts.size(); ++k) {
        shown.push_back(spaced.texts[k].text);
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"10", "12", "14"}));
}

TEST(LegendLayout, ThePicturesRoomBesideTheKey) {
    const PixelBox box{3.0f, 4.0f, 10.0f, 10.0f};
    EXPECT_DOUBLE_EQ(roomBeside(true, 0.0, 0.0, box), 5.0) << "a disc reaches the near corner";
    EXPECT_DOUBLE_EQ(roomBeside(false, 0.0, 0.0, box), 4.0) << "a square passes above it";
    EXPECT_DOUBLE_EQ(roomBeside(false, 5.0, 5.0, box), 0.0) << "the centre under the key";
}

} // namespace
