#include "io/DotLexer.h"

#include "io/FileText.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Letters, underscores and every byte of a multi-byte character.
bool isWordStart(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_' ||
           static_cast<unsigned char>(c) >= 0x80;
}

bool isWordPart(char c) {
    return isWordStart(c) || isDigit(c);
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f';
}

bool equalsIgnoringCase(std::string_view word, std::string_view keyword) {
    if (word.size() != keyword.size()) {
        return false;
    }
    for (std::size_t i = 0; i < word.size(); ++i) {
        if ((word[i] | 0x20) != keyword[i]) {
            return false;
        }
    }
    return true;
}

DotToken keywordOrId(std::string_view word) {
    static constexpr std::array<std::pair<std::string_view, DotToken>, 6> keywords{{
        {"strict", DotToken::Strict},
        {"graph", DotToken::Graph},
        {"digraph", DotToken::Digraph},
        {"subgraph", DotToken::Subgraph},
        {"node", DotToken::Node},
        {"edge", DotToken::Edge},
    }};
    for (const auto& [keyword, token] : keywords) {
        if (equalsIgnoringCase(word, keyword)) {
            return token;
        }
    }
    return DotToken::Id;
}

} // namespace

Error DotLexer::errorAt(std::size_t at, std::string reason) const {
    const TextPosition where = positionAt(text, at);
    return Error(std::move(reason), {}, where.line, where.column);
}

std::string DotLexer::describe() const {
    if (current == DotToken::End) {
        return "the end of the file";
    }
    return inQuotes(text.substr(start, position - start));
}

Status DotLexer::skipSpace() {
    while (position < text.size()) {
        const char c = text[position];
        if (c == '\n') {
            lineStart = true;
            ++position;
        } else if (isBlank(c)) {
            ++position;
        } else if (c == '#' && lineStart) {
            position = std::min(text.find('\n', position), text.size());
        } else if (c == '/' && position + 1 < text.size() && text[position + 1] == '/') {
            position = std::min(text.find('\n', position), text.size());
        } else if (c == '/' && position + 1 < text.size() && text[position + 1] == '*') {
            const std::size_t end = text.find("*/", position + 2);
            if (end == std::string_view::npos) {
                return errorAt(position, "a comment has no closing \"*/\"");
            }
            position = end + 2;
            lineStart = false;
        } else {
            break;
        }
    }
    return {};
}

Status DotLexer::advance() {
    buffered = false;
    if (Status skipped = skipSpace(); !skipped) {
        return skipped;
    }
    start = position;
    if (position == text.size()) {
        current = DotToken::End;
        return {};
    }
    lineStart = false;
    const char c = text[position];
    const char following = position + 1 < text.size() ? text[position + 1] : '\0';
    static constexpr std::string_view marks = "{}[];,=:";
    static constexpr std::array<DotToken, 8> markTokens{
        DotToken::OpenBrace, DotToken::CloseBrace, DotToken::OpenBracket, DotToken::CloseBracket,
        DotToken::Semicolon, DotToken::Comma,      DotToken::Equals,      DotToken::Colon};
    if (const std::size_t mark = marks.find(c); mark != std::string_view::npos) {
        current = markTokens[mark];
        ++position;
        return {};
    }
    if (c == '-' && (following == '>' || following == '-')) {
        current = following == '>' ? DotToken::DirectedEdge : DotToken::UndirectedEdge;
        position += 2;
        return {};
    }
    if (c == '"') {
        return readQuoted();
    }
    if (c == '<') {
        return readHtml();
    }
    if (isDigit(c) || ((c == '-' || c == '.') && (isDigit(following) || following == '.'))) {
        return readNumeral();
    }
    if (isWordStart(c)) {
        readWord();
        return {};
    }
    return errorAt(position, "unexpected character " + inQuotes(text.substr(position, 1)));
}

void DotLexer::readWord() {
    std::size_t end = position;
    while (end < text.size() && isWordPart(text[end])) {
        ++end;
    }
    value = {text.substr(position, end - position), false};
    current = keywordOrId(value.text);
    position = end;
}

