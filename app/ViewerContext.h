#pragma once

#include "app/Config.h"
#include "app/InputState.h"
#include "explore/Explorer.h"
#include "model/Cut.h"
#include "settings/ViewSettings.h"
#include "ui/SettingsPanel.h"

// What the viewer holds once for its whole life, each value in one place
// and passed to what needs it: the window's configuration, the keys and
// buttons held, the settings, the exploration (camera, view state and the
// nodes toggled from the settings' depth), the counts the panel shows and
// the cut on screen. The configuration's and the input state's static
// accessors hand out the process's context's; tests make contexts of their
// own.
struct ViewerContext {
    // The process's one context.
    static ViewerContext& instance();

    Config config;
    InputState input;
    ViewSettings settings;
    Explorer explorer;
    // The graph on screen, as the panel shows it.
    PanelCounts counts;
    // The cut the picture shows, as its frame said.
    CutSummary shownCut;
};
