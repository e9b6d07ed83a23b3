#include "io/DotGraphReader.h"
#include "io/FileText.h"
#include "io/GraphFileWriter.h"
#include "io/GraphReading.h"

#include <iostream>
#include <string>
#include <vector>

// hebview-convert: any graph file we read into the line format.
namespace {

const char* const usage =
    "usage: hebview-convert INPUT -o OUTPUT.rsf [--separator TEXT] [--dot-names label|id]\n"
    "Reads INPUT (.rsf, .json, .csv/.tsv/.txt, .graphml or .dot/.gv, chosen by its\n"
    "extension) and writes the same graph in the line format, which hebview reads\n"
    "fastest.\n"
    "\noptions:\n"
    "  -o FILE.rsf           the file to write\n"
    "  --separator TEXT      what splits names into the hierarchy (default: found in the\n"
    "                        names, the first of ::, / and . that a tenth of them hold)\n"
    "  --dot-names label|id  name DOT nodes by their labels where they have one\n"
    "                        (default id)\n"
    "  --help                this text\n"
    "\nNames cannot hold blanks or double quotes in the line format: blanks become\n"
    "no-break spaces and a double quote two apostrophes.\n";

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

int refuse(const std::string& reason) {
    std::cerr << "hebview-convert: " << reason << "\n(see hebview-convert --help)\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string input;
    std::string output;
    GraphReadOptions options;
    std::vector<std::string> warnings;
    options.warnings = &warnings;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& word = arguments[i];
        if (word == "--help" || word == "-h") {
            std::cout << usage;
            return 0;
        }
        if (word == "--dot-names") {
            const std::optional<DotNames> names =
                i + 1 < arguments.size() ? dotgraph::namesCalled(arguments[i + 1]) : std::nullopt;
            if (!names) {
                return refuse("--dot-names needs label or id");
            }
            options.dotNames = *names;
            ++i;
        } else if (word == "-o" || word == "--separator") {
            if (i + 1 == arguments.size() || arguments[i + 1].empty()) {
                return refuse(word + " needs a value");
            }
            (word == "-o" ? output : options.separator) = arguments[++i];
        } else if (word.size() > 1 && word[0] == '-') {
            return refuse("unknown option " + word);
        } else if (!input.empty()) {
            return refuse("more than one input file: " + input + " and " + word);
        } else {
            input = word;
        }
    }
    if (input.empty() || output.empty()) {
        return refuse("an input file and -o OUTPUT.rsf are needed");
    }
    if (!endsWith(output, ".rsf")) {
        return refuse("the output must be a .rsf file: " + output);
    }
    if (const Status writable = checkWritable(output); !writable) {
        std::cerr << "hebview-convert: " << writable.error().describe() << '\n';
        return 1;
    }
    const Result<CompoundGraph> graph = readGraph(input, options);
    if (!graph) {
        std::cerr << "hebview-convert: " << graph.error().describe() << '\n';
        return 1;
    }
    for (const std::string& warning : warnings) {
        std::cerr << "hebview-convert: " << printable(warning) << '\n';
    }
    if (const Status written = graphfile::write(graph.value(), output); !written) {
        std::cerr << "hebview-convert: " << written.error().describe() << '\n';
        return 1;
    }
    std::cout << "Wrote " << printable(output) << " (" << graph.value().nodeCount() << " nodes, "
              << graph.value().edgeCount() << " relations)\n";
    return 0;
}
