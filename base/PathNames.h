#pragma once

#include <string>
#include <string_view>

// The parts of a file's path by name alone, without looking at the disk.

// Everything after the last '/'.
std::string_view fileName(std::string_view path);
// The file name's extension after its last '.', in lower case; empty for
// none (also for a name that only starts with a dot, such as ".png").
std::string lowerExtension(std::string_view path);
// The file name without its extension.
std::string_view stem(std::string_view path);
