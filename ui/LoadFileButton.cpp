#include "ui/LoadFileButton.h"

#include "platform/ExecutablePath.h"
#include "ui/FileDialog.h"
#include "ui/SettingsPanel.h"

Status onLoadFile(const LoadGraph& load, const std::string& shownGraphPath) {
    FileDialog dialog;
    if (const std::string folder = folderOf(shownGraphPath); !folder.empty()) {
        dialog.startFolder = folder;
    } else if (!shownGraphPath.empty()) {
        dialog.startFolder = ".";
    }
    dialog.show("*", "*", SettingsPanel::loadFileLabel, false);
    loadChosenFile(dialog.fileName, load);
    return dialog.shown;
}

void loadChosenFile(const char* fileName, const LoadGraph& load) {
    const std::string path(fileName);
    if (path.size() > 3) {
        load(path);
    }
}
