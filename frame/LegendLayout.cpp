#include "frame/LegendLayout.h"

#include <algorithm>
#include <cmath>

namespace {

// Sizes in text heights.
constexpr float padding = 0.5f;
constexpr float rowHeight = 1.3f;
constexpr float gap = 0.5f;
constexpr float swatchSize = 0.75f;
constexpr float barWidth = 7.0f;
constexpr float barHeight = 0.7f;
constexpr float tickLength = 0.25f;
constexpr float sampleLength = 2.0f;
constexpr float margin = 0.6f;
// The ramp's colours a bar blends between.
constexpr int barStops = 33;

std::string relationsText(uint32_t count) {
    return std::to_string(count) + (count == 1 ? " relation" : " relations");
}

class Builder {
public:
    Builder(const TextMeasure& measure, std::span<const Colour> ramp, float curveScale,
            const DensityScale* density)
        : measure(measure), h(measure.height()), curveScale(curveScale), density(density) {
        layout.textPixels = h;
        layout.textColour = labelColour;
        const std::size_t texels = ramp.size();
        for (int k = 0; k < barStops; ++k) {
            rampStops.push_back(
                texels == 0 ? Colour{1.0f, 1.0f, 1.0f, 1.0f}
                            : ramp[static_cast<std::size_t>(std::lround(
                                  static_cast<double>(k) * (texels - 1) / (barStops - 1)))]);
        }
        y = padding * h;
    }

    void operator()(const LegendSwatch& swatch) {
        const float size = swatchSize * h;
        layout.fills.push_back(
            {{left(), y + (rowHeight * h - size) / 2.0f, size, size}, swatch.colour});
        text({left() + size + gap * h, middle()}, swatch.text, Label::Align::Start);
        reach(size + gap * h + measure.width(swatch.text));
        y += rowHeight * h;
    }

    void operator()(const LegendRamp& ramp) {
        bar();
        text({left(), middle()}, ramp.startText, Label::Align::Start);
        text({left() + barWidth * h, middle()}, ramp.endText, Label::Align::End);
        reach(measure.width(ramp.startText) + gap * h + measure.width(ramp.endText));
        y += rowHeight * h;
    }

    void operator()(const LegendWidths& widths) {
        for (const LegendWidths::Sample& sample : widths.samples) {
            const float width = std::max(1.0f, sample.width * curveScale);
            const float row = std::max(rowHeight * h, width + gap * h);
            const float at = y + row / 2.0f;
            layout.lines.push_back(
                {{left(), at}, {left() + sampleLength * h, at}, width, layout.textColour});
            const std::string said = relationsText(sample.count);
            text({left() + (sampleLength + gap) * h, at}, said, Label::Align::Start);
            reach((sampleLength + gap) * h + measure.width(said));
            y += row;
        }
    }

    void operator()(const LegendDensity& scale) {
        const char* title = densityTitle[scale.scale == DensityScaleType::EqHist ? 1 : 0];
        text({left(), middle()}, title, Label::Align::Start);
        reach(measure.width(title));
        y += rowHeight * h;
        const float barBottom = bar();
        // The ticks' row is there whether or not the counts are known yet,
        // so that the key keeps its size.
        if (density != nullptr) {
            ticks(*density, barBottom);
        }
        y += rowHeight * h;
    }

    LegendLayout finish() {
        if (layout.empty()) {
            return {};
        }
        layout.width = right + padding * h;
        layout.height = y + padding * h;
        layout.fills.insert(layout.fills.begin(),
                            {{0.0f, 0.0f, layout.width, layout.height}, legendBoxColour});
        return std::move(layout);
    }

private:
    float left() const { return padding * h; }
    float middle() const { return y + rowHeight * h / 2.0f; }
    void reach(float width) { right = std::max(right, left() + width); }
    void text(Point anchor, std::string said, Label::Align align) {
        layout.texts.push_back({anchor, std::move(said), align});
    }
    // A bar of the ramp on a row of its own; says where its bottom is.
    float bar() {
        const float top = y + (1.0f - barHeight) * h / 2.0f;
        layout.bars.push_back({{left(), top, barWidth * h, barHeight * h}, rampStops});
        reach(barWidth * h);
        y += h;
        return top + barHeight * h;
    }
    // Ticks under the bar and their counts on the row below: the first
    // count starts at its tick, the last ends at its, the others are
    // centred on theirs. Counts that would run into others are left out,
    // the first and the last kept before those between.
    void ticks(const DensityScale& scale, float barBottom) {
        const std::vector<DensityTick> marks = densityTicks(scale);
        const std::size_t count = marks.size();
        std::vector<float> at;
        std::vector<float> starts;
        std::vector<float> ends;
        for (std::size_t k = 0; k < count; ++k) {
            at.push_back(left() + marks[k].position * barWidth * h);
            const float width = measure.width(std::to_string(marks[k].count));
            const float start = k == 0           ? at[k]
                                : k + 1 == count ? at[k] - width
                                                 : at[k] - width / 2.0f;
            starts.push_back(start);
            ends.push_back(start + width);
        }
        const auto apart = [&](std::size_t a, std::size_t b) {
            return ends[a] + gap * h <= starts[b];
        };
        std::vector<std::size_t> kept;
        if (count > 0) {
            kept.push_back(0);
        }
        const bool lastKept = count > 1 && apart(0, count - 1);
        for (std::size_t k = 1; k + 1 < count; ++k) {
            if (apart(kept.back(), k) && (!lastKept || apart(k, count - 1))) {
                kept.push_back(k);
            }
        }
        if (lastKept) {
            kept.push_back(count - 1);
        }
        for (const std::size_t k : kept) {
            layout.lines.push_back(
                {{at[k], barBottom}, {at[k], barBottom + tickLength * h}, 1.0f, layout.textColour});
            const Label::Align align = k == 0           ? Label::Align::Start
                                       : k + 1 == count ? Label::Align::End
                                                        : Label::Align::Centre;
            text({at[k], middle()}, std::to_string(marks[k].count), align);
        }
    }

    const TextMeasure& measure;
    float h;
    float curveScale;
    const DensityScale* density;
    std::vector<Colour> rampStops;
    LegendLayout layout;
    float y = 0.0f;
    float right = 0.0f;
};

} // namespace

LegendLayout layOutLegend(std::span<const LegendEntry> entries, std::span<const Colour> ramp,
                          const TextMeasure& measure, float curveScale,
                          const DensityScale* density) {
    Builder builder(measure, ramp, curveScale, density);
    for (const LegendEntry& entry : entries) {
        std::visit(builder, entry);
    }
    return builder.finish();
}

PixelBox legendPlace(const LegendLayout& layout, float areaWidth, float areaHeight) {
    const float away = margin * layout.textPixels;
    return {areaWidth - away - layout.width, areaHeight - away - layout.height, layout.width,
            layout.height};
}

double roomBeside(bool round, double x, double y, const PixelBox& box) {
    const double x0 = box.x;
    const double x1 = box.x + box.width;
    const double y0 = box.y;
    const double y1 = box.y + box.height;
    // How far the box lies from the centre sideways, and up or down.
    const double across = x0 >= x ? x0 - x : x1 <= x ? x - x1 : 0.0;
    const double along = y0 >= y ? y0 - y : y1 <= y ? y - y1 : 0.0;
    return round ? std::hypot(across, along) : std::max(across, along);
}
