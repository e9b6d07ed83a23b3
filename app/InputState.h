#pragma once

#include <cstdint>

// Which keys and mouse buttons are held, as reported by the window events
// that the settings panel did not take.
class InputState {
public:
    static constexpr int keyCount = 512;
    static constexpr int specialKeyBase = 256;
    static constexpr int mouseButtonCount = 3;

    static InputState& instance();

    InputState();
    virtual ~InputState();

    void keyDown(unsigned char key, int x, int y);
    void keyUp(unsigned char key, int x, int y);
    void specialKeyDown(int key, int x, int y);
    void specialKeyUp(int key, int x, int y);
    void mouseButton(int button, int state, int x, int y);

    bool isKeyDown(int index) const;
    // Reports a press once, also one released before it is asked for (a tap
    // shorter than a frame): the press is forgotten as it is read.
    bool consumeKey(int index);
    bool isMouseButtonDown(int index) const;

    uint8_t keys[keyCount];
    // Presses not yet consumed, whether or not the key is still held.
    uint8_t pressed[keyCount];
    uint8_t mouseButtons[mouseButtonCount];

private:
    void setSpecialKey(int key, uint8_t value);
};
