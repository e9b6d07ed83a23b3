#pragma once

#include <string>

// The folder of a path: everything before its last '/', "/" for a file in
// the root, and empty for a bare name.
std::string folderOf(const std::string& path);

// The folder holding the running program, from /proc/self/exe; empty when
// it cannot be read.
std::string executableFolder();
