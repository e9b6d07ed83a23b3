#pragma once

#include "base/Result.h"
#include "scene/ViewSettings.h"

#include <cstdint>
#include <functional>
#include <optional>
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

// Reads the option that arguments[at] names, and its value after it, into
// the target: nothing when no option of the table has that name, else the
// outcome (an Error for a missing or bad value), with `at` moved to the
// value. A table is any vector of entries with `name`, `argument` and
// `apply(value, target)`, such as settingsOptions().
template <typename Option, typename Target>
std::optional<Status> applyOption(const std::vector<Option>& table,
                                  const std::vector<std::string>& arguments, std::size_t& at,
                                  Target& target) {
    const std::string& word = arguments[at];
    for (const Option& option : table) {
        if (word != option.name) {
            continue;
        }
        if (at + 1 == arguments.size()) {
            return Status(Error{word + " needs a value (" + option.argument + ")"});
        }
        const std::string& value = arguments[++at];
        if (!option.apply(value, target)) {
            return Status(
                Error{"bad value '" + value + "' for " + word + " (" + option.argument + ")"});
        }
        return Status();
    }
    return std::nullopt;
}

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
