#include "io/DotLabels.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <system_error>
#include <utility>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

void appendUtf8(std::string& text, char32_t c) {
    if (c < 0x80) {
        text.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
        text.push_back(static_cast<char>(0xC0 | (c >> 6)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else if (c < 0x10000) {
        text.push_back(static_cast<char>(0xE0 | (c >> 12)));
        text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
        text.push_back(static_cast<char>(0xF0 | (c >> 18)));
        text.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
        text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
}

// The character an entity's name (between '&' and ';') stands for, or 0
// for one we do not know, which then stays as written.
char32_t entityCharacter(std::string_view name) {
    static constexpr std::array<std::pair<std::string_view, char32_t>, 6> named{{
        {"amp", U'&'},
        {"lt", U'<'},
        {"gt", U'>'},
        {"quot", U'"'},
        {"apos", U'\''},
        {"nbsp", U'\u00A0'},
    }};
    for (const auto& [entity, character] : named) {
        if (name == entity) {
            return character;
        }
    }
    if (name.size() < 2 || name[0] != '#') {
        return 0;
    }
    const bool hex = name[1] == 'x' || name[1] == 'X';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    uint32_t code = 0;
    const auto [end, fault] =
        std::from_chars(digits.data(), digits.data() + digits.size(), code, hex ? 16 : 10);
    const bool valid = fault == std::errc() && end == digits.data() + digits.size() && code > 0 &&
                       code <= 0x10FFFF && (code < 0xD800 || code > 0xDFFF);
    return valid ? static_cast<char32_t>(code) : 0;
}

std::string htmlText(std::string_view html) {
    std::string text;
    bool blank = false;
    const auto separate = [&] { blank = !text.empty(); };
    for (std::size_t i = 0; i < html.size(); ++i) {
        const char c = html[i];
        if (c == '<') {
            const std::size_t close = html.find('>', i);
            const std::string_view tag = html.substr(i + 1, close - i - 1);
            if (tag.size() >= 2 && (tag[0] | 0x20) == 'b' && (tag[1] | 0x20) == 'r') {
                separate();
            }
            i = close == std::string_view::npos ? html.size() : close;
            continue;
        }
        if (isBlank(c)) {
            separate();
            continue;
        }
        if (std::exchange(blank, false)) {
            text.push_back(' ');
        }
        const std::size_t semicolon = c == '&' ? html.find(';', i) : std::string_view::npos;
        constexpr std::size_t longestEntity = 10;
        if (semicolon != std::string_view::npos && semicolon - i <= longestEntity) {
            if (const char32_t character = entityCharacter(html.substr(i + 1, semicolon - i - 1))) {
                appendUtf8(text, character);
                i = semicolon;
                continue;
            }
        }
        text.push_back(c);
    }
    return text;
}

} // namespace

std::string labelName(DotText label, std::string_view id) {
    if (label.html) {
        return htmlText(label.text);
    }
    std::string name;
    const std::string_view text = label.text;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            name.push_back(text[i]);
            continue;
        }
        const char escaped = text[++i];
        if (escaped == 'N') {
            name.append(id);
        } else if (escaped != 'n' && escaped != 'l' && escaped != 'r') {
            name.push_back(escaped);
        }
    }
    return name;
}
