#include "base/Error.h"

#include "base/Utf8.h"

#include <cstdint>
#include <cstdio>

namespace {

bool isHiddenControl(char32_t code) {
    return (code >= 0x80 && code <= 0x9F) || (code >= 0x202A && code <= 0x202E) ||
           (code >= 0x2066 && code <= 0x2069);
}

// The bytes of text's first `characters` characters, a byte that is not
// UTF-8 counting as one.
std::size_t prefixBytes(std::string_view text, std::size_t characters) {
    std::size_t at = 0;
    for (std::size_t counted = 0; counted < characters && at < text.size(); ++counted) {
        at += firstCharacter(text.substr(at)).length;
    }
    return at;
}

const char* const cutMark = "...";

// The token, or its first characters, between the quotes; its length after
// them when cut.
std::string excerpt(std::string_view token, std::string_view quote) {
    const std::size_t kept = prefixBytes(token, maxQuotedCharacters);
    std::string shown = std::string(quote).append(token.substr(0, kept));
    if (kept == token.size()) {
        return shown.append(quote);
    }
    return shown.append(cutMark).append(quote) + " (" + std::to_string(token.size()) + " bytes)";
}

} // namespace

std::string printable(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    std::size_t at = 0;
    while (at < text.size()) {
        const auto byte = static_cast<unsigned char>(text[at]);
        const Utf8Character c = firstCharacter(text.substr(at));
        char escaped[8];
        if (c.wellFormed && c.length > 1) {
            if (isHiddenControl(c.codePoint)) {
                std::snprintf(escaped, sizeof escaped, "\\u%04X",
                              static_cast<unsigned>(c.codePoint));
                shown += escaped;
            } else {
                shown += text.substr(at, c.length);
            }
            at += c.length;
            continue;
        }
        // One byte: ASCII, or a byte of a broken sequence, escaped below.
        ++at;
        if (c.wellFormed && byte >= 0x20 && byte != 0x7F) {
            shown.push_back(static_cast<char>(byte));
            continue;
        }
        switch (byte) {
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
        default:
            std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
            shown += escaped;
        }
    }
    return shown;
}

std::string shortened(std::string_view token) {
    return excerpt(token, "");
}

std::string inQuotes(std::string_view token, char quote) {
    return excerpt(token, std::string_view(&quote, 1));
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
    std::string described = where.empty() ? shown : where + ": " + shown;
    if (described.size() > maxDescribedBytes) {
        // printable() leaves only whole UTF-8 characters: step back over
        // continuation bytes to the start of one.
        std::size_t cut = maxDescribedBytes - std::string_view(cutMark).size();
        while (cut > 0 && isUtf8Continuation(static_cast<unsigned char>(described[cut]))) {
            --cut;
        }
        described.resize(cut);
        described += cutMark;
    }
    return described;
}
