#pragma once

#include <functional>
#include <string_view>

// The one place where progress texts, warnings and errors go. They reach
// standard output as written; a listener (the viewer's window, a test) may
// follow them as well.
namespace console {

// Writes the text as it is, without a line end, and flushes.
void write(std::string_view text);
// Writes the text and a line end, and flushes.
void line(std::string_view text);

// Long steps print their heading, run, then complete the line.
template <typename Step> void step(std::string_view heading, Step&& run) {
    write(heading);
    run();
    line(" done!");
}

// Called with every text written, after it reached standard output; an
// empty function removes the listener.
void setListener(std::function<void(std::string_view)> listener);

} // namespace console
