#include "io/GraphFileWriter.h"

#include "io/FileText.h"

namespace graphfile {

std::string nameForLines(std::string_view name) {
    std::string text;
    text.reserve(name.size());
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F) {
            text += "\xC2\xA0";
        } else if (c == '"') {
            text += "''";
        } else {
            text += c;
        }
    }
    return text;
}

std::string format(const CompoundGraph& graph) {
    std::string text = "HierarchyElements " + std::to_string(graph.nodeCount()) + "\n";
    if (graph.root != CompoundGraph::none) {
        text += "Root " + std::to_string(graph.root) + "\n";
    }
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        if (!graph.name(node).empty()) {
            text += "H " + std::to_string(node) + " " + nameForLines(graph.name(node)) + "\n";
        }
    }
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        for (const int32_t child : graph.children(node)) {
            text += "PCR " + std::to_string(node) + " " + std::to_string(child) + "\n";
        }
    }
    for (int32_t edge = 0; edge < graph.edgeCount(); ++edge) {
        text += "R " + std::to_string(graph.source[edge]) + " " +
                std::to_string(graph.target[edge]) + "\n";
    }
    return text;
}

Status write(const CompoundGraph& graph, const std::string& path) {
    return writeFileText(path, format(graph));
}

} // namespace graphfile
