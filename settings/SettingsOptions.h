#pragma once

#include "base/Result.h"
#include "graph/CompoundGraph.h"
#include "io/DotContent.h"
#include "settings/ViewSettings.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// The command-line options both programs share: the drawing settings, made
// from the settings table, and the view to start with. Each option has its
// value's form, its description with the default, and the reader that sets
// its part of a Target.
template <typename Target> struct CommandOption {
    const char* name;
    std::string argument;
    std::string description;
    std::function<bool(const std::string&, Target&)> apply;
};

const std::vector<CommandOption<ViewSettings>>& settingsOptions();

// The view to start with: an older version of the graph to compare it with
// (a path; empty for none), what names the nodes of DOT files, a node to
// highlight (a name or a path; empty for none), a text to search for, and
// the zoom and centre, in scene coordinates.
struct ViewOptions {
    std::string olderVersion;
    DotNames dotNames = DotNames::Id;
    std::string highlight;
    // Nodes to collapse, each a name or a path.
    std::vector<std::string> collapse;
    std::string search;
    // The architecture rules whose violations are shown; empty for none.
    std::string rulesPath;
    double zoom = 1.0;
    float centreX = 0.0f;
    float centreY = 0.0f;
};

const std::vector<CommandOption<ViewOptions>>& viewOptions();

// What --help says after the options about the view's coordinates.
std::string viewOptionsNote();

// Adds options that set a part of a program's own options.
template <typename Target, typename Part>
void addOptions(std::vector<CommandOption<Target>>& table,
                const std::vector<CommandOption<Part>>& options, Part Target::*part) {
    for (const CommandOption<Part>& option : options) {
        table.push_back({option.name, option.argument, option.description,
                         [&option, part](const std::string& word, Target& target) {
                             return option.apply(word, target.*part);
                         }});
    }
}

// Reads the option that arguments[at] names, and its value after it, into
// the target: nothing when no option of the table has that name, else the
// outcome (an Error for a missing or bad value), with `at` moved to the
// value.
template <typename Target>
std::optional<Status> applyOption(const std::vector<CommandOption<Target>>& table,
                                  const std::vector<std::string>& arguments, std::size_t& at,
                                  Target& target) {
    const std::string& word = arguments[at];
    for (const CommandOption<Target>& option : table) {
        if (word != option.name) {
            continue;
        }
        if (at + 1 == arguments.size()) {
            return Status(Error{word + " needs a value (" + option.argument + ")"});
        }
        const std::string& value = arguments[++at];
        if (!option.apply(value, target)) {
            return Status(
                Error{"bad value '" + value + "' for " + word + " (" + option.argument + ")"});
        }
        return Status();
    }
    return std::nullopt;
}

// "--separator TEXT", for the programs that read graph files into a Target
// with a separator: what splits names into the hierarchy where a file has
// only names.
template <typename Target> CommandOption<Target> separatorOption() {
    return {"--separator", "TEXT", "splits names into the hierarchy (default: found in them)",
            [](const std::string& w, Target& o) {
                o.separator = w;
                return !w.empty();
            }};
}

// A program's command line read into its options, a Target with helpWanted,
// graphPath and graphGiven: "--help" or "-h" wants help, an option of the
// table sets its part, any other word names the graph file, once. An Error
// for an unknown option, a missing or bad value, and a second graph file.
template <typename Target>
Result<Target> readCommandLine(const std::vector<CommandOption<Target>>& table,
                               const std::vector<std::string>& arguments) {
    Target result;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word == "--help" || word == "-h") {
            result.helpWanted = true;
            continue;
        }
        if (word.size() > 1 && word[0] == '-') {
            const std::optional<Status> applied = applyOption(table, arguments, i, result);
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
    return result;
}

// "  --name ARGUMENT" padded to a column, the description, a line end.
std::string optionHelpLine(const std::string& name, const std::string& argument,
                           const std::string& description);

// The help lines of a table's options.
template <typename Target>
std::string optionsHelp(const std::vector<CommandOption<Target>>& table) {
    std::string text;
    for (const CommandOption<Target>& option : table) {
        text += optionHelpLine(option.name, option.argument, option.description);
    }
    return text;
}

// Readers of option values: false, and the value untouched, for a word that
// is not one in the range.
namespace optionvalues {

bool parseFloat(const std::string& word, float low, float high, float& value);
bool parseInteger(const std::string& word, int32_t low, int32_t high, int32_t& value);
// "on", "1", "true" or "off", "0", "false".
bool parseSwitch(const std::string& word, bool& value);

} // namespace optionvalues
