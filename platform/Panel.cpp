#include "platform/Panel.h"

#include <iostream>

namespace {

constexpr std::string_view globalTarget = "GLOBAL";

std::string_view textOf(const char* text) {
    return text == nullptr ? std::string_view() : std::string_view(text);
}

} // namespace

Panel& Panel::instance() {
    static Panel* panel = new Panel();
    return *panel;
}

Panel::Panel() = default;

Panel::~Panel() = default;

PanelBar* Panel::newBar(std::string_view name) {
    if (name.empty() || findBar(name) != nullptr) {
        lastError = "a bar needs a name of its own: '" + std::string(name) + "'";
        return nullptr;
    }
    return &bars.emplace_back(std::string(name));
}

bool Panel::define(const char* definition) {
    const PanelDefinition parsed = parsePanelDefinition(textOf(definition));
    std::string fault;
    if (parsed.words.size() != 1) {
        fault = "names no single bar or GLOBAL";
    } else if (parsed.words[0] == globalTarget) {
        fault = applyGlobal(parsed.assignments);
    } else if (PanelBar* bar = findBar(parsed.words[0])) {
        fault = bar->applyDefinition(parsed.assignments);
    } else {
        fault = "there is no bar '" + parsed.words[0] + "'";
    }
    if (fault.empty()) {
        fault = parsed.error;
    }
    report(textOf(definition), fault);
    return fault.empty();
}

std::string Panel::applyGlobal(const std::vector<PanelAssignment>& assignments) {
    std::string fault;
    for (const PanelAssignment& assignment : assignments) {
        bool understood = true;
        if (assignment.key == "fontSize") {
            double size = 0.0;
            understood = parsePanelNumber(assignment.value, size) &&
                         (size == 1.0 || size == 2.0 || size == 3.0);
            if (understood) {
                fontSize = static_cast<int>(size);
            }
        } else if (assignment.key == "iconAlign") {
            // Bars are never shown as icons here, so the alignment only has
            // to be one of the two words.
            understood = assignment.value == "vertical" || assignment.value == "horizontal";
        }
        if (!understood && fault.empty()) {
            fault = "'" + assignment.key + "' cannot be read: '" + assignment.value + "'";
        }
    }
    return fault;
}

PanelType Panel::defineEnum(std::string_view name, const PanelEnumValue* values, int count) {
    PanelEnum* enumeration = nullptr;
    for (PanelEnum& existing : enums) {
        if (existing.name == name) {
            enumeration = &existing;
        }
    }
    if (enumeration == nullptr) {
        enumeration = &enums.emplace_back();
        enumeration->name = name;
    }
    enumeration->values.clear();
    for (int i = 0; i < count; ++i) {
        enumeration->values.push_back({values[i].value, std::string(textOf(values[i].label))});
    }
    const auto index = static_cast<int32_t>(enumeration - &enums[0]);
    return static_cast<PanelType>(static_cast<int32_t>(PanelType::FirstEnum) + index);
}

const PanelEnum* Panel::enumOf(PanelType type) const {
    const int32_t index = static_cast<int32_t>(type) - static_cast<int32_t>(PanelType::FirstEnum);
    if (index < 0 || index >= static_cast<int32_t>(enums.size())) {
        return nullptr;
    }
    return &enums[index];
}

bool Panel::addVarRW(PanelBar* bar, std::string_view name, PanelType type, void* variable,
                     const char* definition) {
    return addVariable(bar, name, type, variable, false, definition);
}

bool Panel::addVarRO(PanelBar* bar, std::string_view name, PanelType type, void* variable,
                     const char* definition) {
    return addVariable(bar, name, type, variable, true, definition);
}

bool Panel::addVariable(PanelBar* bar, std::string_view name, PanelType type, void* variable,
                        bool readOnly, const char* definition) {
    const PanelEnum* values = enumOf(type);
    const bool known = type == PanelType::BoolCpp || type == PanelType::Int32 ||
                       type == PanelType::Float || values != nullptr;
    if (!known || variable == nullptr) {
        lastError = "'" + std::string(name) + "' needs a known type and a variable";
        return false;
    }
    PanelEntry* entry = addEntry(bar, PanelEntryKind::Variable, name);
    if (entry == nullptr) {
        return false;
    }
    entry->bind(type, variable, readOnly, values);
    defineEntry(*entry, definition);
    return true;
}

bool Panel::addButton(PanelBar* bar, std::string_view name, PanelButtonCallback callback,
                      void* clientData, const char* definition) {
    PanelEntry* entry = addEntry(bar, PanelEntryKind::Button, name);
    if (entry == nullptr) {
        return false;
    }
    entry->callback = callback;
    entry->clientData = clientData;
    defineEntry(*entry, definition);
    return true;
}

bool Panel::addSeparator(PanelBar* bar, const char* name, const char* definition) {
    PanelEntry* entry = addEntry(bar, PanelEntryKind::Separator, textOf(name));
    if (entry == nullptr) {
        return false;
    }
    defineEntry(*entry, definition);
    return true;
}

PanelEntry* Panel::addEntry(PanelBar* bar, PanelEntryKind kind, std::string_view name) {
    if (bar == nullptr) {
        lastError = "no bar for '" + std::string(name) + "'";
        return nullptr;
    }
    for (const PanelEntry& entry : bar->entries) {
        if (!name.empty() && entry.name == name) {
            lastError = "'" + std::string(name) + "' is already in bar '" + bar->name + "'";
            return nullptr;
        }
    }
    return &bar->entries.emplace_back(kind, std::string(name));
}

void Panel::defineEntry(PanelEntry& entry, const char* definition) {
    report(textOf(definition), entry.applyDefinition(parsePanelDefinition(textOf(definition))));
}

PanelBar* Panel::findBar(std::string_view name) {
    for (PanelBar& bar : bars) {
        if (bar.name == name) {
            return &bar;
        }
    }
    return nullptr;
}

bool Panel::takesMouseButton(float x, float y) const {
    if (frame.widgetActive) {
        return true;
    }
    for (const PanelBar& bar : bars) {
        if (bar.shown.contains(x, y)) {
            return true;
        }
    }
    for (const PanelRect& popup : frame.popups) {
        if (popup.contains(x, y)) {
            return true;
        }
    }
    return false;
}

bool Panel::takesKey() const {
    return frame.textInputFocused;
}

bool Panel::stepHoveredEntry(int steps) {
    if (steps == 0 || frame.hovered == nullptr || !frame.hovered->isWritable()) {
        return false;
    }
    frame.hovered->stepBy(steps);
    return true;
}

void Panel::report(std::string_view definition, const std::string& fault) {
    if (fault.empty()) {
        return;
    }
    lastError = fault;
    if (reported.insert(std::string(definition)).second) {
        std::cout << "Panel definition \"" << definition << "\": " << fault << std::endl;
    }
}
