#pragma once

#include <string>
#include <vector>

// Where the programs find the files they read at run time (config.txt,
// effectShader.cgfx, data/...): the working directory first, as always,
// then the folders the program names at start, typically the one beside
// its executable and its installed data folder.
namespace datafiles {

// The folders looked in after the working directory, in order.
void setFolders(std::vector<std::string> folders);

// The relative path as found: itself when it exists in the working
// directory or nowhere else, otherwise the path in the first folder that
// has it.
std::string find(const std::string& relative);

// The folders for a program at `executableFolder`: that folder, the
// installed data folder ../share/hebview beside it, and last the checkout
// the program was built from (`sourceFolder`), for a build tree's programs.
std::vector<std::string> foldersFor(const std::string& executableFolder,
                                    const std::string& sourceFolder);

} // namespace datafiles
