#pragma once

#include "scene/ViewSettings.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

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

// The size of the graph on screen, as the panel shows it.
struct PanelCounts {
    int32_t nodes = 0;
    int32_t relations = 0;
};

enum class PanelRowKind { Button, NodeCount, RelationCount, Separator, Choice, Switch, Number };

// One row of the "Settings" bar: a button, a count shown read-only, a
// separator, or a setting (a choice among labels, an ON/OFF switch, or a
// number with its range and step).
struct PanelRow {
    PanelRowKind kind = PanelRowKind::Separator;
    const char* label = "";
    bool ViewSettings::*flag = nullptr;
    // A choice's value, or an integer number.
    int32_t ViewSettings::*integer = nullptr;
    float ViewSettings::*real = nullptr;
    double min = 0.0;
    double max = 0.0;
    double step = 1.0;
    // A choice's labels, indexed by value.
    std::span<const char* const> choices;

    bool isSetting() const {
        return kind == PanelRowKind::Choice || kind == PanelRowKind::Switch ||
               kind == PanelRowKind::Number;
    }
};

// The "Settings" bar: the graph's size, the "Load File" button and every
// setting, each row bound to a field of ViewSettings. Knows nothing of
// drawing: PanelImGui draws it and reports what its last frame left behind,
// from which the panel decides which input events are its own.
class SettingsPanel {
public:
    static constexpr const char* title = "Settings";
    static constexpr const char* loadFileLabel = "Load File";
    static constexpr PanelRect placement{10.0f, 30.0f, 270.0f, 350.0f};
    // Alpha, red, green, blue: translucent dark grey.
    static constexpr uint8_t background[4] = {150, 50, 50, 50};
    static constexpr float fontPixels = 16.0f;

    SettingsPanel(ViewSettings& settings, const PanelCounts& counts,
                  std::function<void()> loadFile);

    static std::span<const PanelRow> rows();

    double value(const PanelRow& row) const;
    // Stores the value clamped to the row's range (rounded for integers); a
    // choice takes only one of its own values, a NaN nothing.
    void setValue(const PanelRow& row, double newValue);
    // Moves the value by whole steps: a number by steps times its step, a
    // choice to a neighbouring value, a switch to its other state.
    void step(const PanelRow& row, int steps);
    // The value as the panel shows it.
    std::string valueText(const PanelRow& row) const;
    // Digits after the decimal point that the row's step calls for.
    static int decimals(const PanelRow& row);
    void press(const PanelRow& row);

    // What the last drawn frame left behind, written by the drawing.
    struct FrameState {
        PanelRect shown;
        std::vector<PanelRect> popups;
        const PanelRow* hovered = nullptr;
        bool widgetActive = false;
        bool textInputFocused = false;
    };
    FrameState frame;

    // A mouse button event is the panel's when it happens over the bar or an
    // open list, or while one of its widgets is held.
    bool takesMouseButton(float x, float y) const;
    // A key is the panel's while one of its number fields is being typed in.
    bool takesKey() const;
    // Moves the setting under the pointer by whole steps; false when there
    // is none.
    bool stepHoveredRow(int steps);

private:
    ViewSettings& settings;
    const PanelCounts& counts;
    std::function<void()> loadFile;
};
