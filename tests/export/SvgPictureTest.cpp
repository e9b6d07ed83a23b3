#include "export/SvgPicture.h"

#include "settings/BlendModeType.h"
#include "tests/support/TestFiles.h"

#include <expat.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

// The elements of a document as the XML parser sees them: name, attributes
// and text, and the depth they sit at.
struct Element {
    std::string name;
    std::map<std::string, std::string> attributes;
    int depth = 0;
    std::string text;
};

struct Parsed {
    bool wellFormed = false;
    std::vector<Element> elements;
};

Parsed parseXml(const std::string& document) {
    struct State {
        Parsed parsed;
        std::vector<std::size_t> open;
    } state;
    XML_Parser parser = XML_ParserCreate(nullptr);
    XML_SetUserData(parser, &state);
    XML_SetElementHandler(
        parser,
        [](void* data, const XML_Char* name, const XML_Char** attributes) {
            auto* s = static_cast<State*>(data);
            Element element{name, {}, static_cast<int>(s->open.size()), {}};
            for (const XML_Char** a = attributes; *a != nullptr; a += 2) {
                element.attributes[a[0]] = a[1];
            }
            s->open.push_back(s->parsed.elements.size());
            s->parsed.elements.push_back(std::move(element));
        },
        [](void* data, const XML_Char*) { static_cast<State*>(data)->open.pop_back(); });
    XML_SetCharacterDataHandler(parser, [](void* data, const XML_Char* text, int length) {
        auto* s = static_cast<State*>(data);
        if (!s->open.empty()) {
            s->parsed.elements[s->open.back()].text.append(text, static_cast<std::size_t>(length));
        }
    });
    state.parsed.wellFormed = XML_Parse(parser, document.data(), static_cast<int>(document.size()),
                                        XML_TRUE) == XML_STATUS_OK;
    XML_ParserFree(parser);
    return state.parsed;
}

// Two curves of five samples along y = 0 and y = 0.5, from x = -1 to 1.
struct TwoCurves {
    TwoCurves() {
        for (int curve = 0; curve < 2; ++curve) {
            for (int j = 0; j < 5; ++j) {
                points.push_back(-1.0f + 0.5f * static_cast<float>(j));
                points.push_back(0.5f * static_cast<float>(curve));
            }
        }
        frame.curves.points = SharedValues<float>::copyOf(points);
        frame.curves.ramp = SharedValues<Colour>::copyOf(ramp);
        frame.curves.parameters = {0.0f, 0.25f, 0.5f, 0.75f, 1.0f};
        frame.curves.opacity = {1.0f, 0.25f};
        frame.curves.width = 5.0f;
        frame.curves.colorRamp = 1;
        frame.curves.blendMode = BlendModeType::Alpha;
        frame.showOverlay = false;
    }
    std::vector<float> points;
    DrawDescription frame;
    std::vector<Colour> ramp{
        {1.0f, 0.0f, 0.0f, 1.0f}, {0.0f, 1.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 1.0f, 1.0f}};
};

std::vector<Element> childrenOf(const Parsed& parsed, const std::string& id) {
    std::vector<Element> children;
    int depth = -1;
    for (const Element& element : parsed.elements) {
        if (depth >= 0 && element.depth <= depth) {
            break;
        }
        if (depth >= 0 && element.depth == depth + 1) {
            children.push_back(element);
        }
        if (depth < 0 && element.attributes.count("id") && element.attributes.at("id") == id) {
            depth = element.depth;
        }
    }
    return children;
}

// The strokes of the curves' pieces, curve after curve.
std::vector<std::string> curveStrokes(const Parsed& svg) {
    const int depth = childrenOf(svg, "curves").at(0).depth + 1;
    std::vector<std::string> strokes;
    for (const Element& element : svg.elements) {
        if (element.name == "path" && element.depth == depth) {
            strokes.push_back(element.attributes.at("stroke"));
        }
    }
    return strokes;
}

