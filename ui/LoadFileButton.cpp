#include "ui/LoadFileButton.h"

#include "facade/Graph.h"
#include "ui/FileDialog.h"
#include "ui/SettingsPanel.h"

#include <string>

void onLoadFile(Graph& graph) {
    FileDialog dialog;
    dialog.show("*", "*", SettingsPanel::loadFileLabel, false);
    loadChosenFile(graph, dialog.fileName);
}

void loadChosenFile(Graph& graph, const char* fileName) {
    const std::string path(fileName);
    if (path.size() > 3) {
        // A rejected file has said why on the console and left the graph as it was.
        (void)graph.load(path);
    }
}
