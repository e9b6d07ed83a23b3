#include "base/Error.h"

#include <cstdio>

std::string printable(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            shown.push_back(c);
            continue;
        }
        switch (c) {
        case '\t':
            shown += "\\t";
            break;
        case '\n':
            shown += "\\n";
            break;
        case '\r':
            shown += "\\r";
            break;
        case '\v':
            shown += "\\v";
            break;
        case '\f':
            shown += "\\f";
            break;
        default: {
            char escaped[5];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        }
        }
    }
    return shown;
}

std::string Error::describe() const {
    std::string where = path.empty() && line > 0 ? "line" : printable(path);
    if (line > 0) {
        where += (path.empty() ? " " : ":") + std::to_string(line);
        if (column > 0) {
            where += ":" + std::to_string(column);
        }
    }
    const std::string shown = printable(reason);
    return where.empty() ? shown : where + ": " + shown;
}
