#include "platform/ExecutablePath.h"

#include <filesystem>

#include <gtest/gtest.h>

namespace {

TEST(ExecutablePath, FolderIsEverythingBeforeTheLastSlash) {
    EXPECT_EQ(folderOf("/opt/hebview/bin/hebview"), "/opt/hebview/bin");
    EXPECT_EQ(folderOf("/hebview"), "/");
    EXPECT_EQ(folderOf("hebview"), "");
    EXPECT_EQ(folderOf("dir/"), "dir");
}

TEST(ExecutablePath, TheRunningProgramsFolderHoldsIt) {
    const std::string folder = executableFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder) / "hebview_unit_tests"));
}

} // namespace
