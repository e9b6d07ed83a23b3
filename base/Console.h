#pragma once

#include <string_view>

// Where the programs (the viewer and the tools) print progress texts,
// warnings and errors: standard output, as written, flushed at once, each
// call whole even when threads print at the same time. Libraries never
// print: they report to their caller (Progress, Status).
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

} // namespace console
