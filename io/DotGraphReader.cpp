#include "io/DotGraphReader.h"

#include "io/DotLexer.h"
#include "io/FileText.h"

#include <cstdint>

namespace dotgraph {

namespace {

constexpr int32_t none = DotClusters::none;

// An edge's end: one node, or the nodes mentioned in a subgraph,
// members[first .. last).
struct Operand {
    int32_t node = none;
    std::size_t first = 0;
    std::size_t last = 0;
};

// How far a statement has come.
struct Statement {
    // A node or a subgraph has been read.
    bool hasOperand = false;
    // An edge operator has been read after it: the next end is wanted.
    bool wantsOperand = false;
    bool isEdge = false;
    Operand left;
};

// A graph's or a subgraph's body, open. Bodies are kept on a stack of
// their own, not the program's, so that clusters may nest as deep as a
// file likes.
struct Frame {
    // The innermost cluster it is or lies in; none outside every cluster.
    int32_t cluster = none;
    // The cluster it is, if it is one.
    int32_t own = none;
    // Where the nodes mentioned in it start in members.
    std::size_t firstMember = 0;
    uint32_t serial = 0;
    // The statement around it, of which it is an operand.
    Statement outer;
};

// What a label read in an attribute list names.
struct LabelTarget {
    enum class Kind { None, Node, Cluster };
    Kind kind = Kind::None;
    int32_t id = none;
};

class Parser {
public:
    Parser(std::string_view text, DotContent& content, Progress* progress)
        : lexer(text), content(content), progress(progress) {}

    Status parse() {
        if (Status read = lexer.advance(); !read) {
            return read;
        }
        do {
            if (Status read = graph(); !read) {
                return read;
            }
        } while (lexer.token() != DotToken::End);
        return {};
    }

private:
    // Progress is reported, and a cancel looked for, every this many bytes.
    static constexpr std::size_t progressStep = std::size_t{1} << 20;

    DotToken token() const { return lexer.token(); }
    Status advance() { return lexer.advance(); }
    Error expected(const std::string& what) const {
        return lexer.errorAt(lexer.offset(), "expected " + what);
    }
    // Reads past the token, which must be of that kind.
    Status consume(DotToken kind, const std::string& what) {
        return token() == kind ? advance() : expected(what);
    }
    // Reads past the token where it is of one of the kinds.
    Status skip(DotToken kind, DotToken other = DotToken::End) {
        return token() == kind || (token() == other && other != DotToken::End) ? advance()
                                                                               : Status();
    }

    Status graph() {
        const bool strict = token() == DotToken::Strict;
        if (Status read = skip(DotToken::Strict); !read) {
            return read;
        }
        if (token() != DotToken::Graph && token() != DotToken::Digraph) {
            return expected(strict ? "\"graph\" or \"digraph\" after \"strict\""
                                   : "\"graph\" or \"digraph\"");
        }
        directed = token() == DotToken::Digraph;
        if (Status read = advance(); !read) {
            return read;
        }
        if (Status read = skip(DotToken::Id); !read) {
            return read;
        }
        if (Status read = consume(DotToken::OpenBrace, "\"{\" to open the graph"); !read) {
            return read;
        }
        return body();
    }

    Status body() {
        frames.assign(1, Frame{});
        members.clear();
        Statement statement;
        for (;;) {
            if (Status reported = report(); !reported) {
                return reported;
            }
            const DotToken current = token();
            if (statement.wantsOperand) {
                Status read = current == DotToken::Id ? node(statement)
                              : current == DotToken::Subgraph || current == DotToken::OpenBrace
                                  ? openSubgraph(statement)
                                  : expected("a node or a subgraph after " +
                                             std::string(directed ? "\"->\"" : "\"--\""));
                if (!read) {
                    return read;
                }
                continue;
            }
            if (statement.hasOperand) {
                if (current == DotToken::DirectedEdge || current == DotToken::UndirectedEdge) {
                    if ((current == DotToken::DirectedEdge) != directed) {
                        return lexer.errorAt(
                            lexer.offset(), directed ? "\"--\" in a digraph, whose edges are \"->\""
                                                     : "\"->\" in an undirected graph, whose "
                                                       "edges are \"--\"");
                    }
                    statement.wantsOperand = statement.isEdge = true;
                    if (Status read = advance(); !read) {
                        return read;
                    }
                    continue;
                }
                const Statement ended = endStatement(statement);
                if (current == DotToken::OpenBracket) {
                    LabelTarget target;
                    if (!ended.isEdge && ended.left.node != none && content.wantsNodeLabels()) {
                        target = {LabelTarget::Kind::Node, ended.left.node};
                    }
                    if (Status read = attributes(target); !read) {
                        return read;
                    }
                    continue;
                }
            }
            if (current == DotToken::CloseBrace && frames.size() == 1) {
                return advance();
            }
            if (Status read = statementStart(statement); !read) {
                return read;
            }
        }
    }

