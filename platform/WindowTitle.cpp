#include "platform/WindowTitle.h"

#include <GL/glx.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <filesystem>

namespace {

// WM_NAME holds Latin-1: the dash becomes '-', other letters beyond ASCII
// '?'.
std::string asciiOf(const std::string& text) {
    std::string ascii;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (text.compare(i, 3, "\u2014") == 0) {
            ascii += '-';
            i += 2;
        } else if (byte < 0x80) {
            ascii += static_cast<char>(byte);
        } else if (byte >= 0xC0) {
            ascii += '?';
        }
    }
    return ascii;
}

} // namespace

void setWindowTitle(const std::string& title) {
    Display* display = glXGetCurrentDisplay();
    const GLXDrawable window = glXGetCurrentDrawable();
    if (display == nullptr || window == 0) {
        return;
    }
    const auto* bytes = reinterpret_cast<const unsigned char*>(title.data());
    const auto length = static_cast<int>(title.size());
    const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    XChangeProperty(display, window, netName, utf8, 8, PropModeReplace, bytes, length);
    // Older window managers read WM_NAME.
    const std::string legacy = asciiOf(title);
    XChangeProperty(display, window, XA_WM_NAME, XA_STRING, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(legacy.data()),
                    static_cast<int>(legacy.size()));
    XFlush(display);
}

std::string windowTitleFor(const std::string& program, const std::string& graphPath) {
    if (graphPath.empty()) {
        return program;
    }
    return program + " \u2014 " + std::filesystem::path(graphPath).filename().string();
}
