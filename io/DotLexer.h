#pragma once

#include "base/Error.h"
#include "base/Result.h"

#include <cstddef>
#include <string>
#include <string_view>

// The words and marks of the DOT language, one at a time: keywords (in any
// case), IDs (letters, digits and underscores; numerals; double-quoted
// strings, joined by '+'; HTML strings in angle brackets) and punctuation.
// Blanks, "//" and "/* */" comments and lines starting with '#' are skipped.
enum class DotToken {
    End,
    Id,
    Strict,
    Graph,
    Digraph,
    Subgraph,
    Node,
    Edge,
    OpenBrace,
    CloseBrace,
    OpenBracket,
    CloseBracket,
    Semicolon,
    Comma,
    Equals,
    Colon,
    DirectedEdge,
    UndirectedEdge,
};

// An ID's text and whether it was an HTML string, which a label reads as
// markup.
struct DotText {
    std::string_view text;
    bool html = false;
};

class DotLexer {
public:
    explicit DotLexer(std::string_view text) : text(text) {}

    // Reads the next token; an Error with its line and column for one that
    // is malformed (a string or comment left open, a stray character).
    Status advance();

    DotToken token() const { return current; }
    // The ID read last. Its text lies in the file, or, where quotes were
    // undone or strings joined, in the lexer until the next advance
    // (inBuffer).
    DotText id() const { return value; }
    bool inBuffer() const { return buffered; }
    // Where the token starts in the text.
    std::size_t offset() const { return start; }
    std::size_t size() const { return text.size(); }

    // An Error at the offset, with its line and column.
    Error errorAt(std::size_t at, std::string reason) const;
    // The token as a message quotes it: `"->"`, or "the end of the file".
    std::string describe() const;

private:
    // Skips blanks and comments; an Error for a comment left open.
    Status skipSpace();
    Status readQuoted();
    // Appends a quoted string's inside to the buffer, quotes undone.
    void appendUnquoted(std::string_view inside);
    Status readHtml();
    Status readNumeral();
    void readWord();

    std::string_view text;
    std::size_t position = 0;
    // Whether only blanks lie between the last line end and the position:
    // a '#' there starts a line to skip.
    bool lineStart = true;
    DotToken current = DotToken::End;
    std::size_t start = 0;
    DotText value;
    bool buffered = false;
    std::string buffer;
};
