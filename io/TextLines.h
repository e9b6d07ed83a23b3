#pragma once

#include "base/Progress.h"

#include <cstddef>
#include <string_view>

// The lines of a text one at a time, without their line ends ("\n",
// "\r\n", or a lone "\r"), reporting the share read to a Progress and stopping at its cancel.
class TextLines {
public:
    TextLines(std::string_view text, Progress* progress) : text(text), progress(progress) {}

    // The next line; false at the end of the text or on a cancel.
    bool next(std::string_view& line);
    bool cancelled() const { return stopped; }
    // The line given last, from 1.
    int number() const { return lineNumber; }
    // Where the next line starts in the text.
    std::size_t offset() const { return position; }

private:
    // Progress is reported, and a cancel looked for, every this many bytes.
    static constexpr std::size_t progressStep = std::size_t{1} << 20;

    std::string_view text;
    Progress* progress;
    static constexpr std::size_t npos = std::string_view::npos;

    std::size_t position = 0;
    // Where the next "\n" at or after position is (the text's size when
    // there is none); npos before the first search.
    std::size_t nextNewline = npos;
    std::size_t nextReport = progressStep;
    int lineNumber = 0;
    bool stopped = false;
};
