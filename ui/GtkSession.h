#pragma once

// GTK for the few dialogs the viewer shows, started on first use next to
// the window library's own connection to the display.

// False when GTK cannot open a display.
bool gtkSessionReady();
// Handles what GTK still has pending, such as the unmapping of a dialog just
// destroyed, so that it leaves the screen before the caller goes on.
void drainGtkEvents();
