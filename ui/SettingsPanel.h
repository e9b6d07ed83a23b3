#pragma once

#include "settings/SettingsTable.h"
#include "settings/ViewSettings.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
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
    // The depth of the deepest node: where the "Depth" setting ends.
    int32_t treeDepth = 0;
};

enum class PanelRowKind {
    Button,
    NodeCount,
    RelationCount,
    // The line that says where the hierarchy is cut, and under it, while two
    // versions are compared, the line that sums up their differences.
    CutLine,
    Search,
    Separator,
    Choice,
    Switch,
    Number
};

// One row of the "Settings" bar: a button, a count shown read-only, the
// search field, a separator, or a setting (a choice among labels, an ON/OFF
// switch, or a number), which the settings table describes.
struct PanelRow {
    PanelRowKind kind = PanelRowKind::Separator;
    const char* label = "";
    // The setting of a Choice, Switch or Number row; none for the others.
    const SettingDescriptor* setting = nullptr;

    bool isSetting() const { return setting != nullptr; }
};

// The "Settings" bar: the graph's size, the "Load File" and "Save Picture"
// buttons, the search field and every setting of the settings table, its
// groups apart, the levels, and the comparison of two versions; and beside
// it a message banner and the tooltip of the node under the pointer.
// Knows nothing of drawing: PanelImGui draws it and reports what its last
// frame left behind, from which the panel decides which input events are
// its own.
class SettingsPanel {
public:
    static constexpr const char* title = "Settings";
    static constexpr const char* loadFileLabel = "Load File";
    static constexpr const char* savePictureLabel = "Save Picture";
    static constexpr const char* expandAllLabel = "Expand All";
    static constexpr const char* compareWithLabel = "Compare With...";
    static constexpr const char* stopComparingLabel = "Stop Comparing";
    static constexpr const char* loadRulesLabel = "Load Rules...";
    static constexpr const char* clearRulesLabel = "Clear Rules";
    static constexpr const char* rulesDialogTitle = "Load Rules: choose an architecture rules file";
    static constexpr const char* saveMatrixLabel = "Save Matrix...";
    // The title of the dialog "Compare With..." opens: what the file is.
    static constexpr const char* compareDialogTitle =
        "Compare With: choose the older version of the graph";
    static constexpr PanelRect placement{10.0f, 30.0f, 330.0f, 640.0f};
    // Alpha, red, green, blue: translucent dark grey.
    static constexpr uint8_t background[4] = {150, 50, 50, 50};
    static constexpr float fontPixels = 16.0f;
    // Pixels between the bar and the picture beside it.
    static constexpr float pictureGap = 10.0f;
    // The most of a message or a tooltip shown, in bytes: a name from a file
    // may be as long as the file.
    static constexpr std::size_t shownTextLimit = 1500;

    SettingsPanel(ViewSettings& settings, const PanelCounts& counts, std::function<void()> loadFile,
                  std::function<void()> savePicture = {}, std::function<void()> expandAll = {});

    static std::span<const PanelRow> rows();

    double value(const PanelRow& row) const;
    // The range the row's setting takes here: a depth ends at the graph's.
    double lowest(const PanelRow& row) const;
    double highest(const PanelRow& row) const;
    // Stores the value clamped to the row's range (rounded for integers); a
    // choice takes only one of its own values, a NaN nothing.
    void setValue(const PanelRow& row, double newValue);
    // Moves the value by whole steps: a number by steps times its step, a
    // choice to a neighbouring value, a switch to its other state.
    void step(const PanelRow& row, int steps);
    // Whether the row's setting has an effect with the other settings as
    // they are; the panel shows the others disabled.
    bool applies(const PanelRow& row) const;
    // The value as the panel shows it.
    std::string valueText(const PanelRow& row) const;
    // Digits after the decimal point that the row's step calls for.
    static int decimals(const PanelRow& row);
    void press(const PanelRow& row);

    // The search field: its text and what it found. `changed` hears a new
    // text, `step` Enter (0) and the arrow keys (+1 down, -1 up).
    struct Search {
        std::string text;
        int32_t matches = 0;
        // The match shown last, counted from 0.
        std::optional<int32_t> current;
        std::function<void(const std::string&)> changed;
        std::function<void(int)> step;
    };
    Search search;
    void typeSearch(const std::string& text);
    void stepSearch(int steps);
    // What the search found, as the panel shows it under the field; empty
    // before anything is typed.
    std::string searchSummary() const;
    // Asks for the search field to take the keys from the next frame on.
    void focusSearch() { searchFocusWanted = true; }
    // Whether focusSearch was asked for since the last call.
    bool takeSearchFocus();

    // A message in red over the picture until dismissed or replaced; empty
    // for none.
    std::string message;
    // Advice on the picture, under the message, until dismissed or the
    // next change; empty for none.
    std::string advice;
    // Where the hierarchy is cut, as one line; empty before a graph.
    std::string cutLine;
    // Comparing the graph on screen with an older version of it: what the
    // two buttons do, and the summary shown under the cut's line while
    // comparing (empty when not).
    struct Comparing {
        std::function<void()> compareWith;
        std::function<void()> stop;
        std::string summary;
    };
    Comparing comparing;
    // The architecture rules whose violations the picture shows: what the
    // two buttons do, and whether any are loaded ("Clear Rules" applies
    // then only).
    struct Rules {
        std::function<void()> load;
        std::function<void()> clear;
        bool loaded = false;
    };
    Rules rules;
    // Writes the dependency matrix at the cut as CSV, to a file it asks for.
    std::function<void()> saveMatrix;
    // The text as the panel shows a message or a tooltip: cut between two
    // characters after shownTextLimit bytes and ended by "...", and with
    // "..." for each ellipsis character.
    static std::string shownText(const std::string& text);
    // The bar is drawn; hidden, the picture takes the whole window.
    bool visible = true;
    // The width at the window's left that the bar takes from the picture,
    // the gap included: none while it is hidden or moved to the right half.
    int pictureLeft(int windowWidth) const;
    // About the node under the pointer, shown beside it; empty for none.
    std::string tooltip;

    // What the last drawn frame left behind, written by the drawing.
    struct FrameState {
        PanelRect shown;
        std::vector<PanelRect> popups;
        const PanelRow* hovered = nullptr;
        bool widgetActive = false;
        bool textInputFocused = false;
        bool searchFocused = false;
    };
    FrameState frame;

    // A mouse button event is the panel's when it happens over the bar or an
    // open list, or while one of its widgets (not a text field) is held.
    bool takesMouseButton(float x, float y) const;
    // A key is the panel's while one of its fields is being typed in, or the
    // search field has been asked to take the keys.
    bool takesKey() const;
    // Moves the setting under the pointer by whole steps; false when there
    // is none.
    bool stepHoveredRow(int steps);

private:
    ViewSettings& settings;
    const PanelCounts& counts;
    std::function<void()> loadFile;
    std::function<void()> savePicture;
    std::function<void()> expandAll;
    bool searchFocusWanted = false;
};
