#include "io/TextLines.h"

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
    std::size_t end = text.find('\n', position);
    if (end == std::string_view::npos) {
        end = text.size();
    }
    line = text.substr(position, end - position);
    position = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    return true;
}
