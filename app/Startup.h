#pragma once

// Starts the viewer: window, callbacks, GL checks, the application's init,
// then the event loop. Returns the process's exit status when it returns.
int runViewer(int argc, char** argv);
