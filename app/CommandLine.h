#pragma once

#include "base/Result.h"
#include "settings/SettingsOptions.h"
#include "settings/ViewSettings.h"

#include <string>
#include <vector>

// The viewer's command line: the drawing settings and the view to start
// with (the same options as hebview-render's), the graph file, and the
// options of the window library, which go on to it.
struct ViewerCommandLine {
    ViewSettings settings;
    ViewOptions view;
    // Empty for the default graph.
    std::string graphPath;
    bool helpWanted = false;
    bool versionWanted = false;
    // The program's name and the window library's own options (-display
    // NAME, -geometry WxH+X+Y, -iconic, -direct, -indirect, -gldebug, -sync).
    std::vector<std::string> windowArguments;
};

// The command line (without the program's name, which windowArguments
// starts with), or an Error saying what it got wrong.
Result<ViewerCommandLine> parseViewerCommandLine(const std::string& program,
                                                 const std::vector<std::string>& arguments);

std::string viewerUsage();
std::string viewerVersion();
