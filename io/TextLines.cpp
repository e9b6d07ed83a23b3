#include "io/TextLines.h"

#include <algorithm>
#include <cstring>

bool TextLines::next(std::string_view& line) {
    if (position >= text.size() || stopped) {
        return false;
    }
    if (progress != nullptr && position >= nextReport) {
        if (progress->cancelled()) {
            stopped = true;
            return false;
        }
        progress->advance(static_cast<double>(position) / static_cast<double>(text.size()));
        nextReport = position + progressStep;
    }
    // "\n", "\r\n" and a lone "\r" (old Mac files) each end a line.
    // Two vectorised searches beat one search for either character; the
    // next "\n" is remembered, so that lines ended by lone "\r"s do not
    // search the same stretch again and again.
    if (nextNewline < position || nextNewline == npos) {
        nextNewline = text.find('\n', position);
        if (nextNewline == npos) {
            nextNewline = text.size();
        }
    }
    std::size_t end = nextNewline;
    if (const void* carriageReturn = std::memchr(text.data() + position, '\r', end - position)) {
        end = static_cast<std::size_t>(static_cast<const char*>(carriageReturn) - text.data());
    }
    line = text.substr(position, end - position);
    // A last line without a line end leaves the position at the end, not past it.
    position = std::min(end + 1, text.size());
    if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n') {
        ++position;
    }
    ++lineNumber;
    return true;
}
