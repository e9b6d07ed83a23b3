#include "base/Console.h"

#include <iostream>
#include <mutex>

namespace {

// A line written from a worker's thread never breaks into one from another.
std::mutex& written() {
    static std::mutex* lock = new std::mutex();
    return *lock;
}

} // namespace

namespace console {

void write(std::string_view text) {
    std::lock_guard<std::mutex> lock(written());
    std::cout << text << std::flush;
}

void line(std::string_view text) {
    std::lock_guard<std::mutex> lock(written());
    std::cout << text << '\n' << std::flush;
}

} // namespace console
