#include "app/InputState.h"

#include "app/ViewerContext.h"

#include <GL/freeglut.h>

#include <cstring>

InputState& InputState::instance() {
    return ViewerContext::instance().input;
}

InputState::InputState() {
    std::memset(keys, 0, sizeof keys);
    std::memset(pressed, 0, sizeof pressed);
    std::memset(mouseButtons, 0, sizeof mouseButtons);
}

InputState::~InputState() = default;

void InputState::keyDown(unsigned char key, int, int) {
    keys[key] = 1;
    pressed[key] = 1;
}

void InputState::keyUp(unsigned char key, int, int) {
    keys[key] = 0;
}

void InputState::specialKeyDown(int key, int, int) {
    setSpecialKey(key, 1);
}

void InputState::specialKeyUp(int key, int, int) {
    setSpecialKey(key, 0);
}

void InputState::setSpecialKey(int key, uint8_t value) {
    if (key >= 0 && key < keyCount - specialKeyBase) {
        keys[specialKeyBase + key] = value;
        pressed[specialKeyBase + key] |= value;
    }
}

void InputState::mouseButton(int button, int state, int, int) {
    if (button >= 0 && button < mouseButtonCount) {
        mouseButtons[button] = state == GLUT_DOWN ? 1 : 0;
    }
}

bool InputState::isKeyDown(int index) const {
    return index >= 0 && index < keyCount && keys[index] != 0;
}

bool InputState::consumeKey(int index) {
    if (index < 0 || index >= keyCount || pressed[index] == 0) {
        return false;
    }
    pressed[index] = 0;
    keys[index] = 0;
    return true;
}

bool InputState::isMouseButtonDown(int index) const {
    return index >= 0 && index < mouseButtonCount && mouseButtons[index] != 0;
}