// Megabytes of curves go to the file in pieces: none lost, none twice, and
// an old file stays whole where the new one cannot be written.
TEST(SvgPictureTest, AFileWrittenInPiecesHoldsEveryCurveOnce) {
    TwoCurves scene;
    constexpr int curves = 10000;
    std::vector<float> points;
    std::vector<float> opacity;
    for (int curve = 0; curve < curves; ++curve) {
        points.insert(points.end(), scene.points.begin(), scene.points.begin() + 10);
        opacity.push_back(curve % 2 == 0 ? 1.0f : 0.25f);
    }
    scene.frame.curves.points = SharedValues<float>::copyOf(points);
    scene.frame.curves.opacity = opacity;
    testing_support::TempFile old("old picture", "picture.svg");
    ASSERT_TRUE(writeSvgPicture(old.path(), scene.frame, 2048));
    std::ifstream in(old.path(), std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), {});
    ASSERT_GT(written.size(), std::size_t{2} << 20);
    const Parsed svg = parseXml(written);
    ASSERT_TRUE(svg.wellFormed);
    EXPECT_EQ(childrenOf(svg, "curves").size(), std::size_t{curves});
    const std::vector<std::string> strokes = curveStrokes(svg);
    ASSERT_EQ(strokes.size(), std::size_t{4 * curves});
    EXPECT_EQ(strokes.back(), "#0000ff");

    std::filesystem::permissions(old.folderPath(), std::filesystem::perms::owner_read |
                                                       std::filesystem::perms::owner_exec);
    const Status refused = writeSvgPicture(old.path(), scene.frame, 2048);
    std::filesystem::permissions(old.folderPath(), std::filesystem::perms::owner_all);
    if (::geteuid() != 0) {
        ASSERT_FALSE(refused);
        EXPECT_NE(refused.error().describe().find(old.path()), std::string::npos);
    }
    std::ifstream again(old.path(), std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(again)), {}), written);
}

TEST(SvgPictureTest, OneGroupPerCurveColouredAlongTheRampFromEndToEnd) {
    TwoCurves scene;
    const Parsed svg = parseXml(svgPicture(scene.frame, 2048));
    ASSERT_TRUE(svg.wellFormed);
    const std::vector<Element> curves = childrenOf(svg, "curves");
    ASSERT_EQ(curves.size(), 2u);
    // Four intervals: as many pieces, the first in the source end's colour
    // and the last in the target end's.
    const std::vector<std::string> strokes = curveStrokes(svg);
    ASSERT_EQ(strokes.size(), 8u);
    EXPECT_EQ(strokes[0], "#ff0000");
    EXPECT_EQ(strokes[3], "#0000ff");
    EXPECT_EQ(strokes[4], "#ff0000");
    EXPECT_EQ(strokes[7], "#0000ff");
    // The faded curve is a group at its opacity; the opaque one needs none.
    EXPECT_EQ(curves[0].attributes.count("opacity"), 0u);
    EXPECT_EQ(curves[1].attributes.at("opacity"), "0.25");
}

TEST(SvgPictureTest, SceneCoordinatesMapOntoTheFramesPixels) {
    TwoCurves scene;
    scene.frame.region = {0.0f, 0.0f, 1.0f};
    const Parsed svg = parseXml(svgPicture(scene.frame, 1000));
    ASSERT_TRUE(svg.wellFormed);
    std::vector<std::string> paths;
    for (const Element& element : svg.elements) {
        if (element.name == "path") {
            paths.push_back(element.attributes.at("d"));
        }
    }
    // Region -1..1 over 1000 units, y down: (-1, 0) is (0, 500), (-0.5, 0)
    // is (250, 500), and y = 0.5 is 250.
    ASSERT_EQ(paths.size(), 8u);
    EXPECT_EQ(paths[0], "M0 500 250 500");
    EXPECT_EQ(paths[7], "M750 250 1000 250");
    EXPECT_EQ(svg.elements[0].attributes.at("viewBox"), "0 0 1000 1000");
}

