#include "platform/PanelBar.h"

#include <algorithm>
#include <cmath>

namespace {

bool readPair(const std::string& text, int pair[2], double lowest) {
    double numbers[2];
    if (!parsePanelNumbers(text, numbers, 2) || numbers[0] < lowest || numbers[1] < lowest) {
        return false;
    }
    pair[0] = static_cast<int>(std::lround(std::min(numbers[0], 1e6)));
    pair[1] = static_cast<int>(std::lround(std::min(numbers[1], 1e6)));
    return true;
}

bool readColor(const std::string& text, uint8_t color[4]) {
    double numbers[4];
    if (!parsePanelNumbers(text, numbers, 4)) {
        // Without alpha the colour is opaque.
        numbers[0] = 255.0;
        if (!parsePanelNumbers(text, numbers + 1, 3)) {
            return false;
        }
    }
    for (int i = 0; i < 4; ++i) {
        color[i] = static_cast<uint8_t>(std::lround(std::clamp(numbers[i], 0.0, 255.0)));
    }
    return true;
}

} // namespace

PanelBar::PanelBar(std::string barName) : name(std::move(barName)) {}

std::string PanelBar::applyDefinition(const std::vector<PanelAssignment>& assignments) {
    std::string fault;
    for (const PanelAssignment& assignment : assignments) {
        bool understood = true;
        if (assignment.key == "color") {
            understood = readColor(assignment.value, color);
        } else if (assignment.key == "size") {
            understood = readPair(assignment.value, size, 1.0);
            placementChanged = true;
        } else if (assignment.key == "position") {
            understood = readPair(assignment.value, position, -1e6);
            placementChanged = true;
        }
        if (!understood && fault.empty()) {
            fault = "'" + assignment.key + "' cannot be read: '" + assignment.value + "'";
        }
    }
    return fault;
}
