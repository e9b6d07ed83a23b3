#include "settings/SettingsOptions.h"

#include "io/DotGraphReader.h"
#include "settings/SettingsTable.h"
#include "settings/ViewState.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace optionvalues {

bool parseFloat(const std::string& word, float low, float high, float& value) {
    float parsed = 0.0f;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), parsed);
    if (error != std::errc() || end != word.data() + word.size() || !std::isfinite(parsed) ||
        parsed < low || parsed > high) {
        return false;
    }
    value = parsed;
    return true;
}

bool parseInteger(const std::string& word, int32_t low, int32_t high, int32_t& value) {
    int32_t parsed = 0;
    const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), parsed);
    if (error != std::errc() || end != word.data() + word.size() || parsed < low || parsed > high) {
        return false;
    }
    value = parsed;
    return true;
}

bool parseSwitch(const std::string& word, bool& value) {
    if (word == "on" || word == "1" || word == "true") {
        value = true;
        return true;
    }
    if (word == "off" || word == "0" || word == "false") {
        value = false;
        return true;
    }
    return false;
}

} // namespace optionvalues

namespace {

using namespace optionvalues;

// A bound of a range as --help writes it: 0.05, 1, 4096.
std::string boundText(double bound) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", bound);
    return text;
}

std::string argumentOf(const SettingDescriptor& setting) {
    if (setting.treeDepth) {
        return "K";
    }
    const std::string range = boundText(setting.min) + "-" + boundText(setting.max);
    switch (setting.kind) {
    case SettingKind::Switch:
        return "on|off";
    case SettingKind::Choice:
        return "NAME|" + range;
    default:
        return range;
    }
}

// The default as the option takes it: a choice by name, a switch on or
// off, a number with the decimals its step calls for.
std::string defaultTextOf(const SettingDescriptor& setting) {
    if (setting.treeDepth) {
        return "the whole tree; past " + std::to_string(readableBundles) +
               " relations the deepest cut of at most that many bundles";
    }
    if (setting.onlyWithWindow) {
        return "on in the viewer, off in hebview-render";
    }
    switch (setting.kind) {
    case SettingKind::Switch:
        return setting.defaultValue != 0.0 ? "on" : "off";
    case SettingKind::Choice:
        return setting.choiceNames[static_cast<std::size_t>(setting.defaultValue)];
    default: {
        char text[32];
        std::snprintf(text, sizeof text, "%.*f", settingDecimals(setting), setting.defaultValue);
        return text;
    }
    }
}

// "radial, classic or slice".
std::string namesText(const SettingDescriptor& setting) {
    std::string text;
    const std::size_t count = setting.choiceNames.size();
    for (std::size_t i = 0; i < count; ++i) {
        text += (i == 0 ? "" : i + 1 == count ? " or " : ", ");
        text += setting.choiceNames[i];
    }
    return text;
}

std::string descriptionOf(const SettingDescriptor& setting) {
    const std::string what =
        setting.kind == SettingKind::Choice ? namesText(setting) : std::string(setting.help);
    return what + " (default " + defaultTextOf(setting) + ")";
}

// A choice by name or by number.
bool readChoice(const SettingDescriptor& setting, const std::string& word, int32_t& value) {
    const auto named = std::find(setting.choiceNames.begin(), setting.choiceNames.end(), word);
    if (named != setting.choiceNames.end()) {
        value = static_cast<int32_t>(named - setting.choiceNames.begin());
        return true;
    }
    return parseInteger(word, 0, static_cast<int32_t>(setting.max), value);
}

bool readSetting(const SettingDescriptor& setting, const std::string& word,
                 ViewSettings& settings) {
    double value = 0.0;
    bool read = false;
    if (setting.kind == SettingKind::Switch) {
        bool on = false;
        read = parseSwitch(word, on);
        value = on ? 1.0 : 0.0;
    } else if (setting.kind == SettingKind::Real) {
        float number = 0.0f;
        read = parseFloat(word, static_cast<float>(setting.min), static_cast<float>(setting.max),
                          number);
        value = number;
    } else {
        int32_t number = 0;
        read = setting.kind == SettingKind::Choice
                   ? readChoice(setting, word, number)
                   : parseInteger(word, static_cast<int32_t>(setting.min),
                                  static_cast<int32_t>(setting.max), number);
        value = number;
    }
    if (read) {
        setting.write(settings, value);
    }
    return read;
}