TEST(SvgPictureTest, PiecesTakeTheRampColourAtTheirShareOfTheCurve) {
    // Four pieces over a ramp of 13 colours, red from 0 to 1 in twelfths:
    // piece k takes colour 12 k / 3, that is 0, 4, 8 and 12.
    TwoCurves scene;
    std::vector<Colour> ramp;
    for (int i = 0; i <= 12; ++i) {
        ramp.push_back({static_cast<float>(i) / 12.0f, 0.0f, 0.0f, 1.0f});
    }
    scene.frame.curves.ramp = SharedValues<Colour>::copyOf(ramp);
    const Parsed svg = parseXml(svgPicture(scene.frame, 2048));
    const std::vector<std::string> strokes = curveStrokes(svg);
    const std::vector<std::string> pieces{"#000000", "#550000", "#aa0000", "#ff0000"};
    EXPECT_EQ(strokes, (std::vector<std::string>{pieces[0], pieces[1], pieces[2], pieces[3],
                                                 pieces[0], pieces[1], pieces[2], pieces[3]}));
}

TEST(SvgPictureTest, LabelTextIsAlwaysXml) {
    // U+FFFD for each character XML forbids and for each broken UTF-8
    // sequence, one per longest start of a sequence that could be valid.
    const Label labels[] = {
        {0,
         "a\xEF\xBF\xBE"                            // U+FFFE
         "b\xFF"                                    // never in UTF-8
         "c\xC0\xAF"                                // "/" overlong: C0 starts nothing
         "d\xE2\x82"                                // cut short
         "e\xED\xA0\x80"                            // a surrogate
         "f\xF4\x90\x80\x80"                        // above U+10FFFF
         "g\x01\t"                                  // a control character; a tab
         "\xC3\xA9\xE2\x82\xAC"                     // kept: U+E9, U+20AC
         "\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF" // and U+D7FF, U+E000, U+10FFFF
         "\xEF\xBF\xBF"                             // U+FFFF
         "h\xF0\x9F\x98",                           // cut short at the end
         {0.0f, 0.0f},
         0.0f,
         Label::Align::Start,
         false}};
    DrawDescription frame;
    frame.showCurves = false;
    frame.labels.assign(std::begin(labels), std::end(labels));
    frame.labelPixels = 24.0f;
    const std::string text = svgPicture(frame, 1000);
    const Parsed svg = parseXml(text);
    ASSERT_TRUE(svg.wellFormed) << text;
    const std::string r = "\xEF\xBF\xBD";
    EXPECT_EQ(svg.elements.back().text,
              "a" + r + "b" + r + "c" + r + r + "d" + r + "e" + r + r + r + "f" + r + r + r + r +
                  "g" + r + "\t\xC3\xA9\xE2\x82\xAC\xED\x9F\xBF\xEE\x80\x80\xF4\x8F\xBF\xBF" + r +
                  "h" + r);
}

TEST(SvgPictureTest, BlendModesOpacityAndEmphasis) {
    TwoCurves scene;
    scene.frame.curves.blendMode = BlendModeType::None;
    Parsed svg = parseXml(svgPicture(scene.frame, 2048));
    EXPECT_EQ(childrenOf(svg, "curves")[1].attributes.count("opacity"), 0u)
        << "blend None ignores the opacity";
    scene.frame.curves.blendMode = BlendModeType::Max;
    svg = parseXml(svgPicture(scene.frame, 2048));
    EXPECT_EQ(childrenOf(svg, "curves")[1].attributes.at("style"), "mix-blend-mode:lighten");
    // A highlighted node's relation: opaque, in its emphasis colour, drawn
    // last.
    scene.frame.curves.blendMode = BlendModeType::Alpha;
    scene.frame.curves.colourIndex = {1, 0};
    scene.frame.curves.order = {1, 0};
    scene.frame.curves.fixedColours = {{0.902f, 0.624f, 0.0f, 1.0f}};
    svg = parseXml(svgPicture(scene.frame, 2048));
    const std::vector<Element> curves = childrenOf(svg, "curves");
    EXPECT_EQ(curves[0].attributes.at("opacity"), "0.25");
    EXPECT_EQ(curves[1].attributes.count("opacity"), 0u);
    const Element& lastPath =
        svg.elements.back().name == "path" ? svg.elements.back() : svg.elements.front();
    EXPECT_EQ(lastPath.attributes.at("stroke"), "#e69f00");
}

