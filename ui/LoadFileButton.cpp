#include "ui/LoadFileButton.h"

#include "ui/FileDialog.h"
#include "ui/SettingsPanel.h"

void onLoadFile(const LoadGraph& load) {
    FileDialog dialog;
    dialog.show("*", "*", SettingsPanel::loadFileLabel, false);
    loadChosenFile(dialog.fileName, load);
}

void loadChosenFile(const char* fileName, const LoadGraph& load) {
    const std::string path(fileName);
    if (path.size() > 3) {
        load(path);
    }
}