// Two numbers, "X,Y".
bool parsePoint(const std::string& word, float& x, float& y) {
    const std::size_t comma = word.find(',');
    if (comma == std::string::npos) {
        return false;
    }
    float parsedX = 0.0f;
    float parsedY = 0.0f;
    constexpr float far = 100.0f;
    if (!parseFloat(word.substr(0, comma), -far, far, parsedX) ||
        !parseFloat(word.substr(comma + 1), -far, far, parsedY)) {
        return false;
    }
    x = parsedX;
    y = parsedY;
    return true;
}

} // namespace

const std::vector<CommandOption<ViewSettings>>& settingsOptions() {
    static const std::vector<CommandOption<ViewSettings>> table = [] {
        std::vector<CommandOption<ViewSettings>> options;
        for (const SettingDescriptor& setting : settingsTable()) {
            options.push_back({setting.option, argumentOf(setting), descriptionOf(setting),
                               [&setting](const std::string& word, ViewSettings& settings) {
                                   return readSetting(setting, word, settings);
                               }});
        }
        return options;
    }();
    return table;
}

const std::vector<CommandOption<ViewOptions>>& viewOptions() {
    static const std::vector<CommandOption<ViewOptions>> table{
        {"--compare", "OLD", "compare with OLD, an older version: relations added, removed, kept",
         [](const std::string& w, ViewOptions& o) {
             o.olderVersion = w;
             return !w.empty();
         }},
        {"--dot-names", "label|id",
         "name DOT nodes by their labels where they have one (default id)",
         [](const std::string& w, ViewOptions& o) {
             const std::optional<DotNames> names = dotgraph::namesCalled(w);
             o.dotNames = names.value_or(o.dotNames);
             return names.has_value();
         }},
        {"--highlight", "NODE", "highlight a node's relations; a name or a path a.b.c",
         [](const std::string& w, ViewOptions& o) {
             o.highlight = w;
             return !w.empty();
         }},
        {"--collapse", "NODE", "show a node as one, its subtree hidden; repeatable",
         [](const std::string& w, ViewOptions& o) {
             o.collapse.push_back(w);
             return !w.empty();
         }},
        {"--search", "TEXT", "mark the nodes whose name or path holds TEXT",
         [](const std::string& w, ViewOptions& o) {
             o.search = w;
             return true;
         }},
        {"--rules", "FILE", "show the relations that break the architecture rules in FILE",
         [](const std::string& w, ViewOptions& o) {
             o.rulesPath = w;
             return !w.empty();
         }},
        {"--zoom", "0.5-4096", "magnification about the centre (default 1)",
         [](const std::string& w, ViewOptions& o) {
             float zoom = 1.0f;
             if (!parseFloat(w, static_cast<float>(minimumZoom), static_cast<float>(maximumZoom),
                             zoom)) {
                 return false;
             }
             o.zoom = zoom;
             return true;
         }},
        {"--center", "X,Y", "the scene point in the middle (default 0,0; see below)",
         [](const std::string& w, ViewOptions& o) { return parsePoint(w, o.centreX, o.centreY); }},
    };
    return table;
}

std::string viewOptionsNote() {
    return "\nScene coordinates: the whole picture is the square from -1.01 to 1.01 in x\n"
           "and y, y up; the radial tree's leaves lie on the circle of radius 0.8 (the\n"
           "bottom leaf at 0,-0.8: --zoom 4 --center 0,-0.8 magnifies it in the middle),\n"
           "and the classic tree and the treemaps lie within -1 to 1.\n";
}

std::string optionHelpLine(const std::string& name, const std::string& argument,
                           const std::string& description) {
    std::string head = "  " + name + " " + argument;
    head.resize(std::max<std::size_t>(head.size() + 1, 26), ' ');
    return head + description + "\n";
}