TEST(SvgPictureTest, WidthsAndFixedColoursPerCurve) {
    TwoCurves scene;
    scene.frame.curves.widths = {2.0f, 12.0f};
    // Curve 1 in the first fixed colour at half alpha, times its opacity
    // 0.25; curve 0 names the 65th, past the ones drawn: along the ramp.
    scene.frame.curves.fixedColours.assign(65, {0.0f, 0.5f, 1.0f, 0.5f});
    scene.frame.curves.colourIndex = {65, 1};
    const Parsed svg = parseXml(svgPicture(scene.frame, 2048));
    const std::vector<Element> curves = childrenOf(svg, "curves");
    ASSERT_EQ(curves.size(), 2u);
    EXPECT_EQ(curves[0].attributes.at("stroke-width"), "2");
    EXPECT_EQ(curves[1].attributes.at("stroke-width"), "12");
    EXPECT_EQ(curves[1].attributes.at("opacity"), "0.13");
    // Curve 0's four pieces take the ramp at 0, 1/3, 2/3 and 1: its colours
    // 0, 1, 1 and 2 of three.
    const std::string fixed = "#0080ff";
    EXPECT_EQ(curveStrokes(svg), (std::vector<std::string>{"#ff0000", "#00ff00", "#00ff00",
                                                           "#0000ff", fixed, fixed, fixed, fixed}));
}

TEST(SvgPictureTest, TreeOverlayBackgroundAndLabels) {
    DrawDescription frame;
    frame.background = {1.0f, 1.0f, 1.0f, 1.0f};
    frame.showCurves = false;
    frame.tree.colour = {1.0f, 0.0f, 0.0f, 1.0f};
    frame.tree.width = 3.0f;
    frame.tree.rectangles = {{-1.0f, -1.0f, 0.0f, 0.0f}};
    frame.tree.segments = {{0.0f, 0.0f}, {1.0f, 1.0f}};
    frame.overlay.colour = {1.0f, 1.0f, 1.0f, 0.5f};
    frame.overlay.blended = true;
    frame.overlay.segments = {{0.0f, 0.0f}, {0.0f, 1.0f}};
    frame.region = {0.0f, 0.0f, 1.0f};
    const Label labels[] = {
        {0, "A<&>\"b\x01", {0.0f, 0.0f}, 3.14159265f / 2.0f, Label::Align::End, false}};
    frame.labels.assign(std::begin(labels), std::end(labels));
    frame.labelPixels = 24.0f;
    frame.labelTextColour = {0.5f, 0.5f, 0.5f, 1.0f};
    const std::string text = svgPicture(frame, 1000);
    const Parsed svg = parseXml(text);
    ASSERT_TRUE(svg.wellFormed) << text;
    std::map<std::string, std::vector<Element>> byName;
    for (const Element& element : svg.elements) {
        byName[element.name].push_back(element);
    }
    ASSERT_EQ(byName["rect"].size(), 2u);
    EXPECT_EQ(byName["rect"][0].attributes.at("fill"), "#ffffff");
    // The treemap rectangle (-1, -1)..(0, 0): its top left at (0, 500).
    const auto& rect = byName["rect"][1].attributes;
    EXPECT_EQ(rect.at("x") + " " + rect.at("y") + " " + rect.at("width") + " " + rect.at("height"),
              "0 500 500 500");
    ASSERT_EQ(byName["path"].size(), 2u);
    EXPECT_EQ(byName["path"][0].attributes.at("d"), "M500 500 L1000 0");
    ASSERT_EQ(byName["text"].size(), 1u);
    EXPECT_EQ(byName["text"][0].text, "A<&>\"b\xEF\xBF\xBD");
    EXPECT_EQ(byName["text"][0].attributes.at("text-anchor"), "end");
    EXPECT_EQ(byName["text"][0].attributes.at("transform"), "translate(500 500) rotate(-90)");
    bool translucentOverlay = false;
    for (const Element& g : byName["g"]) {
        translucentOverlay |=
            g.attributes.count("stroke-opacity") && g.attributes.at("stroke-opacity") == "0.5";
    }
    EXPECT_TRUE(translucentOverlay);
}

