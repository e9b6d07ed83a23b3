#include "io/GraphFileReader.h"

#include "graph/CompoundGraphBuilder.h"
#include "io/FileText.h"
#include "io/GraphLimits.h"
#include "io/TextLines.h"

#include <algorithm>

namespace graphfile {

namespace {

// One bit per byte value: a line is scanned once, without a search of the
// delimiter string per character.
class DelimiterSet {
public:
    explicit DelimiterSet(std::string_view delimiters) {
        for (const char c : delimiters) {
            const auto byte = static_cast<unsigned char>(c);
            bits[byte >> 6] |= uint64_t{1} << (byte & 63);
        }
    }
    bool contains(char c) const {
        const auto byte = static_cast<unsigned char>(c);
        return (bits[byte >> 6] >> (byte & 63) & 1) != 0;
    }

private:
    uint64_t bits[4] = {0, 0, 0, 0};
};

// Empties tokens, then appends the line's first `most` tokens.
void splitTokens(std::string_view line, const DelimiterSet& delimiters,
                 std::vector<std::string_view>& tokens, std::size_t most) {
    tokens.clear();
    std::size_t i = 0;
    while (i < line.size() && tokens.size() < most) {
        while (i < line.size() && delimiters.contains(line[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < line.size() && !delimiters.contains(line[i])) {
            ++i;
        }
        if (i > start) {
            tokens.push_back(line.substr(start, i - start));
        }
    }
}

} // namespace

void tokenize(std::string_view line, std::string_view delimiters,
              std::vector<std::string_view>& tokens) {
    splitTokens(line, DelimiterSet(delimiters), tokens, line.size());
}

namespace {

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

class Parser {
public:
    // A UTF-8 byte-order mark is no part of line 1.
    Parser(std::string_view fileText, Progress* progress)
        : text(withoutByteOrderMark(fileText)), progress(progress) {}

    Result<CompoundGraph> run() {
        TextLines lines(text, progress);
        std::string_view line;
        std::vector<std::string_view> tokens;
        while (fault.empty() && lines.next(line)) {
            lineNumber = lines.number();
            if (line.size() < 3) {
                continue;
            }
            splitTokens(line, delimiterSet, tokens, tokensUsed);
            if (!tokens.empty()) {
                applyRecord(tokens);
            }
        }
        if (lines.cancelled()) {
            return Error(std::string(cancelledReason));
        }
        if (!fault.empty()) {
            return Error{fault, {}, lineNumber};
        }
        if (!builder.hasRoot()) {
            return Error{"no \"Root\" line"};
        }
        CompoundGraph graph = builder.finish();
        if (Status routes = graphlimits::checkRouteSize(graph); !routes) {
            return routes.error();
        }
        return graph;
    }

private:
    // No record reads more than its keyword and two fields: the rest of a
    // line, however long, is never split up.
    static constexpr std::size_t tokensUsed = 3;

    void applyRecord(const std::vector<std::string_view>& tokens) {
        const std::string_view keyword = tokens[0];
        if (keyword == "HierarchyElements") {
            readHierarchyElements(tokens);
        } else if (keyword == "Root") {
            int32_t node = 0;
            if (readIds(tokens, 1, "an id", &node)) {
                builder.setRoot(node);
            }
        } else if (keyword == "H") {
            int32_t node = 0;
            if (tokens.size() < 3) {
                fail("\"H\" line needs an id and a name");
            } else if (readIds(tokens, 1, "an id", &node)) {
                builder.setName(node, tokens[2]);
            }
        } else if (keyword == "PCR") {
            int32_t ends[2] = {0, 0};
            if (readIds(tokens, 2, "a parent id and a child id", &ends[0], &ends[1])) {
                link(ends[0], ends[1]);
            }
        } else if (keyword == "R") {
            int32_t ends[2] = {0, 0};
            if (readIds(tokens, 2, "a source id and a target id", &ends[0], &ends[1])) {
                relate(ends[0], ends[1]);
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
            fail("node count " + inQuotes(tokens[1]) + " is not a number");
        } else if (count < 1) {
            fail("node count " + shortened(tokens[1]) + " is below 1");
        } else if (count > maxNodes) {
            fail("node count " + shortened(tokens[1]) + " is above the limit of " +
                 std::to_string(maxNodes));
        } else if (static_cast<uint64_t>(count) > text.size()) {
            fail("node count " + shortened(tokens[1]) + " is more than a file of " +
                 std::to_string(text.size()) + " bytes can describe");
        } else {
            haveHierarchy = true;
            builder.addNodes(static_cast<int32_t>(count));
        }
    }

    template <typename... Out>
    bool readIds(const std::vector<std::string_view>& tokens, std::size_t wanted,
                 const char* fieldsText, Out... out) {
        if (!haveHierarchy) {
            fail(inQuotes(tokens[0]) + " line comes before \"HierarchyElements\"");
            return false;
        }
        if (tokens.size() < wanted + 1) {
            fail(inQuotes(tokens[0]) + " line needs " + fieldsText);
            return false;
        }
        std::size_t field = 1;
        return (readId(tokens[field++], out) && ...);
    }

    bool readId(std::string_view token, int32_t* node) {
        int64_t id = 0;
        const int64_t last = builder.nodeCount() - 1;
        if (!parseInteger(token, id)) {
            fail("node id " + inQuotes(token) + " is not a number");
        } else if (id < 0) {
            fail("node id " + shortened(token) + " is negative");
        } else if (id > last) {
            fail("node id " + shortened(token) + " is out of range 0.." + std::to_string(last));
        } else {
            *node = static_cast<int32_t>(id);
            return true;
        }
        return false;
    }

    void link(int32_t parent, int32_t child) {
        switch (builder.link(parent, child)) {
        case CompoundGraphBuilder::LinkFault::None:
            break;
        case CompoundGraphBuilder::LinkFault::SecondParent:
            fail("node " + std::to_string(child) + " already has parent " +
                 std::to_string(builder.parentOf(child)));
            break;
        case CompoundGraphBuilder::LinkFault::Cycle:
            fail("making node " + std::to_string(child) + " a child of node " +
                 std::to_string(parent) + " closes a cycle");
            break;
        }
    }

    // A node related to itself has no route ("5" and "05" name the same
    // node); a repeated pair adds nothing.
    void relate(int32_t source, int32_t target) {
        if (builder.relate(source, target) && builder.relationCount() > maxRelations) {
            fail("more than " + std::to_string(maxRelations) + " relations");
        }
    }

    void fail(std::string reason) { fault = std::move(reason); }

    std::string_view text;
    Progress* progress;
    const DelimiterSet delimiterSet{delimiters};
    CompoundGraphBuilder builder;
    std::string fault;
    int lineNumber = 0;
    bool haveHierarchy = false;
};

} // namespace

Result<CompoundGraph> parse(std::string_view text, Progress* progress) {
    return Parser(text, progress).run();
}

Result<CompoundGraph> read(const std::string& path, Progress* progress) {
    Result<FileText> text = readFileText(path, maxFileBytes, progress);
    if (!text) {
        return text.error();
    }
    Result<CompoundGraph> parsed = parse(text.value().view(), progress);
    if (!parsed) {
        Error error = parsed.error();
        error.path = path;
        return error;
    }
    return parsed;
}

} // namespace graphfile