Status DotLexer::readNumeral() {
    std::size_t end = position + (text[position] == '-' ? 1 : 0);
    const auto digits = [&] {
        const std::size_t first = end;
        while (end < text.size() && isDigit(text[end])) {
            ++end;
        }
        return end - first;
    };
    std::size_t count = digits();
    if (end < text.size() && text[end] == '.') {
        ++end;
        count += digits();
    }
    if (count == 0) {
        return errorAt(position, "unexpected character " + inQuotes(text.substr(position, 1)));
    }
    if (end < text.size() && (isWordPart(text[end]) || text[end] == '.')) {
        return errorAt(position, "a number runs into " + inQuotes(text.substr(end, 1)) +
                                     "; an ID that starts with a digit needs double quotes");
    }
    value = {text.substr(position, end - position), false};
    current = DotToken::Id;
    position = end;
    return {};
}

Status DotLexer::readQuoted() {
    current = DotToken::Id;
    for (bool first = true;; first = false) {
        const std::size_t opening = position;
        // The closing quote is the first one with no backslash between it
        // and the last escaped character: whole searches, not a character
        // at a time, find it.
        std::size_t end = opening + 1;
        bool escaped = false;
        for (;;) {
            const std::size_t quote = text.find('"', end);
            if (quote == std::string_view::npos) {
                return errorAt(opening, "a double-quoted string has no closing quote");
            }
            const auto* backslash =
                static_cast<const char*>(std::memchr(text.data() + end, '\\', quote - end));
            if (backslash == nullptr) {
                end = quote;
                break;
            }
            escaped = true;
            end = static_cast<std::size_t>(backslash - text.data()) + 2;
            if (end > text.size()) {
                return errorAt(opening, "a double-quoted string has no closing quote");
            }
        }
        const std::string_view inside = text.substr(opening + 1, end - opening - 1);
        position = end + 1;
        if (first && !escaped) {
            value = {inside, false};
        } else {
            if (!buffered) {
                buffer.assign(first ? std::string_view() : value.text);
                buffered = true;
            }
            appendUnquoted(inside);
            value = {buffer, false};
        }
        // "a" + "b" is one ID.
        if (Status skipped = skipSpace(); !skipped) {
            return skipped;
        }
        if (position == text.size() || text[position] != '+') {
            return {};
        }
        const std::size_t plus = position++;
        if (Status skipped = skipSpace(); !skipped) {
            return skipped;
        }
        if (position == text.size() || text[position] != '"') {
            return errorAt(plus, "expected a double-quoted string after \"+\"");
        }
    }
}

void DotLexer::appendUnquoted(std::string_view inside) {
    // Only \" and a backslash before a line end change: every other
    // backslash stays, for a label to read.
    for (std::size_t i = 0; i < inside.size(); ++i) {
        const char next = i + 1 < inside.size() ? inside[i + 1] : '\0';
        if (inside[i] != '\\' || next == '\0') {
            buffer.push_back(inside[i]);
        } else if (next == '"') {
            buffer.push_back('"');
            ++i;
        } else if (next == '\n') {
            ++i;
        } else if (next == '\r' && i + 2 < inside.size() && inside[i + 2] == '\n') {
            i += 2;
        } else {
            // A pair of backslashes stays whole, so that the second one
            // escapes nothing.
            buffer.push_back('\\');
            if (next == '\\') {
                buffer.push_back('\\');
                ++i;
            }
        }
    }
}

Status DotLexer::readHtml() {
    std::size_t depth = 0;
    for (std::size_t end = position; end < text.size(); ++end) {
        if (text[end] == '<') {
            ++depth;
        } else if (text[end] == '>' && --depth == 0) {
            value = {text.substr(position + 1, end - position - 1), true};
            current = DotToken::Id;
            position = end + 1;
            return {};
        }
    }
    return errorAt(position, "an HTML string has no closing \">\"");
}
