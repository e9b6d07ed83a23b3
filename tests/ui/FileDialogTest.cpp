#include "ui/FileDialog.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

namespace {

TEST(FileDialog, WithoutADisplayItSaysSoAndAnswersAsCancel) {
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    FileDialog dialog;
    std::strcpy(dialog.fileName, "left over");
    testing_support::CoutCapture output;
    EXPECT_FALSE(dialog.show("*", "*", "Load File", false));
    EXPECT_STREQ(dialog.fileName, "");
    ASSERT_FALSE(dialog.shown.ok());
    EXPECT_EQ(dialog.shown.error().describe(),
              "No display for the file dialog; nothing is loaded.");
    EXPECT_EQ(output.text(), "") << "the caller tells";
}

} // namespace
