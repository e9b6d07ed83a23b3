#pragma once

#include <string>

// Names the current GL context's X11 window. The title is UTF-8: it goes
// into _NET_WM_NAME, which window managers read as such, and spelt in
// ASCII into WM_NAME for older ones. Does nothing without a current
// context on an X11 window.
void setWindowTitle(const std::string& title);

// "hebview — file.rsf": the program's name and the graph file's own name.
std::string windowTitleFor(const std::string& program, const std::string& graphPath);