// Ten pixels a character, twenty a line.
class FixedMeasure : public TextMeasure {
public:
    float width(std::string_view text) const override {
        return 10.0f * static_cast<float>(text.size());
    }
    float height() const override { return 20.0f; }
};

TEST(SvgPictureTest, TheKeyIsVectorShapesAndTextInTheCorner) {
    TwoCurves scene;
    scene.frame.legend = {LegendRamp{"source", "target"},
                          LegendSwatch{{0.0f, 1.0f, 0.0f, 1.0f}, "both ways: 1 pair"},
                          LegendDensity{}};
    const FixedMeasure measure;
    scene.frame.showLegend = false;
    EXPECT_TRUE(childrenOf(parseXml(svgPicture(scene.frame, 1000, &measure)), "legend").empty());
    scene.frame.showLegend = true;
    const std::string text = svgPicture(scene.frame, 1000, &measure);
    const Parsed svg = parseXml(text);
    ASSERT_TRUE(svg.wellFormed) << text;
    // Its box, 215 by 92: padding 10, the ramp's rows of 20 and 26, the
    // swatch's row of 26 with the 15-pixel swatch, a gap of 10 and its
    // 170-pixel text; 12 pixels from the corner.
    const std::vector<Element> key = childrenOf(svg, "legend");
    ASSERT_FALSE(key.empty());
    const Element& box = key[0];
    EXPECT_EQ(box.name, "rect");
    EXPECT_EQ(box.attributes.at("width") + " " + box.attributes.at("height"), "215 92");
    EXPECT_EQ(box.attributes.at("fill-opacity"), "0.75");
    std::map<std::string, std::vector<Element>> byName;
    for (const Element& element : key) {
        byName[element.name].push_back(element);
    }
    // The ramp as a gradient from its first colour to its last; the swatch.
    ASSERT_EQ(byName["linearGradient"].size(), 1u);
    EXPECT_EQ(byName["rect"][1].attributes.at("fill"), "#00ff00");
    EXPECT_EQ(byName["rect"][2].attributes.at("fill"), "url(#legend-ramp-0)");
    std::vector<std::string> stops;
    for (const Element& element : svg.elements) {
        if (element.name == "stop") {
            stops.push_back(element.attributes.at("stop-color"));
        }
    }
    ASSERT_EQ(stops.size(), 33u);
    EXPECT_EQ(stops.front(), "#ff0000");
    EXPECT_EQ(stops.back(), "#0000ff");
    // The texts, and no density scale: these curves do not show one.
    std::vector<std::string> texts;
    for (const Element& element : svg.elements) {
        if (element.name == "text") {
            texts.push_back(element.text);
        }
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"source", "target", "both ways: 1 pair"}));
    EXPECT_NE(text.find("<g id=\"legend\" transform=\"translate(773 896)\">"), std::string::npos);
}

TEST(SvgPictureTest, HexColoursRoundAndClamp) {
    EXPECT_EQ(hexColour({0.0f, 0.5f, 1.0f, 1.0f}), "#0080ff");
    EXPECT_EQ(hexColour({-1.0f, 2.0f, 0.2f, 1.0f}), "#00ff33");
}

} // namespace
