#include "app/CommandLine.h"

#include <cstring>

namespace {

struct WindowOption {
    const char* name;
    bool takesValue;
};

constexpr WindowOption windowOptions[] = {
    {"-display", true},   {"-geometry", true}, {"-iconic", false}, {"-direct", false},
    {"-indirect", false}, {"-gldebug", false}, {"-sync", false}};

const std::vector<CommandOption<ViewerCommandLine>>& options() {
    static const std::vector<CommandOption<ViewerCommandLine>> table = [] {
        std::vector<CommandOption<ViewerCommandLine>> all;
        addOptions(all, settingsOptions(), &ViewerCommandLine::settings);
        addOptions(all, viewOptions(), &ViewerCommandLine::view);
        return all;
    }();
    return table;
}

} // namespace

Result<ViewerCommandLine> parseViewerCommandLine(const std::string& program,
                                                 const std::vector<std::string>& arguments) {
    ViewerCommandLine line;
    line.windowArguments.push_back(program);
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word == "--help" || word == "-h") {
            line.helpWanted = true;
            continue;
        }
        if (word == "--version") {
            line.versionWanted = true;
            continue;
        }
        if (word.size() > 1 && word[0] == '-') {
            if (const std::optional<Status> applied = applyOption(options(), arguments, i, line)) {
                if (!*applied) {
                    return applied->error();
                }
                continue;
            }
            const WindowOption* window = nullptr;
            for (const WindowOption& candidate : windowOptions) {
                if (word == candidate.name) {
                    window = &candidate;
                }
            }
            if (window == nullptr) {
                return Error{"unknown option " + word};
            }
            line.windowArguments.push_back(word);
            if (window->takesValue) {
                if (i + 1 == arguments.size()) {
                    return Error{word + " needs a value"};
                }
                line.windowArguments.push_back(arguments[++i]);
            }
            continue;
        }
        if (!line.graphPath.empty()) {
            return Error{"more than one graph file: " + line.graphPath + " and " + word};
        }
        line.graphPath = word;
    }
    return line;
}

std::string viewerUsage() {
    std::string text =
        "usage: hebview [options] [GRAPH]\n"
        "Shows GRAPH (default data/Graphs/jhotdraw-mini.rsf; .rsf, .json, .csv/.tsv/.txt,\n"
        ".graphml or .dot/.gv) in a window, with these settings and this view to start\n"
        "with; the panel and the pointer change them.\n"
        "\noptions:\n" +
        optionsHelp(options());
    text += "  --help                  this text\n"
            "  --version               the version\n" +
            viewOptionsNote() +
            "\nThe window library's own options (-display NAME, -geometry WxH+X+Y, -iconic,\n"
            "-sync, ...) are passed on to it. config.txt sets the window's size and title.\n";
    return text;
}

std::string viewerVersion() {
    return std::string("hebview ") + HEBVIEW_VERSION + "\n";
}
