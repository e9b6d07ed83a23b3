#include "ui/FileDialog.h"

#include "platform/ExecutablePath.h"
#include "ui/GtkFileChooser.h"

#include <cstring>
#include <optional>
#include <string>

FileDialog::FileDialog() : fileName(), startFolder(executableFolder()) {}

FileDialog::~FileDialog() = default;

bool FileDialog::show(const char*, const char*, const char* title, bool multiple) {
    fileName[0] = '\0';
    const FileChoice chosen = chooseFileToOpen(title, startFolder, multiple);
    shown = chosen ? Status() : Status(chosen.error());
    // A path cut to fit would name another file, so one too long counts as
    // none.
    if (!chosen || !chosen.value() || chosen.value()->size() >= static_cast<size_t>(fileNameSize)) {
        return false;
    }
    const std::string& path = *chosen.value();
    std::memcpy(fileName, path.c_str(), path.size() + 1);
    return true;
}
