#include "ui/LoadFileButton.h"

#include "platform/ExecutablePath.h"
#include "ui/FileDialog.h"

Status onLoadFile(const LoadGraph& load, const std::string& shownGraphPath, const char* title) {
    FileDialog dialog;
    if (const std::string folder = folderOf(shownGraphPath); !folder.empty()) {
        dialog.startFolder = folder;
    } else if (!shownGraphPath.empty()) {
        dialog.startFolder = ".";
    }
    dialog.show("*", "*", title, false);
    loadChosenFile(dialog.fileName, load);
    return dialog.shown;
}

void loadChosenFile(const char* fileName, const LoadGraph& load) {
    const std::string path(fileName);
    if (path.size() > 3) {
        load(path);
    }
}
