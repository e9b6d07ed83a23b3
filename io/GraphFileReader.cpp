#include "io/GraphFileReader.h"

#include "base/SystemMemory.h"
#include "base/ThreadPool.h"
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

using Tokens = std::vector<std::string_view>;

// Why a node id cannot be read, or nothing when it can.
std::string readId(std::string_view token, int32_t nodeCount, int32_t* node) {
    int64_t id = 0;
    const int64_t last = nodeCount - 1;
    if (!parseInteger(token, id)) {
        return "node id " + inQuotes(token) + " is not a number";
    }
    if (id < 0) {
        return "node id " + shortened(token) + " is negative";
    }
    if (id > last) {
        return "node id " + shortened(token) + " is out of range 0.." + std::to_string(last);
    }
    *node = static_cast<int32_t>(id);
    return {};
}

// Why the ids of a record's fields cannot be read, or nothing when they
// can; they go to out, in order. Used on every thread: it keeps no state.
template <typename... Out>
std::string readIds(const Tokens& tokens, int32_t nodeCount, const char* fieldsText, Out... out) {
    if (tokens.size() < sizeof...(Out) + 1) {
        return inQuotes(tokens[0]) + " line needs " + fieldsText;
    }
    int32_t* const ids[] = {out...};
    for (std::size_t field = 1; field <= sizeof...(Out); ++field) {
        if (std::string fault = readId(tokens[field], nodeCount, ids[field - 1]); !fault.empty()) {
            return fault;
        }
    }
    return {};
}

// Up to nine digits from line[at], so that the value cannot overflow.
bool quickNumber(std::string_view line, std::size_t& at, uint32_t& value) {
    const std::size_t first = at;
    value = 0;
    while (at < line.size() && at - first < 9 && line[at] >= '0' && line[at] <= '9') {
        value = value * 10 + static_cast<uint32_t>(line[at] - '0');
        ++at;
    }
    return at > first;
}

// The ids of a relation record in the form nearly every file writes: "R",
// a blank, digits, a blank, digits, nothing more, and both ids in range.
// False for any other line; the general path reads it to the same result.
bool quickRelation(std::string_view line, int32_t nodeCount, uint32_t (&ends)[2]) {
    if (line.size() < 5 || line[0] != 'R' || line[1] != ' ') {
        return false;
    }
    std::size_t at = 2;
    if (!quickNumber(line, at, ends[0]) || at == line.size() || line[at] != ' ') {
        return false;
    }
    ++at;
    if (!quickNumber(line, at, ends[1]) || at != line.size()) {
        return false;
    }
    const auto count = static_cast<uint32_t>(nodeCount);
    return ends[0] < count && ends[1] < count;
}

bool isHierarchyRecord(std::string_view keyword) {
    return keyword == "HierarchyElements" || keyword == "Root" || keyword == "H" ||
           keyword == "PCR";
}

// A stretch of whole lines after the "HierarchyElements" line, parsed on
// its own thread. Relation records need only the node count, so they are
// read here; hierarchy records change what later ones mean, so their lines
// are kept to be applied in file order. The first relation record that
// cannot be read ends the chunk.
struct Chunk {
    std::string_view text;
    // In order; a node related to itself is left out.
    RelationBatch relations;
    // The hierarchy records: where each line starts in the text, and its
    // index among the chunk's lines.
    std::vector<std::pair<std::size_t, int>> records;
    int lineCount = 0;
    int faultLine = -1;
    std::string fault;

    // pairs is room for the relations as they are found, left empty.
    void parse(int32_t nodeCount, const DelimiterSet& delimiterSet, std::vector<uint64_t>& pairs) {
        parseLines(nodeCount, delimiterSet, pairs);
        relations = RelationBatch(pairs);
        pairs.clear();
    }

    // No record reads more than its keyword and two fields: the rest of a
    // line, however long, is never split up.
    static constexpr std::size_t tokensUsed = 3;

private:
    void parseLines(int32_t nodeCount, const DelimiterSet& delimiterSet,
                    std::vector<uint64_t>& pairs) {
        TextLines lines(text, nullptr);
        std::string_view line;
        Tokens tokens;
        while (lines.next(line)) {
            const int index = lineCount++;
            uint32_t ends[2] = {0, 0};
            if (quickRelation(line, nodeCount, ends)) {
                if (ends[0] != ends[1]) {
                    pairs.push_back(packedPair(ends[0], ends[1]));
                }
                continue;
            }
            if (line.size() < 3) {
                continue;
            }
            splitTokens(line, delimiterSet, tokens, tokensUsed);
            if (tokens.empty()) {
                continue;
            }
            if (tokens[0] == "R") {
                int32_t ids[2] = {0, 0};
                fault = readIds(tokens, nodeCount, "a source id and a target id", &ids[0], &ids[1]);
                if (!fault.empty()) {
                    faultLine = index;
                    return;
                }
                if (ids[0] != ids[1]) {
                    pairs.push_back(
                        packedPair(static_cast<uint32_t>(ids[0]), static_cast<uint32_t>(ids[1])));
                }
            } else if (isHierarchyRecord(tokens[0])) {
                records.emplace_back(static_cast<std::size_t>(line.data() - text.data()), index);
            }
        }
    }
};

