#include "ui/MessageBox.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(MessageBox, WithoutADisplayTheTextStillReachesStandardError) {
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    testing::internal::CaptureStderr();
    showMessageBox("the panel failed: no context\n", "TwInit");
    showMessageBox("a line of its own", "TwInit");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "the panel failed: no context\na line of its own\n");
}

} // namespace
