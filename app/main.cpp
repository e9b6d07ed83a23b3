#include "app/Startup.h"
#include "base/DataFiles.h"
#include "platform/ExecutablePath.h"

int main(int argc, char** argv) {
    datafiles::setFolders(datafiles::foldersFor(executableFolder(), HEBVIEW_SOURCE_DIR));
    return runViewer(argc, argv);
}
