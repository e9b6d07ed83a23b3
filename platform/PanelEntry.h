#pragma once

#include "platform/PanelDefinition.h"

#include <cstdint>
#include <string>
#include <vector>

// The value types a panel entry can be bound to. Enumerations defined at run
// time get their own values, from FirstEnum upwards.
enum class PanelType : int32_t {
    Undefined = 0,
    BoolCpp = 1,
    Int32 = 2,
    Float = 3,
    FirstEnum = 100,
};

// One value of an enumeration as callers hand it over.
struct PanelEnumValue {
    int32_t value;
    const char* label;
};

struct PanelEnum {
    struct Value {
        int32_t value;
        std::string label;
    };
    std::string name;
    std::vector<Value> values;

    // The position of a value in the list, or -1 when it is not one of them.
    int indexOf(int32_t value) const;
};

enum class PanelEntryKind { Variable, Button, Separator };

using PanelButtonCallback = void (*)(void* clientData);

// One row of a bar: a variable bound to a field of the caller, a button, or a
// separator. The panel reads and writes the bound field itself; every write
// goes through setValue or stepBy, which keep it inside the range.
class PanelEntry {
public:
    PanelEntry(PanelEntryKind kind, std::string name);

    // Binds a variable and gives it the range and step of its type, which a
    // definition may then narrow.
    void bind(PanelType valueType, void* field, bool isReadOnly, const PanelEnum* values);

    // Applies the assignments an entry understands (label, min, max, step,
    // true, false) and ignores the rest. Returns the first fault of the text,
    // or an empty text; a faulty range or step keeps the previous one.
    std::string applyDefinition(const PanelDefinition& definition);

    bool isNumeric() const;
    bool isWritable() const;
    double value() const;
    // Stores the value clamped to the range (rounded for integers); an
    // enumeration takes only one of its own values.
    void setValue(double newValue);
    // Moves the value by whole steps: a number by `steps` times its step, an
    // enumeration to a neighbouring value, a switch to its other state.
    void stepBy(int steps);
    // The value as the panel shows it.
    std::string valueText() const;
    // Digits after the decimal point that the step calls for.
    int decimals() const;

    PanelEntryKind kind;
    std::string name;
    std::string label;
    PanelType type = PanelType::Undefined;
    void* variable = nullptr;
    bool readOnly = false;
    const PanelEnum* enumeration = nullptr;
    double min = 0.0;
    double max = 0.0;
    double step = 1.0;
    std::string trueText = "true";
    std::string falseText = "false";
    PanelButtonCallback callback = nullptr;
    void* clientData = nullptr;
};
