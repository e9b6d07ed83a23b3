#pragma once

#include "base/Result.h"
#include "settings/SettingsOptions.h"
#include "settings/ViewSettings.h"

#include <string>
#include <vector>

// What hebview-check checks: the graph file, the cut (the viewer's --depth
// and --collapse, nodes named as the viewer names them), the rules file,
// where the report and the earlier report go, and the matrix's file.
struct CheckOptions {
    std::string graphPath;
    bool graphGiven = false;
    std::string rulesPath;
    std::string jsonPath;
    std::string baselinePath;
    // Where the dependency matrix at the cut goes as CSV; empty for nowhere.
    std::string matrixPath;
    // Splits names into the hierarchy where a file has only names.
    std::string separator;
    // Only the depth and the matrix's order are read; depth 0 for the whole
    // tree.
    ViewSettings settings = ViewSettings::windowless();
    // Only the nodes to collapse are read.
    ViewOptions view;
    bool helpWanted = false;
};

// The options of the command line, or an Error saying what it got wrong;
// a graph file is needed unless help is wanted.
Result<CheckOptions> parseCheckOptions(const std::vector<std::string>& arguments);

std::string checkOptionsHelp();
