#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

// What went wrong and where: a file, a line in it (0 when the fault concerns
// the file as a whole) and a column (0 when not known).
struct Error {
    Error() = default;
    explicit Error(std::string reason, std::string path = {}, int line = 0, int column = 0)
        : reason(std::move(reason)), path(std::move(path)), line(line), column(column) {}

    std::string reason;
    std::string path;
    int line = 0;
    int column = 0;

    // The most bytes describe() gives: a message is read, not scrolled.
    static constexpr std::size_t maxDescribedBytes = 1000;

    // "path:line:column: reason", shortened to what is known ("path:line:
    // reason", "path: reason"); "line N: reason" without a path, and the
    // bare reason without either. Control characters, which may come from a
    // file, are shown escaped (see printable); past maxDescribedBytes the
    // text is cut at a character and ends in "...".
    std::string describe() const;
};

// The text with control characters escaped, so that bytes from a file cannot
// move the cursor, rewrite a terminal line or reverse the text around them:
// \t, \n, \r, \v, \f, \xNN for the other C0 controls, DEL and bytes that are
// not UTF-8, \uNNNN for the C1 controls (U+0080 to U+009F) and the
// bidirectional embeddings, overrides and isolates (U+202A to U+202E, U+2066
// to U+2069).
std::string printable(std::string_view text);

// The most characters of a token from a file that a message quotes.
inline constexpr std::size_t maxQuotedCharacters = 80;

// A token from a file as a message shows it: whole when it is short, else its
// first maxQuotedCharacters characters, "..." and its length, as in
// `abcd... (16500 bytes)`. Cut at a UTF-8 character.
std::string shortened(std::string_view token);
// The same in quotes: `"abcd"`, or `"abcd..." (16500 bytes)`.
std::string inQuotes(std::string_view token, char quote = '"');
