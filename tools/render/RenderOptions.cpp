#include "tools/render/RenderOptions.h"

#include "base/PathNames.h"
#include "render/RenderTargets.h"
#include "scene/BlendModeType.h"
#include "scene/Camera.h"
#include "scene/Search.h"
#include "scene/SettingsOptions.h"

#include <charconv>
#include <cmath>
#include <functional>
#include <sstream>

namespace {

using namespace optionvalues;

const char* const backgroundNames[] = {"black", "white", "transparent"};
constexpr Colour backgrounds[] = {
    {0.0f, 0.0f, 0.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f, 0.0f}};

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

struct Option {
    const char* name;
    const char* argument;
    const char* description;
    std::function<bool(const std::string&, RenderOptions&)> apply;
};

// The drawing settings first, as in the viewer, then what only the
// renderer has.
std::vector<Option> makeOptions() {
    std::vector<Option> table{{"-o", "FILE", "the .png or .svg file to write (default hebview.png)",
                               [](const std::string& w, RenderOptions& o) {
                                   o.outputPath = w;
                                   return !w.empty();
                               }}};
    for (const SettingsOption& setting : settingsOptions()) {
        table.push_back({setting.name, setting.argument, setting.description,
                         [&setting](const std::string& w, RenderOptions& o) {
                             return setting.apply(w, o.settings);
                         }});
    }
    const std::vector<Option> own{
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
        {"--timings", "on|off", "how long each stage took, on standard error (default off)",
         [](const std::string& w, RenderOptions& o) { return parseSwitch(w, o.timings); }},
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
    table.insert(table.end(), own.begin(), own.end());
    return table;
}

const std::vector<Option>& options() {
    static const std::vector<Option> table = makeOptions();
    return table;
}

} // namespace

Result<RenderOptions> parseRenderOptions(const std::vector<std::string>& arguments) {
    RenderOptions result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word == "--help" || word == "-h") {
            result.helpWanted = true;
            continue;
        }
        if (word.size() > 1 && word[0] == '-') {
            const std::optional<Status> applied = applyOption(options(), arguments, i, result);
            if (!applied) {
                return Error{"unknown option " + word};
            }
            if (!*applied) {
                return applied->error();
            }
            continue;
        }
        if (result.graphGiven) {
            return Error{"more than one graph file: " + result.graphPath + " and " + word};
        }
        result.graphPath = word;
        result.graphGiven = true;
    }
    if (const std::string extension = lowerExtension(result.outputPath);
        extension != "png" && extension != "svg") {
        return Error{"the output must be a .png or an .svg file: " + result.outputPath};
    }
    return result;
}

bool writesSvg(const RenderOptions& options) {
    return lowerExtension(options.outputPath) == "svg";
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
            "It reads data/textures from the working directory, or from beside the program or\n"
            "its installed share/hebview.\n\noptions:\n";
    for (const Option& option : options()) {
        text << optionHelpLine(option.name, option.argument, option.description);
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
