#pragma once

#include "base/Result.h"

#include <optional>
#include <string>

// The names the "Graph files" filter shows, in either case.
inline constexpr const char* graphFilePatterns[] = {
    "*.rsf", "*.RSF",     "*.json",    "*.JSON",    "*.csv", "*.CSV", "*.tsv", "*.TSV", "*.txt",
    "*.TXT", "*.graphml", "*.GRAPHML", "*.GraphML", "*.dot", "*.DOT", "*.gv",  "*.GV"};

// The path chosen, or nothing on Cancel; without a display to show the
// dialog on, the error says so and that nothing happens, for the caller to
// tell.
using FileChoice = Result<std::optional<std::string>>;

// Asks for a file to open with GTK's modal file chooser, showing graph files
// (or, with the other filter, every file) and starting in `folder` (the
// current folder when empty).
FileChoice chooseFileToOpen(const std::string& title, const std::string& folder, bool multiple);

// Asks for a file to save to, starting in `folder` with `suggestedName`
// filled in; asks before overwriting an existing file.
FileChoice chooseFileToSave(const std::string& title, const std::string& folder,
                            const std::string& suggestedName);
