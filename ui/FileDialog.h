#pragma once

// The modal open-file dialog behind the "Load File" button. It lives for one
// request; the chosen path is left in `fileName`, which stays empty on
// Cancel.
class FileDialog {
public:
    static constexpr int fileNameSize = 2600;

    FileDialog();
    virtual ~FileDialog();

    // Asks for one file (several when `multiple`; the first one is kept),
    // starting in the running program's folder. The dialog shows every file
    // and an open dialog adds no extension, so the filter and the default
    // extension change nothing here. True when a file was chosen.
    bool show(const char* filter, const char* defaultExtension, const char* title, bool multiple);

    char fileName[fileNameSize];
};
