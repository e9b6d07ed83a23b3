#include "base/ConsoleProgress.h"

#include "base/Console.h"

#include <string>

void ConsoleProgress::stageBegun(std::string_view heading) {
    console::write(heading);
}

void ConsoleProgress::quarterPassed(int percent) {
    if (quarters == Quarters::shown) {
        console::write(" " + std::to_string(percent) + "%");
    }
}

void ConsoleProgress::stageDone() {
    console::line(" done!");
}

void ConsoleProgress::stageFailed(const Error& error) {
    console::line(" failed!\n" + error.describe());
}

void ConsoleProgress::stageCancelled() {
    console::line(" cancelled");
}

void ConsoleProgress::advised(std::string_view line) {
    console::line(line);
}
