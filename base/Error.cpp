#include "base/Error.h"

#include <cstdint>
#include <cstdio>

namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}

// The length of the well-formed UTF-8 sequence at the start of text (1 for
// ASCII), or 0 where none starts there: a stray continuation byte, an
// overlong form, a surrogate, a code point above U+10FFFF or a sequence cut
// short.
std::size_t sequenceLength(std::string_view text) {
    const auto lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) {
        return 1;
    }
    std::size_t length = 0;
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() < length) {
        return 0;
    }
    const auto second = static_cast<unsigned char>(text[1]);
    if (second < low || second > high) {
        return 0;
    }
    for (std::size_t i = 2; i < length; ++i) {
        if (!isContinuation(static_cast<unsigned char>(text[i]))) {
            return 0;
        }
    }
    return length;
}

uint32_t codePoint(std::string_view sequence) {
    const auto lead = static_cast<unsigned char>(sequence[0]);
    uint32_t value = sequence.size() == 1   ? lead
                     : sequence.size() == 2 ? lead & 0x1Fu
                     : sequence.size() == 3 ? lead & 0x0Fu
                                            : lead & 0x07u;
    for (std::size_t i = 1; i < sequence.size(); ++i) {
        value = value << 6 | (static_cast<unsigned char>(sequence[i]) & 0x3Fu);
    }
    return value;
}

bool isHiddenControl(uint32_t code) {
    return (code >= 0x80 && code <= 0x9F) || (code >= 0x202A && code <= 0x202E) ||
           (code >= 0x2066 && code <= 0x2069);
}

// The bytes of text's first `characters` characters, a byte that is not
// UTF-8 counting as one.
std::size_t prefixBytes(std::string_view text, std::size_t characters) {
    std::size_t at = 0;
    for (std::size_t counted = 0; counted < characters && at < text.size(); ++counted) {
        const std::size_t length = sequenceLength(text.substr(at));
        at += length == 0 ? 1 : length;
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
        const std::size_t length = sequenceLength(text.substr(at));
        char escaped[8];
        if (length > 1) {
            const std::string_view sequence = text.substr(at, length);
            at += length;
            const uint32_t code = codePoint(sequence);
            if (isHiddenControl(code)) {
                std::snprintf(escaped, sizeof escaped, "\\u%04X", static_cast<unsigned>(code));
                shown += escaped;
            } else {
                shown += sequence;
            }
            continue;
        }
        ++at;
        if (length == 1 && byte >= 0x20 && byte != 0x7F) {
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
        while (cut > 0 && isContinuation(static_cast<unsigned char>(described[cut]))) {
            --cut;
        }
        described.resize(cut);
        described += cutMark;
    }
    return described;
}
