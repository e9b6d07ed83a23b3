#include "io/GraphReading.h"

#include "base/PathNames.h"
#include "io/DotGraphReader.h"
#include "io/EdgeListReader.h"
#include "io/FileText.h"
#include "io/GraphFileReader.h"
#include "io/GraphLimits.h"
#include "io/GraphMlReader.h"
#include "io/JsonGraphReader.h"

namespace {

constexpr std::string_view blankSpace = " \t\r\n";

char firstVisible(std::string_view text) {
    text = withoutByteOrderMark(text);
    const std::size_t at = text.find_first_not_of(blankSpace);
    return at == std::string_view::npos ? '\0' : text[at];
}

const char* formatName(GraphFormat format) {
    switch (format) {
    case GraphFormat::Lines:
        return "the line format";
    case GraphFormat::Json:
        return "JSON";
    case GraphFormat::EdgeList:
        return "an edge list";
    case GraphFormat::TabSeparated:
        return "a tab-separated edge list";
    case GraphFormat::GraphMl:
        return "GraphML";
    case GraphFormat::Dot:
        return "DOT";
    }
    return "";
}

// An Error when the content plainly is another format than the extension
// says.
Status checkContent(std::string_view text, GraphFormat named) {
    const char first = firstVisible(text);
    const bool looksJson = first == '{' || first == '[';
    const bool looksXml = first == '<';
    std::string found;
    if (named == GraphFormat::Json && !looksJson) {
        found = looksXml ? "XML" : "no JSON object or array";
    } else if (named == GraphFormat::Dot && (looksJson || looksXml)) {
        found = looksJson ? "JSON" : "XML";
    } else if (named == GraphFormat::GraphMl && !looksXml) {
        found = looksJson ? "JSON" : "no XML";
    } else if ((named == GraphFormat::Lines || named == GraphFormat::EdgeList ||
                named == GraphFormat::TabSeparated) &&
               (looksJson || looksXml)) {
        found = looksJson ? "JSON" : "XML";
    }
    if (found.empty()) {
        return {};
    }
    return Error(
        std::string("the name says ") + formatName(named) + ", but the content is " + found +
        " (starting with '" + std::string(1, first) +
        "'); give the file the extension of its format (.rsf, .json, .csv, .graphml, .dot)");
}

// An Error for a file with nothing in it to read.
Status checkNotEmpty(std::string_view text) {
    text = withoutByteOrderMark(text);
    if (text.empty()) {
        return Error("the file is empty");
    }
    if (text.find_first_not_of(blankSpace) == std::string_view::npos) {
        return Error("the file is empty but for blanks and line ends");
    }
    return {};
}

} // namespace

std::optional<GraphFormat> formatOfPath(std::string_view path) {
    const std::string extension = lowerExtension(path);
    if (extension == "rsf") {
        return GraphFormat::Lines;
    }
    if (extension == "json") {
        return GraphFormat::Json;
    }
    if (extension == "csv" || extension == "txt") {
        return GraphFormat::EdgeList;
    }
    if (extension == "tsv") {
        return GraphFormat::TabSeparated;
    }
    if (extension == "graphml") {
        return GraphFormat::GraphMl;
    }
    if (extension == "dot" || extension == "gv") {
        return GraphFormat::Dot;
    }
    return std::nullopt;
}

GraphFormat formatOfContent(std::string_view text) {
    const char first = firstVisible(text);
    if (first == '{' || first == '[') {
        return GraphFormat::Json;
    }
    if (first == '<') {
        return GraphFormat::GraphMl;
    }
    return dotgraph::looksLikeDot(text) ? GraphFormat::Dot : GraphFormat::Lines;
}

Result<CompoundGraph> parseGraph(std::string_view text, GraphFormat format,
                                 std::string_view rootName, const GraphReadOptions& options) {
    if (Status filled = checkNotEmpty(text); !filled) {
        return filled.error();
    }
    switch (format) {
    case GraphFormat::Lines:
        return graphfile::parse(text, options.progress);
    case GraphFormat::Json:
        return jsongraph::parse(text, rootName, options.separator, options.progress);
    case GraphFormat::EdgeList:
        return edgelist::parse(text, rootName, options.separator, options.progress);
    case GraphFormat::TabSeparated:
        return edgelist::parse(text, rootName, options.separator, options.progress, '\t');
    case GraphFormat::GraphMl:
        return graphml::parse(text, rootName, options.progress);
    case GraphFormat::Dot:
        return dotgraph::parse(text, rootName, options.separator, options.dotNames,
                               options.progress, options.warnings);
    }
    return Error("unknown format");
}

Result<CompoundGraph> readGraph(const std::string& path, const GraphReadOptions& options) {
    Result<CompoundGraph> read =
        graphlimits::withinMemory<CompoundGraph>([&]() -> Result<CompoundGraph> {
            Result<FileText> text = readFileText(path, graphlimits::maxFileBytes, options.progress);
            if (!text) {
                return text.error();
            }
            const std::string_view content = text.value().view();
            const std::optional<GraphFormat> named = formatOfPath(path);
            Status readable = checkNotEmpty(content);
            if (readable && named) {
                readable = checkContent(content, *named);
            }
            if (!readable) {
                return readable.error();
            }
            // A root made above several top-level names is named after the
            // file.
            return parseGraph(content, named.value_or(formatOfContent(content)), stem(path),
                              options);
        });
    if (!read) {
        Error error = read.error();
        error.path = path;
        return error;
    }
    return read;
}
