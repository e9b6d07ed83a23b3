#include "platform/PanelEntry.h"

#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

constexpr double defaultFloatStep = 0.01;
constexpr int maxDecimals = 6;

void noteFault(std::string& fault, const std::string& text) {
    if (fault.empty()) {
        fault = text;
    }
}

} // namespace

int PanelEnum::indexOf(int32_t value) const {
    for (size_t i = 0; i < values.size(); ++i) {
        if (values[i].value == value) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

PanelEntry::PanelEntry(PanelEntryKind entryKind, std::string entryName)
    : kind(entryKind), name(std::move(entryName)), label(name) {}

void PanelEntry::bind(PanelType valueType, void* field, bool isReadOnly, const PanelEnum* values) {
    type = valueType;
    variable = field;
    readOnly = isReadOnly;
    enumeration = values;
    step = 1.0;
    if (type == PanelType::Int32) {
        min = std::numeric_limits<int32_t>::min();
        max = std::numeric_limits<int32_t>::max();
    } else if (type == PanelType::Float) {
        min = -FLT_MAX;
        max = FLT_MAX;
        step = defaultFloatStep;
    }
}

std::string PanelEntry::applyDefinition(const PanelDefinition& definition) {
    std::string fault;
    for (const std::string& word : definition.words) {
        noteFault(fault, "'" + word + "' has no value");
    }
    double range[2] = {min, max};
    double newStep = step;
    for (const PanelAssignment& assignment : definition.assignments) {
        const std::string& key = assignment.key;
        if (key == "label") {
            label = assignment.value;
        } else if (key == "true") {
            trueText = assignment.value;
        } else if (key == "false") {
            falseText = assignment.value;
        } else if (key == "min" || key == "max" || key == "step") {
            double number = 0.0;
            if (!parsePanelNumber(assignment.value, number)) {
                noteFault(fault, "'" + key + "' is not a number: '" + assignment.value + "'");
                continue;
            }
            (key == "min" ? range[0] : key == "max" ? range[1] : newStep) = number;
        }
    }
    if (type == PanelType::Int32) {
        // An integer's range must hold 32-bit values only.
        for (double& limit : range) {
            limit = std::clamp(limit, double(std::numeric_limits<int32_t>::min()),
                               double(std::numeric_limits<int32_t>::max()));
        }
    }
    if (isNumeric()) {
        if (range[0] <= range[1]) {
            min = range[0];
            max = range[1];
        } else {
            noteFault(fault, "min is above max");
        }
        if (newStep > 0.0) {
            step = newStep;
        } else {
            noteFault(fault, "step is not positive");
        }
    }
    noteFault(fault, definition.error);
    return fault;
}

bool PanelEntry::isNumeric() const {
    return type == PanelType::Int32 || type == PanelType::Float;
}

bool PanelEntry::isWritable() const {
    return kind == PanelEntryKind::Variable && !readOnly && variable != nullptr;
}

double PanelEntry::value() const {
    switch (type) {
    case PanelType::BoolCpp:
        return *static_cast<const bool*>(variable) ? 1.0 : 0.0;
    case PanelType::Float:
        return *static_cast<const float*>(variable);
    default:
        return *static_cast<const int32_t*>(variable);
    }
}

void PanelEntry::setValue(double newValue) {
    if (!isWritable() || std::isnan(newValue)) {
        return;
    }
    switch (type) {
    case PanelType::BoolCpp:
        *static_cast<bool*>(variable) = newValue != 0.0;
        break;
    case PanelType::Float:
        *static_cast<float*>(variable) = static_cast<float>(std::clamp(newValue, min, max));
        break;
    case PanelType::Int32: {
        const double lowest = std::ceil(min);
        const double highest = std::max(lowest, std::floor(max));
        *static_cast<int32_t*>(variable) =
            static_cast<int32_t>(std::clamp(std::round(newValue), lowest, highest));
        break;
    }
    default:
        if (enumeration != nullptr && std::round(newValue) == newValue &&
            std::abs(newValue) <= std::numeric_limits<int32_t>::max() &&
            enumeration->indexOf(static_cast<int32_t>(newValue)) >= 0) {
            *static_cast<int32_t*>(variable) = static_cast<int32_t>(newValue);
        }
        break;
    }
}

void PanelEntry::stepBy(int steps) {
    if (!isWritable() || steps == 0) {
        return;
    }
    if (type == PanelType::BoolCpp) {
        setValue(value() == 0.0 ? 1.0 : 0.0);
    } else if (isNumeric()) {
        setValue(value() + steps * step);
    } else if (enumeration != nullptr && !enumeration->values.empty()) {
        const int last = static_cast<int>(enumeration->values.size()) - 1;
        const int at = enumeration->indexOf(static_cast<int32_t>(value()));
        const int next = at < 0 ? 0 : std::clamp(at + steps, 0, last);
        setValue(enumeration->values[next].value);
    }
}

std::string PanelEntry::valueText() const {
    if (variable == nullptr) {
        return std::string();
    }
    switch (type) {
    case PanelType::BoolCpp:
        return value() != 0.0 ? trueText : falseText;
    case PanelType::Int32:
        return std::to_string(*static_cast<const int32_t*>(variable));
    case PanelType::Float: {
        char text[64];
        std::snprintf(text, sizeof text, "%.*f", decimals(), value());
        return text;
    }
    default: {
        const int32_t current = *static_cast<const int32_t*>(variable);
        const int at = enumeration == nullptr ? -1 : enumeration->indexOf(current);
        return at < 0 ? std::to_string(current) : enumeration->values[at].label;
    }
    }
}

int PanelEntry::decimals() const {
    if (type != PanelType::Float) {
        return 0;
    }
    double scaled = step;
    for (int digits = 0; digits < maxDecimals; ++digits, scaled *= 10.0) {
        if (std::abs(scaled - std::round(scaled)) < 1e-6 * scaled) {
            return digits;
        }
    }
    return maxDecimals;
}
