#pragma once

#include <string_view>

// What the viewer writes straight over the window, in window pixels from the
// bottom left, with the projection and matrices left as they were: the
// window library's bitmap text, and the progress bar along the bottom edge.
void drawWindowText(int windowWidth, int windowHeight, int x, int y, std::string_view text);
// A bar `fraction` of the window wide (0 to 1).
void drawProgressBar(int windowWidth, int windowHeight, double fraction);
