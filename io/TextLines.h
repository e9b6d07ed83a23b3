#pragma once

#include "base/Progress.h"

#include <cstddef>
#include <string_view>

// The lines of a text one at a time, without their line ends ("\n" or
// "\r\n"), reporting the share read to a Progress and stopping at its cancel.
class TextLines {
public:
    TextLines(std::string_view text, Progress* progress) : text(text), progress(progress) {}

    // The next line; false at the end of the text or on a cancel.
    bool next(std::string_view& line);
    bool cancelled() const { return stopped; }
    // The line given last, from 1.
    int number() const { return lineNumber; }

private:
    // Progress is reported, and a cancel looked for, every this many bytes.
    static constexpr std::size_t progressStep = std::size_t{1} << 20;

    std::string_view text;
    Progress* progress;
    std::size_t position = 0;
    std::size_t nextReport = progressStep;
    int lineNumber = 0;
    bool stopped = false;
};
