#pragma once

#include "explore/Explorer.h"
#include "settings/SettingsOptions.h"
#include "ui/SettingsPanel.h"

#include <optional>
#include <string>

// The view the command line asks the viewer to start with, as
// hebview-render draws it: the search text, the zoom and centre, and the
// node to highlight and those to collapse, which wait for the first graph.
class StartView {
public:
    StartView() = default;
    explicit StartView(ViewOptions wanted) : wanted(std::move(wanted)) {}

    // The search text goes into the panel's field, and through it to the
    // explorer; the camera takes the zoom and centre.
    void begin(SettingsPanel& panel, Explorer& explorer) const;
    // Once the first graph is shown at its depth, pins the node asked for
    // and collapses those named. The message when that graph has no such
    // node, for the window is up by then and the graph stays worth
    // exploring; nothing for later graphs.
    std::optional<std::string> applyToFirstGraph(Explorer& explorer, const std::string& graphPath);

private:
    ViewOptions wanted;
    bool applied = false;
};
