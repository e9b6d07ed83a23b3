#pragma once

#include <optional>
#include <string>

// The names the "Graph files" filter shows, in either case.
inline constexpr const char* graphFilePatterns[] = {
    "*.rsf", "*.RSF", "*.json", "*.JSON",    "*.csv",     "*.CSV",    "*.tsv",
    "*.TSV", "*.txt", "*.TXT",  "*.graphml", "*.GRAPHML", "*.GraphML"};

// Asks for a file to open with GTK's modal file chooser, showing graph files
// (or, with the other filter, every file) and starting in `folder` (the
// current folder when empty). Returns the path
// chosen, or nothing on Cancel. Without a display it says so on standard
// output and answers as Cancel.
std::optional<std::string> chooseFileToOpen(const std::string& title, const std::string& folder,
                                            bool multiple);

// Asks for a file to save to, starting in `folder` with `suggestedName`
// filled in; asks before overwriting an existing file. Returns the path, or
// nothing on Cancel or without a display (which it says on standard output).
std::optional<std::string> chooseFileToSave(const std::string& title, const std::string& folder,
                                            const std::string& suggestedName);
