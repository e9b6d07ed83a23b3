#include "tools/render/RenderOptions.h"

#include "render/RenderTargets.h"
#include "scene/BlendModeType.h"
#include "scene/Camera.h"
#include "scene/Search.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <functional>
#include <sstream>

namespace {

// Short names for the command line, in enumerator order.
const char* const layoutNames[] = {"radial", "classic", "slice", "squared", "strip"};
const char* const blendNames[] = {"none", "alpha", "max", "density"};
const char* const backgroundNames[] = {"black", "white", "transparent"};
constexpr Colour backgrounds[] = {
    {0.0f, 0.0f, 0.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f, 0.0f}};

bool endsWithIgnoringCase(const std::string& text, std::string_view end) {
    if (text.size() < end.size()) {
        return false;
    }
    for (std::size_t i = 0; i < end.size(); ++i) {
        const char c = text[text.size() - end.size() + i];
        if (std::tolower(static_cast<unsigned char>(c)) != end[i]) {
            return false;
        }
    }
    return true;
}

bool parseFloat(const std::string& word, float low, float high, float& value) {
    float parsed = 0.0f;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), parsed);
    if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(parsed) ||
        parsed < low || parsed > high) {
        return false;
    }
    value = parsed;
    return true;
}

// Two numbers, "X,Y".
bool parsePoint(const std::string& word, float& x, float& y) {
    const std::size_t comma = word.find(',');
    if (comma == std::string::npos) {
        return false;
    }
    float parsedX = 0.0f;
    float parsedY = 0.0f;
    constexpr float far = 100.0f;
    if (!parseFloat(word.substr(0, comma), -far, far, parsedX) ||
        !parseFloat(word.substr(comma + 1), -far, far, parsedY)) {
        return false;
    }
    x = parsedX;
    y = parsedY;
    return true;
}

bool parseInteger(const std::string& word, int32_t low, int32_t high, int32_t& value) {
    int32_t parsed = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), parsed);
    if (error != std::errc() || end != word.data() + word.size() || parsed < low || parsed > high) {
        return false;
    }
    value = parsed;
    return true;
}

template <std::size_t count>
bool parseChoice(const std::string& word, const char* const (&names)[count], int32_t& value) {
    for (std::size_t i = 0; i < count; ++i) {
        if (word == names[i]) {
            value = static_cast<int32_t>(i);
            return true;
        }
    }
    return parseInteger(word, 0, static_cast<int32_t>(count) - 1, value);
}

bool parseSwitch(const std::string& word, bool& value) {
    if (word == "on" || word == "1" || word == "true") {
        value = true;
        return true;
    }
    if (word == "off" || word == "0" || word == "false") {
        value = false;
        return true;
    }
    return false;
}

struct Option {
    const char* name;
    const char* argument;
    const char* description;
    std::function<bool(const std::string&, RenderOptions&)> apply;
};

const std::vector<Option>& options() {
    static const std::vector<Option> table{
        {"-o", "FILE", "the .png or .svg file to write (default hebview.png)",
         [](const std::string& w, RenderOptions& o) {
             o.outputPath = w;
             return !w.empty();
         }},
        {"--size", "64-8192", "width and height of the picture in pixels (default 2048)",
         [](const std::string& w, RenderOptions& o) { return parseInteger(w, 64, 8192, o.size); }},
        {"--background", "NAME", "black, white or transparent (default black)",
         [](const std::string& w, RenderOptions& o) {
             for (int32_t i = 0; i < 3; ++i) {
                 if (w == backgroundNames[i]) {
                     o.background = backgrounds[i];
                     return true;
                 }
             }
             return false;
         }},
        {"--separator", "TEXT", "splits names into the hierarchy (default: found in them)",
         [](const std::string& w, RenderOptions& o) {
             o.separator = w;
             return !w.empty();
         }},
        {"--layout", "NAME|0-4", "radial, classic, slice, squared or strip (default radial)",
         [](const std::string& w, RenderOptions& o) {
             return parseChoice(w, layoutNames, o.settings.layoutType);
         }},
        {"--beta", "0-1", "bundling strength (default 1.0)",
         [](const std::string& w, RenderOptions& o) {
             return parseFloat(w, 0.0f, 1.0f, o.settings.beta);
         }},
        {"--ramp", "1-5", "colour ramp (default 3)",
         [](const std::string& w, RenderOptions& o) {
             return parseInteger(w, 1, colorRampCount, o.settings.colorRamp);
         }},
        {"--blend", "NAME|0-3", "none, alpha, max or density (default none)",
         [](const std::string& w, RenderOptions& o) {
             return parseChoice(w, blendNames, o.settings.blendMode);
         }},
        {"--min-alpha", "0-1", "opacity of the longest spline (default 0.1)",
         [](const std::string& w, RenderOptions& o) {
             return parseFloat(w, 0.0f, 1.0f, o.settings.minAlpha);
         }},
        {"--alpha-exponent", "0.1-10", "shape of the opacity curve (default 1.0)",
         [](const std::string& w, RenderOptions& o) {
             return parseFloat(w, 0.1f, 10.0f, o.settings.alphaExponent);
         }},
        {"--flip-alpha", "on|off", "make the longest splines opaque instead (default off)",
         [](const std::string& w, RenderOptions& o) {
             return parseSwitch(w, o.settings.flipAlpha);
         }},
        {"--line-width", "1-20", "width of tree lines (default 3.0)",
         [](const std::string& w, RenderOptions& o) {
             return parseFloat(w, 1.0f, 20.0f, o.settings.lineWidth);
         }},
        {"--spline-width", "1-20", "width of splines (default 5.0)",
         [](const std::string& w, RenderOptions& o) {
             return parseFloat(w, 1.0f, 20.0f, o.settings.splineWidth);
         }},
        {"--tree", "on|off", "draw the tree overlay (default on)",
         [](const std::string& w, RenderOptions& o) {
             return parseSwitch(w, o.settings.showTree);
         }},
        {"--splines", "on|off", "draw the splines (default on)",
         [](const std::string& w, RenderOptions& o) {
             return parseSwitch(w, o.settings.showSplines);
         }},
        {"--timings", "on|off", "how long each stage took, on standard error (default off)",
         [](const std::string& w, RenderOptions& o) { return parseSwitch(w, o.timings); }},
        {"--spacing", "0-0.05", "treemap spacing (default 0.01)",
         [](const std::string& w, RenderOptions& o) {
             return parseFloat(w, 0.0f, 0.05f, o.settings.treeMapSpacing);
         }},
        {"--labels", "on|off", "write the nodes' names (default off)",
         [](const std::string& w, RenderOptions& o) {
             return parseSwitch(w, o.settings.showLabels);
         }},
        {"--highlight", "NODE", "highlight a node's relations; a name or a path a.b.c",
         [](const std::string& w, RenderOptions& o) {
             o.highlight = w;
             return !w.empty();
         }},
        {"--search", "TEXT", "mark the nodes whose name or path holds TEXT",
         [](const std::string& w, RenderOptions& o) {
             o.search = w;
             return true;
         }},
        {"--zoom", "0.5-4096", "magnification about the centre (default 1)",
         [](const std::string& w, RenderOptions& o) {
             float zoom = 1.0f;
             const bool good = parseFloat(w, static_cast<float>(Camera::minZoom),
                                          static_cast<float>(Camera::maxZoom), zoom);
             o.zoom = zoom;
             return good;
         }},
        {"--center", "X,Y", "the scene point in the middle (default 0,0; see below)",
         [](const std::string& w, RenderOptions& o) {
             return parsePoint(w, o.centreX, o.centreY);
         }},
    };
    return table;
}

} // namespace

