#include "graph/GraphFileReader.h"

#include "graph/Graph.h"
#include "graph/RelationPairSet.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <numeric>
#include <sys/stat.h>

void Graph::tokenize(std::string_view line, std::string_view delimiters,
                     std::vector<std::string_view>& tokens) {
    tokens.clear();
    // One bit per byte value: a line is scanned once, without a search of the
    // delimiter string per character.
    uint64_t isDelimiter[4] = {0, 0, 0, 0};
    for (const char c : delimiters) {
        const auto byte = static_cast<unsigned char>(c);
        isDelimiter[byte >> 6] |= uint64_t{1} << (byte & 63);
    }
    auto delimiterAt = [&](std::size_t i) {
        const auto byte = static_cast<unsigned char>(line[i]);
        return (isDelimiter[byte >> 6] >> (byte & 63) & 1) != 0;
    };
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && delimiterAt(i)) {
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() && !delimiterAt(i)) {
            ++i;
        }
        if (i > start) {
            tokens.push_back(line.substr(start, i - start));
        }
    }
}

std::string GraphFileReader::Result::describe(const std::string& path) const {
    if (line == 0) {
        return path + ": " + reason;
    }
    return path + ":" + std::to_string(line) + ": " + reason;
}

namespace {

std::string quoted(std::string_view text) {
    std::string result;
    result.reserve(text.size() + 2);
    result.append(1, '"').append(text).append(1, '"');
    return result;
}

// A decimal integer with an optional sign and nothing else; values beyond
// the int64 range saturate, which every caller treats as out of range.
bool parseInteger(std::string_view token, int64_t& value) {
    std::size_t i = 0;
    bool negative = false;
    if (i < token.size() && (token[i] == '+' || token[i] == '-')) {
        negative = token[i] == '-';
        ++i;
    }
    if (i == token.size()) {
        return false;
    }
    constexpr int64_t saturation = int64_t{1} << 62;
    int64_t magnitude = 0;
    for (; i < token.size(); ++i) {
        const char c = token[i];
        if (c < '0' || c > '9') {
            return false;
        }
        magnitude = magnitude <= saturation / 10 ? magnitude * 10 + (c - '0') : saturation;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

// Links nodes to their top ancestor so that a "PCR" line closing a cycle is
// found in near-constant time: the child has no parent yet, so it is the top
// of its own tree, and the link closes a cycle exactly when the parent already
// lies in that tree.
class TreeSets {
public:
    explicit TreeSets(std::size_t count) : representative(count) {
        std::iota(representative.begin(), representative.end(), 0);
    }

    int32_t find(int32_t node) {
        while (representative[node] != node) {
            representative[node] = representative[representative[node]];
            node = representative[node];
        }
        return node;
    }

    void join(int32_t a, int32_t b) { representative[find(a)] = find(b); }

private:
    std::vector<int32_t> representative;
};

class Parser {
public:
    explicit Parser(std::string_view fileText) : text(fileText) {}

    GraphFileReader::Result run() {
        std::size_t position = 0;
        std::vector<std::string_view> tokens;
        while (position < text.size() && result.reason.empty()) {
            std::size_t end = text.find('\n', position);
            if (end == std::string_view::npos) {
                end = text.size();
            }
            std::string_view line = text.substr(position, end - position);
            position = end + 1;
            ++lineNumber;
            if (!line.empty() && line.back() == '\r') {
                line.remove_suffix(1);
            }
            if (line.size() < 3) {
                continue;
            }
            Graph::tokenize(line, GraphFileReader::delimiters, tokens);
            if (!tokens.empty()) {
                applyRecord(tokens);
            }
        }
        if (result.reason.empty()) {
            checkWholeFile();
        }
        result.accepted = result.reason.empty();
        if (!result.accepted) {
            result.tables = {};
        } else {
            result.line = 0;
        }
        return std::move(result);
    }

private:
    void applyRecord(const std::vector<std::string_view>& tokens) {
        const std::string_view keyword = tokens[0];
        if (keyword == "HierarchyElements") {
            readHierarchyElements(tokens);
        } else if (keyword == "Root") {
            Node* node = nullptr;
            if (readIds(tokens, 1, "an id", &node)) {
                result.tables.root = node;
            }
        } else if (keyword == "H") {
            Node* node = nullptr;
            if (tokens.size() < 3) {
                fail("\"H\" line needs an id and a name");
            } else if (readIds(tokens, 1, "an id", &node)) {
                node->name.assign(tokens[2]);
            }
        } else if (keyword == "PCR") {
            Node* ends[2] = {nullptr, nullptr};
            if (readIds(tokens, 2, "a parent id and a child id", &ends[0], &ends[1])) {
                link(ends[0], ends[1]);
            }
        } else if (keyword == "R") {
            Node* ends[2] = {nullptr, nullptr};
            if (readIds(tokens, 2, "a source id and a target id", &ends[0], &ends[1])) {
                relate(tokens[1], tokens[2], ends[0], ends[1]);
            }
        }
    }

    void readHierarchyElements(const std::vector<std::string_view>& tokens) {
        if (haveHierarchy) {
            fail("second \"HierarchyElements\" line");
            return;
        }
        if (tokens.size() < 2) {
            fail("\"HierarchyElements\" line needs a node count");
            return;
        }
        int64_t count = 0;
        if (!parseInteger(tokens[1], count)) {
            fail("node count " + quoted(tokens[1]) + " is not a number");
            return;
        }
        if (count < 1) {
            fail("node count " + std::string(tokens[1]) + " is below 1");
            return;
        }
        if (count > GraphFileReader::maxNodes) {
            fail("node count " + std::string(tokens[1]) + " is above the limit of " +
                 std::to_string(GraphFileReader::maxNodes));
            return;
        }
        if (static_cast<uint64_t>(count) > text.size()) {
            fail("node count " + std::string(tokens[1]) + " is more than a file of " +
                 std::to_string(text.size()) + " bytes can describe");
            return;
        }
        haveHierarchy = true;
        auto& nodes = result.tables.nodes;
        nodes.reserve(static_cast<std::size_t>(count));
        for (int32_t id = 0; id < static_cast<int32_t>(count); ++id) {
            nodes.push_back(std::make_unique<Node>(id));
        }
        treeSets = std::make_unique<TreeSets>(nodes.size());
    }

    template <typename... Out>
    bool readIds(const std::vector<std::string_view>& tokens, std::size_t wanted,
                 const char* fieldsText, Out... out) {
        if (!haveHierarchy) {
            fail(quoted(tokens[0]) + " line comes before \"HierarchyElements\"");
            return false;
        }
        if (tokens.size() < wanted + 1) {
            fail(quoted(tokens[0]) + " line needs " + fieldsText);
            return false;
        }
        std::size_t field = 1;
        return (readId(tokens[field++], out) && ...);
    }

    bool readId(std::string_view token, Node** node) {
        int64_t id = 0;
        const int64_t last = static_cast<int64_t>(result.tables.nodes.size()) - 1;
        if (!parseInteger(token, id)) {
            fail("node id " + quoted(token) + " is not a number");
        } else if (id < 0) {
            fail("node id " + std::string(token) + " is negative");
        } else if (id > last) {
            fail("node id " + std::string(token) + " is out of range 0.." +
                 std::to_string(last));
        } else {
            *node = result.tables.nodes[static_cast<std::size_t>(id)].get();
            return true;
        }
        return false;
    }

    void link(Node* parent, Node* child) {
        if (child->parent != nullptr) {
            fail("node " + std::to_string(child->id) + " already has parent " +
                 std::to_string(child->parent->id));
        } else if (treeSets->find(parent->id) == treeSets->find(child->id)) {
            fail("making node " + std::to_string(child->id) + " a child of node " +
                 std::to_string(parent->id) + " closes a cycle");
        } else {
            parent->children.push_back(child);
            child->parent = parent;
            treeSets->join(child->id, parent->id);
        }
    }

    void relate(std::string_view sourceText, std::string_view targetText, Node* source,
                Node* target) {
        // A node related to itself has no route; "5" and "05" name the same node.
        if (sourceText == targetText || source == target) {
            return;
        }
        if (!relationPairs.insert(static_cast<uint32_t>(source->id),
                                  static_cast<uint32_t>(target->id))) {
            return;
        }
        auto& edges = result.tables.edges;
        if (edges.size() == GraphFileReader::maxRelations) {
            fail("more than " + std::to_string(GraphFileReader::maxRelations) + " relations");
            return;
        }
        edges.push_back(std::make_unique<Edge>(source, target));
    }

    void checkWholeFile() {
        if (result.tables.root == nullptr) {
            failFile("no \"Root\" line");
            return;
        }
        // Each curve's control polygon runs up both ancestor chains; refuse
        // hierarchies whose routes would not fit in memory.
        std::vector<uint32_t> chainLength(result.tables.nodes.size(), 0);
        std::vector<Node*> pending;
        for (const auto& node : result.tables.nodes) {
            Node* walk = node.get();
            while (walk != nullptr && chainLength[walk->id] == 0) {
                pending.push_back(walk);
                walk = walk->parent;
            }
            uint32_t length = walk == nullptr ? 0 : chainLength[walk->id];
            while (!pending.empty()) {
                chainLength[pending.back()->id] = ++length;
                pending.pop_back();
            }
        }
        uint64_t total = 0;
        for (const auto& edge : result.tables.edges) {
            total += chainLength[edge->source->id] + chainLength[edge->target->id] + 4;
        }
        if (total > GraphFileReader::maxControlPoints) {
            failFile("the relations' routes through the hierarchy need more than " +
                     std::to_string(GraphFileReader::maxControlPoints) + " control points");
        }
    }

    void fail(std::string reason) {
        result.reason = std::move(reason);
        result.line = lineNumber;
    }

    void failFile(std::string reason) {
        result.reason = std::move(reason);
        result.line = 0;
    }

    std::string_view text;
    GraphFileReader::Result result;
    int lineNumber = 0;
    bool haveHierarchy = false;
    std::unique_ptr<TreeSets> treeSets;
    RelationPairSet relationPairs;
};

} // namespace

GraphFileReader::Result GraphFileReader::parse(std::string_view text) {
    return Parser(text).run();
}

GraphFileReader::Result GraphFileReader::read(const std::string& path) {
    Result result;
    auto failWith = [&result](std::string reason) {
        result.reason = std::move(reason);
        return std::move(result);
    };
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return failWith(std::string("cannot open the file (") + std::strerror(errno) + ")");
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(file, &std::fclose);
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode)) {
        return failWith("cannot read the file (it is a directory)");
    }
    std::string text;
    char chunk[1 << 16];
    std::size_t got = 0;
    if (S_ISREG(info.st_mode) && static_cast<uint64_t>(info.st_size) <= maxFileBytes) {
        text.reserve(static_cast<std::size_t>(info.st_size));
    }
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        if (text.size() + got > maxFileBytes) {
            return failWith("the file is larger than " + std::to_string(maxFileBytes) +
                            " bytes");
        }
        text.append(chunk, got);
    }
    if (std::ferror(file)) {
        return failWith(std::string("cannot read the file (") + std::strerror(errno) + ")");
    }
    return parse(text);
}
