#pragma once

#include <string>

// Whether an X display can be opened. Without one, the window library would
// end the process with a message of its own; we say it in our words first.
bool displayAvailable();
// The display the window library would use, as the user set it.
std::string displayName();
