#pragma once

#include "base/Result.h"
#include "ui/SettingsPanel.h"

#include <functional>
#include <string>

// What the "Load File" button does with the file chosen.
using LoadGraph = std::function<void(const std::string& path)>;

// The "Load File" button: asks for a graph file, starting in the folder of
// the graph on screen (the program's folder without one), and loads it.
// Fails, with the reason for the caller to tell, when no dialog can be shown.
// Other buttons that choose a graph file give the dialog their own title.
Status onLoadFile(const LoadGraph& load, const std::string& shownGraphPath = {},
                  const char* title = SettingsPanel::loadFileLabel);

// Loads the chosen path unless it is 3 characters or shorter, as after a
// cancelled dialog.
void loadChosenFile(const char* fileName, const LoadGraph& load);