// The text cut into chunks of about `bytes` each, each ending at a line
// feed or at the end of the text.
std::vector<Chunk> chunksOf(std::string_view text, std::size_t bytes) {
    std::vector<Chunk> chunks;
    for (std::size_t start = 0; start < text.size();) {
        std::size_t end = text.size();
        if (text.size() - start > bytes) {
            const std::size_t lineFeed =
                text.find('\n', start + std::max<std::size_t>(bytes, 1) - 1);
            end = lineFeed == std::string_view::npos ? text.size() : lineFeed + 1;
        }
        chunks.emplace_back().text = text.substr(start, end - start);
        start = end;
    }
    return chunks;
}

class Parser {
public:
    // A UTF-8 byte-order mark is no part of line 1.
    Parser(std::string_view fileText, Progress* progress, const ParseOptions& options)
        : text(withoutByteOrderMark(fileText)), progress(progress), options(options) {}
    // Owns the file's text, and frees it as soon as it is parsed.
    Parser(FileText owned, Progress* progress, const ParseOptions& options)
        : file(std::move(owned)), text(withoutByteOrderMark(file.view())), progress(progress),
          options(options) {}

    Result<CompoundGraph> run() {
        const std::size_t rest = readUpToTheNodeCount();
        linesBefore = lineNumber;
        if (fault.empty() && !cancelled && haveHierarchy) {
            readChunks(text.substr(rest));
        }
        // Names were copied: the text's room goes to the relations.
        file = FileText{};
        text = {};
        if (cancelled) {
            return Error(std::string(cancelledReason));
        }
        if (!fault.empty()) {
            return Error{fault, {}, lineNumber};
        }
        if (!builder.hasRoot()) {
            return Error{"no \"Root\" line"};
        }
        std::size_t relationCount = 0;
        for (const RelationBatch& batch : relations) {
            relationCount += batch.size();
        }
        if (relationCount > maxRelations) {
            return Error(graphlimits::relationLimitReason());
        }
        const std::optional<uint64_t> available =
            options.memoryAvailable ? options.memoryAvailable : availableMemoryBytes();
        if (Status memory = graphlimits::checkRelationMemory(relationCount, available); !memory) {
            return memory.error();
        }
        builder.relateAll(std::move(relations), ThreadPool::shared());
        CompoundGraph graph = builder.finish();
        if (Status routes = graphlimits::checkRouteSize(graph); !routes) {
            return routes.error();
        }
        return graph;
    }

private:
    // Reads lines one after the other up to the "HierarchyElements" line,
    // which says what ids the rest may use; returns where the rest starts.
    std::size_t readUpToTheNodeCount() {
        TextLines lines(text, progress);
        std::string_view line;
        Tokens tokens;
        while (fault.empty() && !haveHierarchy && lines.next(line)) {
            lineNumber = lines.number();
            if (line.size() < 3) {
                continue;
            }
            splitTokens(line, delimiterSet, tokens, Chunk::tokensUsed);
            if (tokens.empty()) {
                continue;
            }
            if (tokens[0] == "HierarchyElements") {
                readHierarchyElements(tokens);
            } else if (tokens[0] == "R" || isHierarchyRecord(tokens[0])) {
                fail(inQuotes(tokens[0]) + " line comes before \"HierarchyElements\"");
            }
        }
        cancelled = lines.cancelled();
        return lines.offset();
    }

