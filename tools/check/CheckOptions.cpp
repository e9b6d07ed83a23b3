#include "tools/check/CheckOptions.h"

#include <algorithm>
#include <sstream>
#include <string_view>

namespace {

using Option = CommandOption<CheckOptions>;

// An option of a table the viewer shares, which lives as long as the
// program, so that this program reads it as the others do.
template <typename Part>
Option sharedOption(const std::vector<CommandOption<Part>>& table, std::string_view name,
                    Part CheckOptions::*part) {
    const CommandOption<Part>& option =
        *std::find_if(table.begin(), table.end(), [name](const auto& o) { return o.name == name; });
    return {option.name, option.argument, option.description,
            [&option, part](const std::string& w, CheckOptions& o) {
                return option.apply(w, o.*part);
            }};
}

Option pathOption(const char* name, const char* description, std::string CheckOptions::*field) {
    return {name, "FILE", description, [field](const std::string& w, CheckOptions& o) {
                o.*field = w;
                return !w.empty();
            }};
}

std::vector<Option> makeOptions() {
    return {
        pathOption("--rules", "the architecture rules to check", &CheckOptions::rulesPath),
        sharedOption(settingsOptions(), "--depth", &CheckOptions::settings),
        sharedOption(viewOptions(), "--collapse", &CheckOptions::view),
        sharedOption(viewOptions(), "--dot-names", &CheckOptions::view),
        separatorOption<CheckOptions>(),
        pathOption("--json", "also write the report as JSON", &CheckOptions::jsonPath),
        pathOption("--baseline", "an earlier --json report: only violations not in it fail",
                   &CheckOptions::baselinePath),
        pathOption("--matrix", "also write the dependency matrix at the cut as CSV",
                   &CheckOptions::matrixPath),
        sharedOption(settingsOptions(), "--matrix-order", &CheckOptions::settings),
    };
}

const std::vector<Option>& options() {
    static const std::vector<Option> table = makeOptions();
    return table;
}

} // namespace

Result<CheckOptions> parseCheckOptions(const std::vector<std::string>& arguments) {
    Result<CheckOptions> read = readCommandLine(options(), arguments);
    if (!read || read.value().helpWanted) {
        return read;
    }
    if (!read.value().graphGiven) {
        return Error{"a graph file is needed"};
    }
    if (!read.value().baselinePath.empty() && read.value().rulesPath.empty()) {
        return Error{"--baseline compares rules' violations: it needs --rules"};
    }
    return read;
}

std::string checkOptionsHelp() {
    std::ostringstream text;
    text << "usage: hebview-check [options] GRAPH\n"
            "Checks GRAPH (.rsf, .json, .csv/.tsv/.txt or .graphml) at a cut: its cycle groups\n"
            "and the fewest relations found to cut so that none is left, and, with --rules,\n"
            "the architecture rules and the relations that break them.\n"
            "\noptions:\n"
         << optionsHelp(options())
         << "  --help                  this text\n"
            "\nNodes are named by their path, the names from the top joined by '.' without the\n"
            "root's name. Without --depth the whole tree is checked.\n"
            "\nThe matrix has a row and a column for every shown node that ends the shown tree\n"
            "and every shown inner node with relations of its own; the cell in row i, column j\n"
            "counts the relations from i to j, a collapsed node's diagonal those inside it.\n"
            "Its first line is an empty field and the columns' paths, then each row's path and\n"
            "counts; fields quoted and lines ended (CR LF) as RFC 4180 has them. Its rows come\n"
            "in the tree's order, or partitioned: within each parent, the children ordered so\n"
            "that most relations lie below the diagonal, those that reach one another together.\n"
            "\nExit status: 0 when no error rule is broken (with --baseline: no violation of an\n"
            "error rule that the baseline lacks), 1 when one is, 2 for bad options or a bad\n"
            "graph, rules or baseline file.\n";
    return text.str();
}
