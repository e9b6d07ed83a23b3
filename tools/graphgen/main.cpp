#include "tools/graphgen/SyntheticGraph.h"

#include "base/Error.h"

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

namespace {

void printUsage() {
    std::cout
        << "Usage: hebview-graphgen [options] -o FILE\n"
           "Writes a random compound graph, the same for the same options.\n"
           "  --nodes N       hierarchy nodes (default 1000)\n"
           "  --depth D       deepest level, root 0 (default 6)\n"
           "  --fan-out F     mean children per inner node (default 8)\n"
           "  --relations R   distinct relations between leaves (default 5000)\n"
           "  --locality P    share of relations within the source's grandparent (default 0.7)\n"
           "  --seed S        random seed (default 1)\n"
           "  -o FILE         output file\n";
}

bool parseNumber(const char* text, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0';
}

} // namespace

int main(int argc, char** argv) {
    SyntheticGraphParameters parameters;
    std::string output;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            printUsage();
            return 0;
        }
        double value = 0;
        if (i + 1 >= argc || (option != "-o" && !parseNumber(argv[i + 1], value))) {
            std::cerr << "hebview-graphgen: option " << option << " needs a "
                      << (option == "-o" ? "file name" : "number") << "\n";
            return 2;
        }
        const char* argument = argv[++i];
        if (option == "-o") {
            output = argument;
        } else if (option == "--nodes") {
            parameters.nodes = static_cast<int64_t>(value);
        } else if (option == "--depth") {
            parameters.depth = static_cast<int>(value);
        } else if (option == "--fan-out") {
            parameters.fanOut = static_cast<int>(value);
        } else if (option == "--relations") {
            parameters.relations = static_cast<int64_t>(value);
        } else if (option == "--locality") {
            parameters.locality = value;
        } else if (option == "--seed") {
            parameters.seed = static_cast<uint64_t>(value);
        } else {
            std::cerr << "hebview-graphgen: unknown option " << option << "\n";
            return 2;
        }
    }
    if (output.empty() || parameters.nodes < 1) {
        printUsage();
        return 2;
    }
    std::ofstream out(output, std::ios::binary);
    if (!out) {
        std::cerr << "hebview-graphgen: cannot write " << output << "\n";
        return 1;
    }
    const int64_t written = writeSyntheticGraph(parameters, out);
    out.close();
    if (!out) {
        std::cerr << "hebview-graphgen: writing " << output << " failed\n";
        return 1;
    }
    std::cout << "Wrote " << printable(output) << ": " << written << " nodes\n";
    return 0;
}
