#include "base/DataFiles.h"

#include <filesystem>
#include <mutex>

namespace datafiles {

namespace {

std::mutex guard;

std::vector<std::string>& folders() {
    static std::vector<std::string> list;
    return list;
}

bool present(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

} // namespace

void setFolders(std::vector<std::string> newFolders) {
    const std::lock_guard<std::mutex> lock(guard);
    folders() = std::move(newFolders);
}

std::string find(const std::string& relative) {
    if (relative.empty() || relative.front() == '/' || present(relative)) {
        return relative;
    }
    const std::lock_guard<std::mutex> lock(guard);
    for (const std::string& folder : folders()) {
        const std::filesystem::path candidate = std::filesystem::path(folder) / relative;
        if (!folder.empty() && present(candidate)) {
            return candidate.string();
        }
    }
    return relative;
}

std::vector<std::string> foldersFor(const std::string& executableFolder,
                                    const std::string& sourceFolder) {
    std::vector<std::string> list;
    if (!executableFolder.empty()) {
        const std::filesystem::path here(executableFolder);
        list.push_back(here.string());
        list.push_back((here.parent_path() / "share" / "hebview").string());
    }
    if (!sourceFolder.empty()) {
        list.push_back(sourceFolder);
    }
    return list;
}

} // namespace datafiles
