#pragma once

// A modal message with one text under a caption, and an OK button: a GTK
// message dialog when a display is there. The text always goes to standard
// error as well, so that it is never lost.
void showMessageBox(const char* text, const char* caption);
