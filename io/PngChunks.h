#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// libpng, as DevIL drives it, can wait forever for bytes past the end of a
// cut-off file, and says only that it failed. These checks let a caller
// refuse a broken file, saying what is wrong with it, before any image
// library reads it.

// What is wrong with the bytes as a PNG file, or nothing: the signature,
// then whole chunks (length, type, data, CRC) with correct CRCs, at least
// one IDAT, up to and including an IEND chunk. Chunk contents are not
// examined beyond their CRCs.
std::optional<std::string> pngFault(std::string_view bytes);

struct PngFileCheck {
    enum class State { Intact, Missing, Broken };
    State state = State::Intact;
    // Why a broken file is broken.
    std::string reason;
};

// The same for a file of at most maxBytes: missing (or not a file at all),
// broken with the reason (also when larger), or intact.
PngFileCheck checkPngFile(const std::string& path, std::size_t maxBytes);
