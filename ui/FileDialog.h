#pragma once

#include "base/Result.h"

#include <string>

// The modal open-file dialog behind the "Load File" button. It lives for one
// request; the chosen path is left in `fileName`, which stays empty on
// Cancel.
class FileDialog {
public:
    static constexpr int fileNameSize = 2600;

    FileDialog();
    virtual ~FileDialog();

    // Asks for one file (several when `multiple`; the first one is kept),
    // starting in startFolder. The dialog offers the graph formats and all
    // files, and an open dialog adds no extension, so the filter and the
    // default extension given change nothing here. True when a file was
    // chosen.
    bool show(const char* filter, const char* defaultExtension, const char* title, bool multiple);

    char fileName[fileNameSize];
    // Without a display the dialog is not shown: the error says so, for the
    // caller to tell.
    Status shown;
    // The running program's folder unless set.
    std::string startFolder;
};
