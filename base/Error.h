#pragma once

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

    // "path:line:column: reason", shortened to what is known ("path:line:
    // reason", "path: reason"); "line N: reason" without a path, and the
    // bare reason without either. Control characters, which may come from a
    // file, are shown escaped (see printable).
    std::string describe() const;
};

// The text with control characters escaped: \t, \n, \r, \v, \f, and \xNN
// for the others (and DEL), so that bytes from a file cannot move the
// cursor or rewrite a terminal line.
std::string printable(std::string_view text);
