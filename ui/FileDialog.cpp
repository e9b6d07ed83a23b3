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
    const std::optional<std::string> chosen = chooseFileToOpen(title, startFolder, multiple);
    // A path cut to fit would name another file, so one too long counts as
    // none.
    if (!chosen || chosen->size() >= static_cast<size_t>(fileNameSize)) {
        return false;
    }
    std::memcpy(fileName, chosen->c_str(), chosen->size() + 1);
    return true;
}
