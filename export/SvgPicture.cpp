#include "export/SvgPicture.h"

#include "base/Utf8.h"

#include "frame/DrawList.h"
#include "frame/LegendLayout.h"
#include "frame/RampColours.h"
#include "settings/BlendModeType.h"
#include "settings/ViewSettings.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>
#include <numbers>
#include <variant>

namespace {

// DejaVu Sans, as the label atlas lays out a line of it: the line's height
// is ascent plus descent, the baseline lies an ascent below the line's top,
// and the em is the line height over (ascent + descent) in ems.
constexpr double ascentEm = 0.928;
constexpr double descentEm = 0.236;

// Scene coordinates to the picture's user units (y down).
class Mapping {
public:
    Mapping(const FrameRegion& region, int pixels)
        : left(region.bounds().x0), top(region.bounds().y1), scale(region.pixelsPerUnit(pixels)) {}

    double x(double sceneX) const { return (sceneX - left) * scale; }
    double y(double sceneY) const { return (top - sceneY) * scale; }

private:
    double left;
    double top;
    double scale;
};

bool allowedInXml(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

// Gathers the document's text and, with a sink, hands it on in pieces of
// about pieceBytes, so that a document of millions of curves never lies in
// memory whole.
constexpr std::size_t pieceBytes = std::size_t{1} << 20;

class Writer {
public:
    explicit Writer(const TextSink* sink = nullptr) : sink(sink) {}

    void raw(std::string_view text) {
        out.append(text);
        if (sink != nullptr && out.size() >= pieceBytes) {
            flush();
        }
    }
    void flush() {
        if (sink != nullptr && !out.empty()) {
            (*sink)(out);
            out.clear();
        }
    }
    // A number with at most two decimals, without trailing zeros.
    void number(double value) {
        char buffer[32];
        const double rounded = std::round(value * 100.0) / 100.0;
        int length = std::snprintf(buffer, sizeof buffer, "%.2f", rounded == 0.0 ? 0.0 : rounded);
        while (length > 0 && buffer[length - 1] == '0') {
            --length;
        }
        if (length > 0 && buffer[length - 1] == '.') {
            --length;
        }
        out.append(buffer, static_cast<std::size_t>(length));
    }
    void point(const Mapping& map, double x, double y) {
        number(map.x(x));
        raw(" ");
        number(map.y(y));
    }
    // Text with the characters XML reserves escaped, and U+FFFD for each
    // broken UTF-8 sequence and each character XML forbids, so that any name
    // makes a document that parses.
    void text(std::string_view text) {
        while (!text.empty()) {
            const Utf8Character c = firstCharacter(text);
            if (!c.wellFormed || !allowedInXml(c.codePoint)) {
                raw("\xEF\xBF\xBD");
            } else if (c.codePoint == '&') {
                raw("&amp;");
            } else if (c.codePoint == '<') {
                raw("&lt;");
            } else if (c.codePoint == '>') {
                raw("&gt;");
            } else if (c.codePoint == '"') {
                raw("&quot;");
            } else {
                raw(text.substr(0, c.length));
            }
            text.remove_prefix(c.length);
        }
    }

    std::string out;

private:
    const TextSink* sink;
};

// A <rect> element's opening tag up to its place and size.
void openRect(Writer& w, const Mapping& map, const Rect& r) {
    w.raw("<rect x=\"");
    w.number(map.x(r.x0));
    w.raw("\" y=\"");
    w.number(map.y(r.y1));
    w.raw("\" width=\"");
    w.number(map.x(r.x1) - map.x(r.x0));
    w.raw("\" height=\"");
    w.number(map.y(r.y0) - map.y(r.y1));
    w.raw("\"");
}

void writeFills(Writer& w, const Mapping& map, const FillSet& fills) {
    w.raw("<g>\n");
    for (std::size_t i = 0; i < fills.rectangles.size(); ++i) {
        openRect(w, map, fills.rectangles[i]);
        w.raw(" fill=\"");
        w.raw(hexColour(fills.colours[i]));
        w.raw("\"/>\n");
    }
    w.raw("</g>\n");
}

void writeLines(Writer& w, const Mapping& map, const LineSet& lines) {
    if (lines.empty()) {
        return;
    }
    w.raw("<g fill=\"none\" stroke=\"");
    w.raw(hexColour(lines.colour));
    w.raw("\" stroke-width=\"");
    w.number(lines.width);
    w.raw("\"");
    if (lines.blended && lines.colour.a < 1.0f) {
        w.raw(" stroke-opacity=\"");
        w.number(lines.colour.a);
        w.raw("\"");
    }
    w.raw(">\n");
    for (std::size_t ring = 0; ring < lines.ringCount(); ++ring) {
        w.raw("<polygon points=\"");
        for (int v = 0; v < LineSet::ringVertexCount; ++v) {
            const Point& p =
                lines.ringVertices[ring * LineSet::ringVertexCount + static_cast<std::size_t>(v)];
            w.raw(v == 0 ? "" : " ");
            w.point(map, p.x, p.y);
        }
        w.raw("\"/>\n");
    }
    for (const Rect& r : lines.rectangles) {
        openRect(w, map, r);
        w.raw("/>\n");
    }
    if (!lines.segments.empty()) {
        w.raw("<path d=\"");
        for (std::size_t s = 0; s + 1 < lines.segments.size(); s += 2) {
            w.raw(s == 0 ? "M" : " M");
            w.point(map, lines.segments[s].x, lines.segments[s].y);
            w.raw(" L");
            w.point(map, lines.segments[s + 1].x, lines.segments[s + 1].y);
        }
        w.raw("\"/>\n");
    }
    w.raw("</g>\n");
}

// One curve as a group of its pieces, each piece in one colour.
void writeCurve(Writer& w, const Mapping& map, const CurveSet& curves, int32_t curve,
                std::span<const Colour> ramp) {
    const auto samples = static_cast<int32_t>(curves.parameters.size());
    const bool usesRamp = curves.colorRamp >= 1 && curves.colorRamp <= colorRampCount;
    const BlendModeType mode = curves.blendMode;
    // Piece k covers the samples from k (samples - 1) / steps on; a dashed
    // curve is one piece, so that its dashes run on from end to end.
    const bool dashed = curves.dashedCurve(curve);
    const int32_t steps = dashed ? 1 : std::min<int32_t>(curveColourSteps, samples - 1);
    const auto c = static_cast<std::size_t>(curve);
    const Colour* fixed = curves.fixedColourOf(curve);
    const float opacity = curves.opacity[c] * (fixed != nullptr ? fixed->a : 1.0f);
    const float* points = curves.points.data() + 2 * c * static_cast<std::size_t>(samples);
    w.raw("<g");
    if (!curves.widths.empty()) {
        w.raw(" stroke-width=\"");
        w.number(curves.widthOf(curve));
        w.raw("\"");
    }
    if (dashed) {
        w.raw(" stroke-dasharray=\"12 8\"");
    }
    if (mode == BlendModeType::Max) {
        w.raw(" style=\"mix-blend-mode:lighten\"");
    } else if (mode != BlendModeType::None && opacity < 1.0f) {
        w.raw(" opacity=\"");
        w.number(opacity);
        w.raw("\"");
    }
    w.raw(">");
    for (int32_t k = 0; k < steps; ++k) {
        const int32_t first = k * (samples - 1) / steps;
        const int32_t last = (k + 1) * (samples - 1) / steps;
        const Colour colour = fixed != nullptr ? *fixed
                              : usesRamp
                                  ? rampColour(ramp, steps == 1 ? 0.0 : double(k) / (steps - 1))
                                  : Colour{1.0f, 1.0f, 1.0f, 1.0f};
        w.raw("<path stroke=\"");
        w.raw(hexColour(colour));
        w.raw("\" d=\"M");
        for (int32_t j = first; j <= last; ++j) {
            w.raw(j == first ? "" : " ");
            w.point(map, points[2 * j], points[2 * j + 1]);
        }
        w.raw("\"/>");
    }
    w.raw("</g>\n");
}

void writeCurves(Writer& w, const Mapping& map, const CurveSet& curves,
                 std::span<const Colour> ramp) {
    if (curves.parameters.size() < 2 || curves.placeCount() == 0) {
        return;
    }
    w.raw("<g id=\"curves\" fill=\"none\" stroke-width=\"");
    w.number(curves.width);
    w.raw("\" stroke-linejoin=\"round\">\n");
    if (curves.kindNames.empty()) {
        for (int32_t place = 0; place < curves.placeCount(); ++place) {
            writeCurve(w, map, curves, curves.curveAt(place), ramp);
        }
    }
    // Curves of a kind together, in the kinds' order, each kind in the
    // drawing order.
    for (std::size_t kind = 0; kind < curves.kindNames.size(); ++kind) {
        w.raw("<g id=\"");
        w.text(curves.kindNames[kind]);
        w.raw("\">\n");
        for (int32_t place = 0; place < curves.placeCount(); ++place) {
            const int32_t curve = curves.curveAt(place);
            if (curves.kindIndex[static_cast<std::size_t>(curve)] == kind) {
                writeCurve(w, map, curves, curve, ramp);
            }
        }
        w.raw("</g>\n");
    }
    w.raw("</g>\n");
}

// Opens a group of text lines textPixels high; says how far below a line's
// middle its baseline lies.
double openText(Writer& w, float textPixels, const Colour& colour) {
    const double em = textPixels / (ascentEm + descentEm);
    w.raw("<g font-family=\"DejaVu Sans, sans-serif\" font-size=\"");
    w.number(em);
    w.raw("\" fill=\"");
    w.raw(hexColour(colour));
    w.raw("\">\n");
    return ascentEm * em - textPixels / 2.0;
}

// Ends a <text> element's opening tag with its alignment, then writes its
// text and closes it.
void finishText(Writer& w, Label::Align align, std::string_view text) {
    if (align == Label::Align::Centre) {
        w.raw(" text-anchor=\"middle\"");
    } else if (align == Label::Align::End) {
        w.raw(" text-anchor=\"end\"");
    }
    w.raw(">");
    w.text(text);
    w.raw("</text>\n");
}

void writeLabels(Writer& w, const Mapping& map, std::span<const Label> labels, float textPixels,
                 const Colour& colour) {
    if (labels.empty()) {
        return;
    }
    // The line's middle lies on the anchor; the baseline below it.
    const double baseline = openText(w, textPixels, colour);
    for (const Label& label : labels) {
        w.raw("<text transform=\"translate(");
        w.point(map, label.anchor.x, label.anchor.y);
        w.raw(") rotate(");
        w.number(-label.angle * 180.0 / std::numbers::pi);
        w.raw(")\" y=\"");
        w.number(baseline);
        w.raw("\"");
        finishText(w, label.align, label.text);
    }
    w.raw("</g>\n");
}

void writeBox(Writer& w, const PixelBox& box) {
    w.raw("<rect x=\"");
    w.number(box.x);
    w.raw("\" y=\"");
    w.number(box.y);
    w.raw("\" width=\"");
    w.number(box.width);
    w.raw("\" height=\"");
    w.number(box.height);
    w.raw("\"");
}

void writeLegend(Writer& w, const LegendLayout& layout, const PixelBox& place) {
    w.raw("<g id=\"legend\" transform=\"translate(");
    w.number(place.x);
    w.raw(" ");
    w.number(place.y);
    w.raw(")\">\n");
    for (const LegendLayout::Fill& fill : layout.fills) {
        writeBox(w, fill.box);
        w.raw(" fill=\"");
        w.raw(hexColour(fill.colour));
        w.raw("\"");
        if (fill.colour.a < 1.0f) {
            w.raw(" fill-opacity=\"");
            w.number(fill.colour.a);
            w.raw("\"");
        }
        w.raw("/>\n");
    }
    for (std::size_t k = 0; k < layout.bars.size(); ++k) {
        const LegendLayout::Bar& bar = layout.bars[k];
        const std::string id = "legend-ramp-" + std::to_string(k);
        w.raw("<linearGradient id=\"" + id + "\">");
        const std::size_t stops = bar.colours.size();
        for (std::size_t s = 0; s < stops; ++s) {
            w.raw("<stop offset=\"");
            w.number(stops > 1 ? static_cast<double>(s) / static_cast<double>(stops - 1) : 0.0);
            w.raw("\" stop-color=\"");
            w.raw(hexColour(bar.colours[s]));
            w.raw("\"/>");
        }
        w.raw("</linearGradient>\n");
        writeBox(w, bar.box);
        w.raw(" fill=\"url(#" + id + ")\"/>\n");
    }
    for (const LegendLayout::Line& line : layout.lines) {
        w.raw("<path stroke=\"");
        w.raw(hexColour(line.colour));
        w.raw("\" stroke-width=\"");
        w.number(line.width);
        w.raw("\" d=\"M");
        w.number(line.from.x);
        w.raw(" ");
        w.number(line.from.y);
        w.raw(" L");
        w.number(line.to.x);
        w.raw(" ");
        w.number(line.to.y);
        w.raw("\"/>\n");
    }
    const double baseline = openText(w, layout.textPixels, layout.textColour);
    for (const LegendLayout::Text& said : layout.texts) {
        w.raw("<text x=\"");
        w.number(said.anchor.x);
        w.raw("\" y=\"");
        w.number(said.anchor.y + baseline);
        w.raw("\"");
        finishText(w, said.align, said.text);
    }
    w.raw("</g>\n</g>\n");
}

// The frame's layers, over the picture under it, dimmed, where it has one.
void writeLayers(Writer& w, const Mapping& map, const DrawDescription& frame) {
    if (frame.under) {
        writeLayers(w, map, *frame.under);
        w.raw("<rect width=\"100%\" height=\"100%\" fill=\"");
        w.raw(hexColour(frame.background));
        w.raw("\" fill-opacity=\"");
        w.number(1.0f - frame.underKept);
        w.raw("\"/>\n");
    }
    for (const DrawLayer& layer : drawLayers(frame)) {
        if (const FillSet* const* fills = std::get_if<const FillSet*>(&layer)) {
            writeFills(w, map, **fills);
        } else if (const LineSet* const* lines = std::get_if<const LineSet*>(&layer)) {
            writeLines(w, map, **lines);
        } else {
            const CurveSet& curves = *std::get<const CurveSet*>(layer);
            writeCurves(w, map, curves, curves.ramp.span());
        }
    }
}

} // namespace

std::string hexColour(const Colour& colour) {
    const auto channel = [](float value) {
        return static_cast<int>(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
    };
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%02x%02x%02x", channel(colour.r), channel(colour.g),
                  channel(colour.b));
    return buffer;
}

namespace {

void writeDocument(Writer& w, const DrawDescription& frame, int pixels,
                   const TextMeasure* legendMeasure) {
    const Mapping map(frame.region, pixels);
    w.raw("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
          "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"");
    w.number(pixels);
    w.raw("\" height=\"");
    w.number(pixels);
    w.raw("\" viewBox=\"0 0 ");
    w.number(pixels);
    w.raw(" ");
    w.number(pixels);
    w.raw("\">\n");
    if (frame.background.a > 0.0f) {
        w.raw("<rect width=\"100%\" height=\"100%\" fill=\"");
        w.raw(hexColour(frame.background));
        w.raw("\"/>\n");
    }
    writeLayers(w, map, frame);
    writeLabels(w, map, frame.labels, frame.labelPixels, frame.labelTextColour);
    writeLabels(w, map, frame.cellTexts, frame.labelPixels, frame.cellTextColour);
    if (frame.showLegend && legendMeasure != nullptr) {
        // Curves of the density view are written as alpha-blended ones:
        // no density scale to show.
        std::vector<LegendEntry> entries;
        std::copy_if(
            frame.legend.begin(), frame.legend.end(), std::back_inserter(entries),
            [](const LegendEntry& e) { return !std::holds_alternative<LegendDensity>(e); });
        const LegendLayout layout = layOutLegend(entries, frame.curves.ramp.span(), *legendMeasure);
        if (!layout.empty()) {
            writeLegend(
                w, layout,
                legendPlace(layout, static_cast<float>(pixels), static_cast<float>(pixels)));
        }
    }
    w.raw("</svg>\n");
    w.flush();
}

} // namespace

std::string svgPicture(const DrawDescription& frame, int pixels, const TextMeasure* legendMeasure) {
    Writer w;
    writeDocument(w, frame, pixels, legendMeasure);
    return std::move(w.out);
}

Status writeSvgPicture(const std::string& path, const DrawDescription& frame, int pixels,
                       const TextMeasure* legendMeasure) {
    return writeFileInPieces(path, [&](const TextSink& sink) {
        Writer w(&sink);
        writeDocument(w, frame, pixels, legendMeasure);
    });
}
