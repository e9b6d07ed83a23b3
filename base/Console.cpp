#include "base/Console.h"

#include <iostream>
#include <string>

namespace console {
namespace {

std::function<void(std::string_view)>& listenerSlot() {
    static auto* slot = new std::function<void(std::string_view)>();
    return *slot;
}

void emit(std::string_view text) {
    std::cout << text << std::flush;
    if (listenerSlot()) {
        listenerSlot()(text);
    }
}

} // namespace

void write(std::string_view text) {
    emit(text);
}

void line(std::string_view text) {
    std::string withEnd(text);
    withEnd += '\n';
    emit(withEnd);
}

void setListener(std::function<void(std::string_view)> listener) {
    listenerSlot() = std::move(listener);
}

} // namespace console
