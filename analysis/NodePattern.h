#pragma once

#include "base/Result.h"
#include "graph/CompoundGraph.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A pattern of node paths (see nodePath). A character stands for itself,
// '.' for a dot of the path, between two names or within one, "\." for a
// dot within a name only, '*' for any run of characters without a dot,
// "**" for any run at all, "\*" and "\\" for '*' and '\'. A pattern
// matches a path whole. The top of a tree, whose path is empty (its name
// left out), is matched by none.
class NodePattern {
public:
    // The most bytes a pattern may have.
    static constexpr std::size_t maxBytes = 1000;

    // The pattern, or an Error whose column counts from 1 at the text's
    // first byte.
    static Result<NodePattern> parse(std::string_view text);

    const std::string& text() const { return written; }
    // Per node, whether the pattern matches its path. Walks each tree from
    // its top, a name at a time, so a path is never built.
    std::vector<bool> matchesIn(const CompoundGraph& graph) const;

private:
    enum class Kind : uint8_t { Character, AnyDot, InnerDot, Star, AnyRun };
    struct Token {
        Kind kind;
        char character;
    };
    class Matcher;

    std::vector<Token> tokens;
    std::string written;
};

// Per node, the node closest to the top of its tree among itself and its
// ancestors that `matched` marks; none where none is.
std::vector<int32_t> highestMatches(const CompoundGraph& graph, const std::vector<bool>& matched);
