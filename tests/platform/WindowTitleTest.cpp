#include "platform/WindowTitle.h"

#include <gtest/gtest.h>

namespace {

TEST(WindowTitle, NamesTheGraphFileWithoutItsFolder) {
    EXPECT_EQ(windowTitleFor("hebview", "data/Graphs/jhotdraw-mini.rsf"),
              "hebview \xE2\x80\x94 jhotdraw-mini.rsf");
    EXPECT_EQ(windowTitleFor("hebview", "/tmp/x y.rsf"), "hebview \xE2\x80\x94 x y.rsf");
    EXPECT_EQ(windowTitleFor("hebview", ""), "hebview") << "no graph yet";
}

} // namespace
