#pragma once

#include "analysis/DependencyMatrix.h"
#include "graph/CompoundGraph.h"
#include "io/FileText.h"

#include <string>
#include <string_view>

// A CSV field as RFC 4180 writes one: in double quotes, each inner quote
// doubled, when it holds a comma, a quote or a line break; else as it is.
std::string csvField(std::string_view text);

// The matrix as CSV, a line at a time into the sink: first an empty field
// and the columns' node paths, then per row its node's path and its counts.
// Lines end in CR LF, as RFC 4180 has them.
void writeMatrixCsv(const CompoundGraph& graph, const DependencyMatrix& matrix,
                    const TextSink& sink);