Result<RenderOptions> parseRenderOptions(const std::vector<std::string>& arguments) {
    RenderOptions result;
    bool graphGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word == "--help" || word == "-h") {
            result.helpWanted = true;
            continue;
        }
        if (word.size() > 1 && word[0] == '-') {
            const Option* option = nullptr;
            for (const Option& candidate : options()) {
                if (word == candidate.name) {
                    option = &candidate;
                }
            }
            if (option == nullptr) {
                return Error{"unknown option " + word};
            }
            if (i + 1 == arguments.size()) {
                return Error{word + " needs a value (" + option->argument + ")"};
            }
            const std::string& value = arguments[++i];
            if (!option->apply(value, result)) {
                return Error{"bad value '" + value + "' for " + word + " (" + option->argument +
                             ")"};
            }
            continue;
        }
        if (graphGiven) {
            return Error{"more than one graph file: " + result.graphPath + " and " + word};
        }
        result.graphPath = word;
        graphGiven = true;
    }
    if (!endsWithIgnoringCase(result.outputPath, ".png") &&
        !endsWithIgnoringCase(result.outputPath, ".svg")) {
        return Error{"the output must be a .png or an .svg file: " + result.outputPath};
    }
    return result;
}

bool writesSvg(const RenderOptions& options) {
    return endsWithIgnoringCase(options.outputPath, ".svg");
}

std::string renderOptionsHelp() {
    std::ostringstream text;
    const int size = RenderTargets::frameSize;
    text << "usage: hebview-render [options] [GRAPH]\n"
            "Draws GRAPH (default data/Graphs/jhotdraw-mini.rsf; .rsf, .json, .csv/.tsv/.txt or\n"
            ".graphml) as the viewer does, without a display, and writes the picture as a\n"
            "PNG (by default "
         << size << " by " << size
         << ") or as SVG vectors, by the output's extension.\n"
            "Run it from the folder that holds data/textures.\n\noptions:\n";
    for (const Option& option : options()) {
        std::string head = std::string("  ") + option.name + " " + option.argument;
        head.resize(std::max<std::size_t>(head.size() + 1, 26), ' ');
        text << head << option.description << '\n';
    }
    text << "  --help                  this text\n"
            "\nScene coordinates: the whole picture is the square from -1.01 to 1.01 in x\n"
            "and y, y up; the radial tree's leaves lie on the circle of radius 1, and the\n"
            "classic tree and the treemaps lie within -1 to 1.\n"
            "\nWidths are in pixels of a 2048-pixel picture: other sizes scale them, and the\n"
            "labels, so that the picture looks the same. An SVG colours each curve in 7 pieces\n"
            "along the ramp; Blend \"max\" becomes mix-blend-mode lighten, and \"density\",\n"
            "which SVG cannot count, is written as \"alpha\".\n";
    return text.str();
}

Result<ViewState> viewStateOf(const RenderOptions& options, const CompoundGraph& graph,
                              float wholeExtent) {
    ViewState view;
    view.region = {options.centreX, options.centreY,
                   static_cast<float>(wholeExtent / options.zoom)};
    if (!options.highlight.empty()) {
        view.highlighted = findNode(graph, options.highlight);
        if (view.highlighted == CompoundGraph::none) {
            return Error{"no node named '" + options.highlight + "' in " + options.graphPath};
        }
    }
    view.marked = searchNodes(graph, options.search);
    view.background = options.background;
    return view;
}
