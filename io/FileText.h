#pragma once

#include "base/Progress.h"
#include "base/Result.h"
#include "base/UninitializedArray.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

// A file's bytes, read whole for a reader to parse.
struct FileText {
    UninitializedArray<char> bytes;
    std::size_t length = 0;

    std::string_view view() const { return {bytes.data(), length}; }
};

// The whole file at path, up to maxBytes; an Error names the path. A folder
// is refused; with a Progress, a cancel stops the reading.
Result<FileText> readFileText(const std::string& path, std::size_t maxBytes,
                              Progress* progress = nullptr);

// Writes the text to a new file beside path, made under a name of its own
// (".NAME.XXXXXX.partial"), and moves it over path only when it is complete:
// a failed write leaves the old file and no temporary one. A file replaced
// keeps its permissions; other hard links to it keep the old text. A path
// that is a link is written where the link points. An error names the path.
Status writeFileText(const std::string& path, std::string_view text);

// Takes the pieces of a text in order; false once one could not be
// written, after which the pieces that follow are dropped.
using TextSink = std::function<bool(std::string_view)>;

// Writes as writeFileText does a text that produce hands to the sink a piece
// at a time, so that a text larger than the memory free can be written.
Status writeFileInPieces(const std::string& path,
                         const std::function<void(const TextSink&)>& produce);

// Whether writeFileText could write path, found out before long work by
// making and removing its temporary file: the folder takes a new file, the
// name fits, and the path, if it exists, is a writable regular file.
Status checkWritable(const std::string& path);

// The text without a UTF-8 byte-order mark at its start.
std::string_view withoutByteOrderMark(std::string_view text);

// The line (from 1) and the column (from 1, in bytes) of a byte of a text.
struct TextPosition {
    int line = 1;
    int column = 1;
};
TextPosition positionAt(std::string_view text, std::size_t offset);