    // The token that starts a statement: a separator, the end of a
    // subgraph's body, an attribute statement, a subgraph or an ID.
    Status statementStart(Statement& statement) {
        switch (token()) {
        case DotToken::Semicolon:
        case DotToken::Comma:
            return advance();
        case DotToken::CloseBrace:
            return closeSubgraph(statement);
        case DotToken::Graph:
        case DotToken::Node:
        case DotToken::Edge:
            return attributeStatement();
        case DotToken::Subgraph:
        case DotToken::OpenBrace:
            return openSubgraph(statement);
        case DotToken::Id:
            return node(statement);
        case DotToken::End:
            return expected("\"}\" before the end of the file");
        default:
            return lexer.errorAt(lexer.offset(), "expected a statement, found " + lexer.describe());
        }
    }

    // The statement ends; what it was.
    Statement endStatement(Statement& statement) {
        const Statement ended = statement;
        statement = {};
        // At the top, no subgraph is open whose nodes an edge could want.
        if (frames.size() == 1) {
            members.clear();
        }
        return ended;
    }

    Status report() {
        if (progress == nullptr || lexer.offset() < nextReport) {
            return {};
        }
        if (progress->cancelled()) {
            return Error(std::string(cancelledReason));
        }
        progress->advance(static_cast<double>(lexer.offset()) / static_cast<double>(lexer.size()));
        nextReport = lexer.offset() + progressStep;
        return {};
    }

    // An ID at the start of a statement or after an edge operator: a node,
    // with a port, or in a statement of its own, the name of an attribute
    // of the graph.
    Status node(Statement& statement) {
        const std::size_t at = lexer.offset();
        std::string_view id = lexer.id().text;
        const bool inBuffer = lexer.inBuffer();
        if (inBuffer) {
            held.assign(id);
            id = held;
        }
        if (Status read = advance(); !read) {
            return read;
        }
        if (!statement.hasOperand && token() == DotToken::Equals) {
            return assignment(id);
        }
        const Result<int32_t> made = content.node(id, inBuffer, frames.back().cluster);
        if (!made) {
            return lexer.errorAt(at, made.error().reason);
        }
        const int32_t node = made.value();
        if (frames.size() > 1) {
            if (static_cast<std::size_t>(node) >= memberStamps.size()) {
                memberStamps.resize(static_cast<std::size_t>(node) + 1, 0);
            }
            // Once per body is enough for the edges that take its nodes.
            if (memberStamps[static_cast<std::size_t>(node)] != frames.back().serial) {
                memberStamps[static_cast<std::size_t>(node)] = frames.back().serial;
                members.push_back(node);
            }
        }
        for (int part = 0; part < 2 && token() == DotToken::Colon; ++part) {
            if (Status read = advance(); !read) {
                return read;
            }
            if (Status read = consume(DotToken::Id, "a port after \":\""); !read) {
                return read;
            }
        }
        return completeOperand(statement, {node, 0, 0});
    }

    // "ID = value" in a body: a label names the cluster it is in.
    Status assignment(std::string_view key) {
        if (Status read = advance(); !read) {
            return read;
        }
        if (token() != DotToken::Id) {
            return expected("a value after \"=\"");
        }
        if (key == "label" && frames.back().own != none) {
            content.labelCluster(frames.back().own, lexer.id(), lexer.inBuffer());
        }
        return advance();
    }

    // "graph [...]", "node [...]" or "edge [...]".
    Status attributeStatement() {
        const bool ofGraph = token() == DotToken::Graph;
        const std::string keyword = lexer.describe();
        if (Status read = advance(); !read) {
            return read;
        }
        if (token() != DotToken::OpenBracket) {
            return expected("\"[\" after " + keyword);
        }
        LabelTarget target;
        if (ofGraph && frames.back().own != none) {
            target = {LabelTarget::Kind::Cluster, frames.back().own};
        }
        return attributes(target);
    }

