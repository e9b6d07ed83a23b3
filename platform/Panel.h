#pragma once

#include "platform/PanelBar.h"
#include "platform/PanelEntry.h"

#include <deque>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// The settings panel's model: bars of entries bound to the caller's fields,
// enumerations, definition strings, and the decisions which input events the
// panel takes. It knows nothing of drawing; PanelImGui draws it and feeds it
// events. Definitions are handed over as C texts, null meaning none.
class Panel {
public:
    static Panel& instance();

    Panel();
    Panel(const Panel&) = delete;
    Panel& operator=(const Panel&) = delete;
    virtual ~Panel();

    // Null when the name is empty or taken.
    PanelBar* newBar(std::string_view name);
    // " <bar> key=value ..." or " GLOBAL key=value ...". False on a fault,
    // which is also reported.
    bool define(const char* definition);
    // A new value type; defining a name again replaces its values.
    PanelType defineEnum(std::string_view name, const PanelEnumValue* values, int count);
    bool addVarRW(PanelBar* bar, std::string_view name, PanelType type, void* variable,
                  const char* definition);
    bool addVarRO(PanelBar* bar, std::string_view name, PanelType type, void* variable,
                  const char* definition);
    bool addButton(PanelBar* bar, std::string_view name, PanelButtonCallback callback,
                   void* clientData, const char* definition);
    bool addSeparator(PanelBar* bar, const char* name, const char* definition);

    PanelBar* findBar(std::string_view name);
    const PanelEnum* enumOf(PanelType type) const;

    // A mouse button event is the panel's when it happens over one of its
    // windows or open lists, or while one of its widgets is held.
    bool takesMouseButton(float x, float y) const;
    // A key is the panel's while one of its text fields has the focus.
    bool takesKey() const;
    // Moves the writable entry under the pointer by whole steps; false when
    // there is none.
    bool stepHoveredEntry(int steps);

    std::deque<PanelBar> bars;
    std::deque<PanelEnum> enums;
    // 1 small, 2 medium, 3 large.
    int fontSize = 2;
    std::string lastError;

    // What the last drawn frame left behind, written by the drawing.
    struct FrameState {
        std::vector<PanelRect> popups;
        PanelEntry* hovered = nullptr;
        bool widgetActive = false;
        bool textInputFocused = false;
    };
    FrameState frame;

private:
    bool addVariable(PanelBar* bar, std::string_view name, PanelType type, void* variable,
                     bool readOnly, const char* definition);
    PanelEntry* addEntry(PanelBar* bar, PanelEntryKind kind, std::string_view name);
    void defineEntry(PanelEntry& entry, const char* definition);
    std::string applyGlobal(const std::vector<PanelAssignment>& assignments);
    // Sets lastError and prints a faulty definition, each text only once.
    void report(std::string_view definition, const std::string& fault);

    std::set<std::string, std::less<>> reported;
};
