#include "base/Console.h"

#include <iostream>

namespace console {

void write(std::string_view text) {
    std::cout << text << std::flush;
}

void line(std::string_view text) {
    std::cout << text << '\n' << std::flush;
}

} // namespace console