    // One or more "[name = value, ...]" lists; a label goes to the target.
    Status attributes(const LabelTarget& target) {
        while (token() == DotToken::OpenBracket) {
            if (Status read = advance(); !read) {
                return read;
            }
            while (token() != DotToken::CloseBracket) {
                if (token() != DotToken::Id) {
                    return expected("an attribute name or \"]\"");
                }
                const bool isLabel = lexer.id().text == "label";
                if (Status read = advance(); !read) {
                    return read;
                }
                if (Status read = consume(DotToken::Equals, "\"=\" after the attribute's name");
                    !read) {
                    return read;
                }
                if (token() != DotToken::Id) {
                    return expected("a value after \"=\"");
                }
                if (isLabel && target.kind == LabelTarget::Kind::Node) {
                    content.labelNode(target.id, lexer.id(), lexer.inBuffer());
                } else if (isLabel && target.kind == LabelTarget::Kind::Cluster) {
                    content.labelCluster(target.id, lexer.id(), lexer.inBuffer());
                }
                if (Status read = advance(); !read) {
                    return read;
                }
                if (Status read = skip(DotToken::Semicolon, DotToken::Comma); !read) {
                    return read;
                }
            }
            if (Status read = advance(); !read) {
                return read;
            }
        }
        return {};
    }

    // "subgraph ID {", "subgraph {" or "{": a body opens, part of the
    // statement, which waits on the stack until it closes.
    Status openSubgraph(Statement& statement) {
        std::string_view id;
        bool inBuffer = false;
        if (token() == DotToken::Subgraph) {
            if (Status read = advance(); !read) {
                return read;
            }
            if (token() == DotToken::Id) {
                id = lexer.id().text;
                inBuffer = lexer.inBuffer();
                if (inBuffer) {
                    held.assign(id);
                    id = held;
                }
                if (Status read = advance(); !read) {
                    return read;
                }
            }
        }
        if (token() != DotToken::OpenBrace) {
            return expected("\"{\" to open the subgraph");
        }
        Frame frame{frames.back().cluster, none, members.size(), ++serials, statement};
        if (DotClusters::isCluster(id)) {
            const Result<int32_t> cluster = content.cluster(id, inBuffer, frame.cluster);
            if (!cluster) {
                return lexer.errorAt(lexer.offset(), cluster.error().reason);
            }
            frame.own = frame.cluster = cluster.value();
        }
        frames.push_back(frame);
        statement = {};
        return advance();
    }

    // A body's "}": the statement it is part of goes on with its nodes.
    Status closeSubgraph(Statement& statement) {
        const Frame closed = frames.back();
        frames.pop_back();
        statement = closed.outer;
        if (Status read = advance(); !read) {
            return read;
        }
        return completeOperand(statement, {none, closed.firstMember, members.size()});
    }

    // An operand read: an edge operator before it relates the one before
    // to it, pair by pair.
    Status completeOperand(Statement& statement, const Operand& operand) {
        if (statement.wantsOperand) {
            const Operand from = statement.left;
            const auto nodeAt = [&](const Operand& side, std::size_t i) {
                return side.node != none ? side.node : members[side.first + i];
            };
            const auto sizeOf = [](const Operand& side) {
                return side.node != none ? std::size_t{1} : side.last - side.first;
            };
            for (std::size_t s = 0; s < sizeOf(from); ++s) {
                for (std::size_t t = 0; t < sizeOf(operand); ++t) {
                    if (Status related = content.relate(nodeAt(from, s), nodeAt(operand, t));
                        !related) {
                        return lexer.errorAt(lexer.offset(), related.error().reason);
                    }
                }
            }
            statement.wantsOperand = false;
        }
        statement.left = operand;
        statement.hasOperand = true;
        return {};
    }

    DotLexer lexer;
    DotContent& content;
    Progress* progress;
    std::size_t nextReport = progressStep;
    bool directed = false;
    std::vector<Frame> frames;
    // The nodes mentioned in the open subgraphs, for edges that take them.
    std::vector<int32_t> members;
    // Per node, the body it was last put into members for.
    std::vector<uint32_t> memberStamps;
    uint32_t serials = 0;
    // An ID that the lexer's next token would overwrite.
    std::string held;
};

} // namespace

std::optional<DotNames> namesCalled(std::string_view word) {
    if (word == "id") {
        return DotNames::Id;
    }
    if (word == "label") {
        return DotNames::Label;
    }
    return std::nullopt;
}

bool looksLikeDot(std::string_view text) {
    DotLexer lexer(withoutByteOrderMark(text));
    return lexer.advance().ok() &&
           (lexer.token() == DotToken::Strict || lexer.token() == DotToken::Graph ||
            lexer.token() == DotToken::Digraph);
}

Result<CompoundGraph> parse(std::string_view text, std::string_view rootName,
                            std::string_view separator, DotNames names, Progress* progress,
                            std::vector<std::string>* warnings) {
    DotContent content(names);
    Parser parser(withoutByteOrderMark(text), content, progress);
    if (Status read = parser.parse(); !read) {
        return read.error();
    }
    std::vector<std::string> notes;
    Result<CompoundGraph> graph = content.finish(rootName, separator, notes);
    if (graph && warnings != nullptr) {
        warnings->insert(warnings->end(), notes.begin(), notes.end());
    }
    return graph;
}

} // namespace dotgraph
