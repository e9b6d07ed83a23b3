#pragma once

#include <cstddef>
#include <string_view>

// The first character of a text: its code point and length when it is
// well-formed UTF-8 (no overlong form, surrogate or value above U+10FFFF),
// else the length of the longest start of a well-formed sequence there, at
// least one byte, which counts as one broken character. The text must not
// be empty.
struct Utf8Character {
    char32_t codePoint = 0;
    std::size_t length = 1;
    bool wellFormed = false;
};
Utf8Character firstCharacter(std::string_view text);

// Whether the byte continues a UTF-8 sequence rather than starting one.
inline bool isUtf8Continuation(unsigned char byte) {
    return (byte & 0xC0) == 0x80;
}
