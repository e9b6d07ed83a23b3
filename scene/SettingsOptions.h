#pragma once

#include "scene/ViewSettings.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// The drawing settings as command-line options, one table for the viewer
// and hebview-render: each with its value's form, its description with the
// panel's default, and the parser that sets it.
struct SettingsOption {
    const char* name;
    const char* argument;
    const char* description;
    std::function<bool(const std::string&, ViewSettings&)> apply;
};

const std::vector<SettingsOption>& settingsOptions();

// "  --name ARGUMENT" padded to a column, the description, a line end.
std::string optionHelpLine(const char* name, const char* argument, const char* description);

// Readers of option values: false, and the value untouched, for a word that
// is not one in the range (or of the choices, by name or number).
namespace optionvalues {

bool parseFloat(const std::string& word, float low, float high, float& value);
bool parseInteger(const std::string& word, int32_t low, int32_t high, int32_t& value);
// "on", "1", "true" or "off", "0", "false".
bool parseSwitch(const std::string& word, bool& value);

} // namespace optionvalues