    // The chunks are parsed a batch at a time on the pool's threads, while
    // one of them applies the hierarchy records of the batch before, in
    // file order. Between batches progress is reported, and a fault or a
    // cancel stops the reading.
    void readChunks(std::string_view rest) {
        std::vector<Chunk> chunks = chunksOf(rest, options.chunkBytes);
        ThreadPool& pool = ThreadPool::shared();
        const std::size_t batch = std::size_t{4} * pool.size();
        // Room for pairs per part of a batch: no two parts share it.
        std::vector<std::vector<uint64_t>> pairs(batch);
        const int32_t nodeCount = builder.nodeCount();
        std::size_t parsed = 0;
        std::size_t applied = 0;
        while (applied < chunks.size()) {
            const std::size_t count = std::min(batch, chunks.size() - parsed);
            const unsigned apply = applied < parsed ? 1 : 0;
            bool applies = true;
            pool.run(static_cast<unsigned>(count) + apply, [&](unsigned part) {
                if (part < apply) {
                    applies = applyChunks(chunks, applied, parsed);
                } else {
                    chunks[parsed + part - apply].parse(nodeCount, delimiterSet,
                                                        pairs[part - apply]);
                }
            });
            if (!applies) {
                return;
            }
            applied = parsed;
            parsed += count;
            if (progress != nullptr) {
                if (progress->cancelled()) {
                    cancelled = true;
                    return;
                }
                const std::string_view last = chunks[parsed - 1].text;
                const auto done = static_cast<std::size_t>(last.data() + last.size() - text.data());
                progress->advance(static_cast<double>(done) / static_cast<double>(text.size()));
            }
        }
    }

    // Applies the hierarchy records of chunks [first, end) and takes their
    // relations; false at a fault.
    bool applyChunks(std::vector<Chunk>& chunks, std::size_t first, std::size_t end) {
        for (std::size_t c = first; c < end; ++c) {
            Chunk& chunk = chunks[c];
            if (!applyRecords(chunk)) {
                return false;
            }
            if (!chunk.fault.empty()) {
                lineNumber = linesBefore + chunk.faultLine + 1;
                fail(std::move(chunk.fault));
                return false;
            }
            linesBefore += chunk.lineCount;
            relations.push_back(std::move(chunk.relations));
            chunk.records = {};
        }
        return true;
    }

    // Applies the chunk's hierarchy records; false at a fault.
    bool applyRecords(const Chunk& chunk) {
        Tokens tokens;
        for (const auto& [start, index] : chunk.records) {
            std::string_view line;
            TextLines(chunk.text.substr(start), nullptr).next(line);
            splitTokens(line, delimiterSet, tokens, Chunk::tokensUsed);
            lineNumber = linesBefore + index + 1;
            applyRecord(tokens);
            if (!fault.empty()) {
                return false;
            }
        }
        return true;
    }

    void applyRecord(const Tokens& tokens) {
        const std::string_view keyword = tokens[0];
        const int32_t nodeCount = builder.nodeCount();
        if (keyword == "HierarchyElements") {
            readHierarchyElements(tokens);
        } else if (keyword == "Root") {
            int32_t node = 0;
            if (read(readIds(tokens, nodeCount, "an id", &node))) {
                builder.setRoot(node);
            }
        } else if (keyword == "H") {
            int32_t node = 0;
            if (tokens.size() < 3) {
                fail("\"H\" line needs an id and a name");
            } else if (read(readIds(tokens, nodeCount, "an id", &node))) {
                builder.setName(node, tokens[2]);
            }
        } else if (keyword == "PCR") {
            int32_t ends[2] = {0, 0};
            if (read(
                    readIds(tokens, nodeCount, "a parent id and a child id", &ends[0], &ends[1]))) {
                link(ends[0], ends[1]);
            }
        }
    }

    void readHierarchyElements(const Tokens& tokens) {
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

    // True when the ids were read; else the reason is the fault.
    bool read(std::string reason) {
        if (reason.empty()) {
            return true;
        }
        fail(std::move(reason));
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

    void fail(std::string reason) { fault = std::move(reason); }

    FileText file;
    std::string_view text;
    Progress* progress;
    ParseOptions options;
    const DelimiterSet delimiterSet{delimiters};
    CompoundGraphBuilder builder;
    // The relations of the chunks applied so far, chunk by chunk.
    std::vector<RelationBatch> relations;
    // The lines before the next chunk to apply.
    int linesBefore = 0;
    std::string fault;
    int lineNumber = 0;
    bool haveHierarchy = false;
    bool cancelled = false;
};

} // namespace

Result<CompoundGraph> parse(std::string_view text, Progress* progress,
                            const ParseOptions& options) {
    return Parser(text, progress, options).run();
}

Result<CompoundGraph> read(const std::string& path, Progress* progress) {
    Result<FileText> text = readFileText(path, maxFileBytes, progress);
    if (!text) {
        return text.error();
    }
    Result<CompoundGraph> parsed = Parser(std::move(text).value(), progress, {}).run();
    if (!parsed) {
        Error error = parsed.error();
        error.path = path;
        return error;
    }
    return parsed;
}

} // namespace graphfile
