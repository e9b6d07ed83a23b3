#include "analysis/MatrixCsv.h"

#include "analysis/NodePaths.h"

#include <cstddef>
#include <vector>

namespace {

constexpr std::string_view lineEnd = "\r\n";

} // namespace

std::string csvField(std::string_view text) {
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        return std::string(text);
    }
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '"') {
            quoted += '"';
        }
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

void writeMatrixCsv(const CompoundGraph& graph, const DependencyMatrix& matrix,
                    const TextSink& sink) {
    std::vector<std::string> paths;
    paths.reserve(matrix.rows.nodes.size());
    std::string line;
    for (const int32_t node : matrix.rows.nodes) {
        paths.push_back(csvField(nodePath(graph, node)));
        line += ',';
        line += paths.back();
    }
    line += lineEnd;
    if (!sink(line)) {
        return;
    }
    std::vector<int64_t> counts;
    for (int32_t row = 0; row < matrix.size(); ++row) {
        counts.assign(paths.size(), 0);
        for (const DependencyMatrix::Cell& cell : matrix.row(row)) {
            counts[static_cast<std::size_t>(cell.column)] = cell.relations;
        }
        line = paths[static_cast<std::size_t>(row)];
        for (const int64_t count : counts) {
            line += ',';
            line += std::to_string(count);
        }
        line += lineEnd;
        if (!sink(line)) {
            return;
        }
    }
}
