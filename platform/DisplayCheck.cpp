#include "platform/DisplayCheck.h"

#include <X11/Xlib.h>

#include <cstdlib>

bool displayAvailable() {
    Display* display = XOpenDisplay(nullptr);
    if (display == nullptr) {
        return false;
    }
    XCloseDisplay(display);
    return true;
}

std::string displayName() {
    const char* name = std::getenv("DISPLAY");
    return name == nullptr ? std::string() : std::string(name);
}
