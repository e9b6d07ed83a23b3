#pragma once

#include <span>

struct ViewSettings;

enum class SettingKind { Switch, Integer, Real, Choice };

// What a setting is, said once: ViewSettings takes its default from here,
// both programs their command-line options and --help, the panel its row,
// and the frame key follows from ViewSettings. Values travel as doubles,
// which hold every bool, int32_t, float and enumerator exactly.
struct SettingDescriptor {
    // The panel's label.
    const char* label;
    // The command-line option, such as "--beta".
    const char* option;
    SettingKind kind;
    // The values allowed, and the panel's step: a switch 0 to 1, a choice
    // the indices of its values.
    double min;
    double max;
    double step;
    double defaultValue;
    // One line for --help; a choice's line lists its names instead.
    const char* help;
    // A choice's values from 0 on: the labels the panel shows and the names
    // the command line takes.
    std::span<const char* const> choiceLabels = {};
    std::span<const char* const> choiceNames = {};
    // Counts only while the blend mode is Alpha; the panel shows it disabled
    // otherwise.
    bool alphaOnly = false;
    // Counts only while the blend mode is Density; shown disabled otherwise.
    bool densityOnly = false;
    // Counts only while the blend mode is not Density, which draws how many
    // curves cover a pixel and nothing of their colours.
    bool notInDensity = false;
    // Set apart from the setting before it: the panel draws a separator.
    bool startsGroup = false;
    // A depth in the hierarchy: it runs from 1 to the graph's depth (the
    // panel's row ends there; the option takes any, a deeper one shows the
    // whole tree), and its default (0) is chosen per graph. The panel shows
    // such settings with the levels, after the others.
    bool treeDepth = false;
    // Shown in the panel after the levels, below every row it had before.
    bool afterLevels = false;
    // A switch on by default only where there is a window: hebview-render
    // starts with it off (see ViewSettings::windowless).
    bool onlyWithWindow = false;
    // Counts only while two versions are compared; the panel shows it with
    // the comparison's rows, after the levels.
    bool comparison = false;
    // A setting of the views: the panel shows it last, below the
    // comparison's rows, so that the rows above keep their places.
    bool ofViews = false;
    double (*read)(const ViewSettings&);
    // Stores a value of the setting's kind within its range.
    void (*write)(ViewSettings&, double);
};

// Every setting, in the panel's order.
std::span<const SettingDescriptor> settingsTable();

// Digits after the decimal point that a real setting's step calls for; 0
// for the others.
int settingDecimals(const SettingDescriptor& setting);
