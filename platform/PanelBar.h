#pragma once

#include "platform/PanelDefinition.h"
#include "platform/PanelEntry.h"

#include <cstdint>
#include <deque>
#include <string>

// A rectangle in window pixels, origin at the top left as the window system
// reports pointer positions.
struct PanelRect {
    float x = 0.0f;
    float y = 0.0f;
    float width = 0.0f;
    float height = 0.0f;

    bool contains(float px, float py) const {
        return px >= x && py >= y && px < x + width && py < y + height;
    }
};

// A titled window of entries. Entries live in a deque so that the panel can
// keep pointers to them while more are added.
class PanelBar {
public:
    explicit PanelBar(std::string barName);

    // Applies color='A R G B' (or 'R G B'), size='W H' and position='X Y';
    // other words are the panel library's other users' and are ignored.
    // Returns the first fault, or an empty text.
    std::string applyDefinition(const std::vector<PanelAssignment>& assignments);

    std::string name;
    std::deque<PanelEntry> entries;
    // Alpha, red, green, blue, each 0..255.
    uint8_t color[4] = {220, 30, 30, 30};
    int size[2] = {200, 320};
    int position[2] = {16, 16};
    // Set when size or position were defined, so that the drawing moves the
    // window there once and the user may move it afterwards.
    bool placementChanged = true;
    // Where the bar was drawn last, for deciding which events are its own.
    PanelRect shown;
};
