#include "app/InputState.h"

#include <GL/freeglut.h>
#include <gtest/gtest.h>

namespace {

TEST(InputState, StartsWithNothingHeld) {
    InputState input;
    for (int i = 0; i < InputState::keyCount; ++i) {
        EXPECT_FALSE(input.isKeyDown(i));
    }
    for (int i = 0; i < InputState::mouseButtonCount; ++i) {
        EXPECT_FALSE(input.isMouseButtonDown(i));
    }
}

TEST(InputState, KeysAreIndexedByCharacterCode) {
    InputState input;
    input.keyDown('a', 10, 20);
    input.keyDown(255, 0, 0);
    EXPECT_TRUE(input.isKeyDown('a'));
    EXPECT_TRUE(input.isKeyDown(255));
    EXPECT_FALSE(input.isKeyDown('A'));
    input.keyUp('a', 0, 0);
    EXPECT_FALSE(input.isKeyDown('a'));
    // A release whose press the panel took simply leaves the entry at 0.
    input.keyUp('q', 0, 0);
    EXPECT_FALSE(input.isKeyDown('q'));
}

TEST(InputState, SpecialKeysFollowTheOrdinaryOnes) {
    InputState input;
    input.specialKeyDown(GLUT_KEY_F1, 0, 0);
    input.specialKeyDown(GLUT_KEY_INSERT, 0, 0);
    EXPECT_TRUE(input.isKeyDown(256 + GLUT_KEY_F1));
    EXPECT_TRUE(input.isKeyDown(256 + GLUT_KEY_INSERT));
    EXPECT_FALSE(input.isKeyDown(GLUT_KEY_F1));
    input.specialKeyUp(GLUT_KEY_F1, 0, 0);
    EXPECT_FALSE(input.isKeyDown(256 + GLUT_KEY_F1));
    // Codes outside 0..255 are ignored rather than written past the table.
    input.specialKeyDown(256, 0, 0);
    input.specialKeyDown(-1, 0, 0);
    for (int i = 0; i < InputState::keyCount; ++i) {
        EXPECT_EQ(input.isKeyDown(i), i == 256 + GLUT_KEY_INSERT) << i;
    }
}

TEST(InputState, MouseButtons) {
    InputState input;
    input.mouseButton(GLUT_LEFT_BUTTON, GLUT_DOWN, 5, 5);
    input.mouseButton(GLUT_RIGHT_BUTTON, GLUT_DOWN, 5, 5);
    EXPECT_TRUE(input.isMouseButtonDown(0));
    EXPECT_FALSE(input.isMouseButtonDown(1));
    EXPECT_TRUE(input.isMouseButtonDown(2));
    input.mouseButton(GLUT_RIGHT_BUTTON, GLUT_UP, 5, 5);
    EXPECT_FALSE(input.isMouseButtonDown(2));
    // Wheel "buttons" and other numbers are ignored.
    input.mouseButton(3, GLUT_DOWN, 0, 0);
    input.mouseButton(-1, GLUT_DOWN, 0, 0);
    EXPECT_FALSE(input.isMouseButtonDown(3));
    EXPECT_TRUE(input.isMouseButtonDown(0));
}

TEST(InputState, ConsumeKeyCountsAPressOnce) {
    InputState input;
    input.keyDown(27, 0, 0);
    EXPECT_TRUE(input.consumeKey(27));
    EXPECT_FALSE(input.consumeKey(27));
    EXPECT_FALSE(input.isKeyDown(27));
    input.keyDown(27, 0, 0); // a repeat of the held key
    EXPECT_TRUE(input.consumeKey(27));
}

TEST(InputState, ATapReleasedBeforeTheFrameStillCounts) {
    InputState input;
    input.keyDown(27, 0, 0);
    input.keyUp(27, 0, 0);
    EXPECT_FALSE(input.isKeyDown(27));
    EXPECT_TRUE(input.consumeKey(27)) << "Escape pressed and released between two frames";
    EXPECT_FALSE(input.consumeKey(27));
    input.specialKeyDown(GLUT_KEY_LEFT, 0, 0);
    input.specialKeyUp(GLUT_KEY_LEFT, 0, 0);
    EXPECT_TRUE(input.consumeKey(InputState::specialKeyBase + GLUT_KEY_LEFT));
    // A release alone is no press.
    input.keyUp('q', 0, 0);
    EXPECT_FALSE(input.consumeKey('q'));
}

TEST(InputState, OutOfRangeQueriesAnswerFalse) {
    InputState input;
    for (int i = 0; i < InputState::keyCount; ++i) {
        input.keys[i] = 1;
    }
    input.mouseButtons[0] = input.mouseButtons[1] = input.mouseButtons[2] = 1;
    EXPECT_FALSE(input.isKeyDown(512));
    EXPECT_FALSE(input.isKeyDown(-1));
    EXPECT_FALSE(input.consumeKey(512));
    EXPECT_FALSE(input.consumeKey(-1));
    EXPECT_FALSE(input.isMouseButtonDown(3));
    EXPECT_FALSE(input.isMouseButtonDown(-1));
}

} // namespace
