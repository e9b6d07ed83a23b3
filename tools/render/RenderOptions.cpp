#include "tools/render/RenderOptions.h"

#include "base/PathNames.h"
#include "model/NamedNodes.h"
#include "model/Search.h"
#include "render/RenderTargets.h"

#include <sstream>

namespace {

using namespace optionvalues;

using Option = CommandOption<RenderOptions>;

const char* const backgroundNames[] = {"black", "white", "transparent"};
constexpr Colour backgrounds[] = {
    {0.0f, 0.0f, 0.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 1.0f}, {0.0f, 0.0f, 0.0f, 0.0f}};

// The drawing settings first, as in the viewer, then what only the
// renderer has, then the view.
std::vector<Option> makeOptions() {
    std::vector<Option> table{{"-o", "FILE", "the .png or .svg file to write (default hebview.png)",
                               [](const std::string& w, RenderOptions& o) {
                                   o.outputPath = w;
                                   return !w.empty();
                               }}};
    addOptions(table, settingsOptions(), &RenderOptions::settings);
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
        separatorOption<RenderOptions>(),
        {"--timings", "on|off", "how long each stage took, on standard error (default off)",
         [](const std::string& w, RenderOptions& o) { return parseSwitch(w, o.timings); }},
    };
    table.insert(table.end(), own.begin(), own.end());
    addOptions(table, viewOptions(), &RenderOptions::view);
    return table;
}

const std::vector<Option>& options() {
    static const std::vector<Option> table = makeOptions();
    return table;
}

} // namespace

Result<RenderOptions> parseRenderOptions(const std::vector<std::string>& arguments) {
    Result<RenderOptions> read = readCommandLine(options(), arguments);
    if (!read) {
        return read;
    }
    const RenderOptions& result = read.value();
    if (const std::string extension = lowerExtension(result.outputPath);
        extension != "png" && extension != "svg") {
        return Error{"the output must be a .png or an .svg file: " + result.outputPath};
    }
    return read;
}

bool writesSvg(const RenderOptions& options) {
    return lowerExtension(options.outputPath) == "svg";
}

std::string renderOptionsHelp() {
    std::ostringstream text;
    const int size = RenderTargets::frameSize;
    text << "usage: hebview-render [options] [GRAPH]\n"
            "Draws GRAPH (default data/Graphs/jhotdraw-mini.rsf; .rsf, .json, .csv/.tsv/.txt,\n"
            ".graphml or .dot/.gv) as the viewer does, without a display, and writes the\n"
            "picture as a PNG (by default "
         << size << " by " << size
         << ") or as SVG vectors, by the output's extension.\n"
            "It reads data/textures from the working directory, or from beside the program or\n"
            "its installed share/hebview.\n\noptions:\n";
    text << optionsHelp(options()) << "  --help                  this text\n"
         << viewOptionsNote()
         << "\nWidths are in pixels of a 2048-pixel picture: other sizes scale them, and the\n"
            "labels, so that the picture looks the same. An SVG colours each curve in 7 pieces\n"
            "along the ramp; Blend \"max\" becomes mix-blend-mode lighten, and \"density\",\n"
            "which SVG cannot count, is written as \"alpha\".\n";
    return text.str();
}

Result<ViewState> viewStateOf(const RenderOptions& options, const CompoundGraph& graph,
                              float wholeExtent, int32_t depth) {
    const ViewOptions& wanted = options.view;
    const Result<int32_t> highlighted = highlightedNode(wanted, graph, options.graphPath);
    if (!highlighted) {
        return highlighted.error();
    }
    Result<std::vector<int32_t>> toggled = collapsedNodes(wanted, graph, options.graphPath, depth);
    if (!toggled) {
        return toggled.error();
    }
    ViewState view;
    view.region = {wanted.centreX, wanted.centreY, static_cast<float>(wholeExtent / wanted.zoom)};
    view.highlighted = highlighted.value();
    view.marked = searchNodes(graph, wanted.search);
    view.background = options.background;
    view.toggled = std::move(toggled).value();
    return view;
}
