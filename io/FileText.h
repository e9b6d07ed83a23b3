#pragma once

#include "base/Progress.h"
#include "base/Result.h"
#include "base/UninitializedArray.h"

#include <cstddef>
#include <string>
#include <string_view>

// A file's bytes, read whole for a reader to parse.
struct FileText {
    UninitializedArray<char> bytes;
    std::size_t length = 0;

    std::string_view view() const { return {bytes.data(), length}; }
};

// The reason of the Error a cancelled read returns.
inline constexpr std::string_view cancelledReason = "cancelled";

// The whole file at path, up to maxBytes; an Error names the path. A folder
// is refused; with a Progress, a cancel stops the reading.
Result<FileText> readFileText(const std::string& path, std::size_t maxBytes,
                              Progress* progress = nullptr);

// Writes the text to a file beside path first and moves it over path only
// when it is complete, so a failed write never leaves half a file; an Error
// names the path.
Status writeFileText(const std::string& path, std::string_view text);

// Whether a file could be written at path, found out without writing it:
// its folder exists and is writable, and the path is no folder and, if it
// exists, writable. A program checks its output so before long work.
Status checkWritable(const std::string& path);

// The text without a UTF-8 byte-order mark at its start.
std::string_view withoutByteOrderMark(std::string_view text);

// The line (from 1) and the column (from 1, in bytes) of a byte of a text.
struct TextPosition {
    int line = 1;
    int column = 1;
};
TextPosition positionAt(std::string_view text, std::size_t offset);
