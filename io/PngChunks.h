#pragma once

#include <string>
#include <string_view>

// libpng, as DevIL drives it, can wait forever for bytes past the end of a
// cut-off file. These checks let a caller refuse such a file before any image
// library reads it.

// True when the bytes start with the PNG signature and continue with whole
// chunks (length, type, data, CRC, each length inside the bytes) up to and
// including an IEND chunk. Chunk contents and CRCs are not examined.
bool pngChunksIntact(std::string_view bytes);

// The same for a file; false too when it cannot be read.
bool pngFileIntact(const std::string& path);
