#pragma once

#include <string>
#include <string_view>
#include <vector>

// One "key=value" of a definition string, quotes around the value removed.
struct PanelAssignment {
    std::string key;
    std::string value;
};

// A definition string taken apart: the bare words in front (the bar that a
// bar definition is for, or GLOBAL) and the assignments that follow. `error`
// names the first fault of a malformed text and is empty otherwise; what was
// read before the fault is kept, so a caller can still use it.
struct PanelDefinition {
    std::vector<std::string> words;
    std::vector<PanelAssignment> assignments;
    std::string error;
};

// Words are separated by blanks; a value may be quoted with ', " or ` to hold
// blanks of its own.
PanelDefinition parsePanelDefinition(std::string_view text);

// A decimal number, optionally followed by 'f' as C float literals are
// written. False unless the whole text is one finite number.
bool parsePanelNumber(std::string_view text, double& number);

// Exactly `count` blank-separated numbers, such as '150 50 50 50'.
bool parsePanelNumbers(std::string_view text, double* numbers, int count);
