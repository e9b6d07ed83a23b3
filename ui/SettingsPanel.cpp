#include "ui/SettingsPanel.h"

#include "settings/BlendModeType.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

constexpr const char* switchOn = "ON";
constexpr const char* switchOff = "OFF";

PanelRow plain(PanelRowKind kind, const char* label = "") {
    PanelRow row;
    row.kind = kind;
    row.label = label;
    return row;
}

PanelRow settingRow(const SettingDescriptor& setting) {
    PanelRow row = plain(PanelRowKind::Number, setting.label);
    if (setting.kind == SettingKind::Switch) {
        row.kind = PanelRowKind::Switch;
    } else if (setting.kind == SettingKind::Choice) {
        row.kind = PanelRowKind::Choice;
    }
    row.setting = &setting;
    return row;
}

} // namespace

SettingsPanel::SettingsPanel(ViewSettings& settings, const PanelCounts& counts,
                             std::function<void()> loadFile, std::function<void()> savePicture,
                             std::function<void()> expandAll)
    : settings(settings), counts(counts), loadFile(std::move(loadFile)),
      savePicture(std::move(savePicture)), expandAll(std::move(expandAll)) {}

std::span<const PanelRow> SettingsPanel::rows() {
    static const std::vector<PanelRow> table = [] {
        std::vector<PanelRow> rows{plain(PanelRowKind::Button, loadFileLabel),
                                   plain(PanelRowKind::NodeCount, "# Tree Nodes"),
                                   plain(PanelRowKind::RelationCount, "# Splines")};
        const auto addSettings = [&rows](auto belongs) {
            for (const SettingDescriptor& setting : settingsTable()) {
                if (!belongs(setting)) {
                    continue;
                }
                if (setting.startsGroup) {
                    rows.push_back(plain(PanelRowKind::Separator));
                }
                rows.push_back(settingRow(setting));
            }
        };
        // The levels come after the rows the panel always had, and the
        // colours after the levels, then the comparison, the views last.
        addSettings([](const SettingDescriptor& s) {
            return !s.treeDepth && !s.afterLevels && !s.comparison && !s.ofViews;
        });
        rows.push_back(plain(PanelRowKind::Search, "Search"));
        rows.push_back(plain(PanelRowKind::Button, savePictureLabel));
        addSettings([](const SettingDescriptor& s) { return s.treeDepth; });
        rows.push_back(plain(PanelRowKind::CutLine));
        rows.push_back(plain(PanelRowKind::Button, expandAllLabel));
        addSettings([](const SettingDescriptor& s) { return s.afterLevels; });
        rows.push_back(plain(PanelRowKind::Separator));
        rows.push_back(plain(PanelRowKind::Button, compareWithLabel));
        rows.push_back(plain(PanelRowKind::Button, stopComparingLabel));
        addSettings([](const SettingDescriptor& s) { return s.comparison; });
        rows.push_back(plain(PanelRowKind::Separator));
        rows.push_back(plain(PanelRowKind::Button, loadRulesLabel));
        rows.push_back(plain(PanelRowKind::Button, clearRulesLabel));
        addSettings([](const SettingDescriptor& s) { return s.ofViews; });
        rows.push_back(plain(PanelRowKind::Button, saveMatrixLabel));
        return rows;
    }();
    return table;
}

double SettingsPanel::value(const PanelRow& row) const {
    switch (row.kind) {
    case PanelRowKind::NodeCount:
        return counts.nodes;
    case PanelRowKind::RelationCount:
        return counts.relations;
    default:
        if (!row.isSetting()) {
            return 0.0;
        }
        // A depth not chosen yet, or past the deepest node, shows the tree.
        if (row.setting->treeDepth) {
            const double depth = row.setting->read(settings);
            return depth < 1.0 || depth > counts.treeDepth ? counts.treeDepth : depth;
        }
        return row.setting->read(settings);
    }
}

double SettingsPanel::lowest(const PanelRow& row) const {
    return row.isSetting() ? row.setting->min : 0.0;
}

double SettingsPanel::highest(const PanelRow& row) const {
    if (!row.isSetting()) {
        return 0.0;
    }
    return row.setting->treeDepth ? std::max(1, counts.treeDepth) : row.setting->max;
}

void SettingsPanel::setValue(const PanelRow& row, double newValue) {
    if (!row.isSetting() || std::isnan(newValue)) {
        return;
    }
    const SettingDescriptor& setting = *row.setting;
    if (setting.kind == SettingKind::Switch) {
        setting.write(settings, newValue != 0.0 ? 1.0 : 0.0);
    } else if (setting.kind == SettingKind::Choice) {
        if (std::round(newValue) == newValue && newValue >= 0.0 &&
            newValue < static_cast<double>(setting.choiceLabels.size())) {
            setting.write(settings, newValue);
        }
    } else if (setting.kind == SettingKind::Real) {
        setting.write(settings, std::clamp(newValue, lowest(row), highest(row)));
    } else {
        const double least = std::ceil(lowest(row));
        const double most = std::max(least, std::floor(highest(row)));
        setting.write(settings, std::clamp(std::round(newValue), least, most));
    }
}

void SettingsPanel::step(const PanelRow& row, int steps) {
    if (!row.isSetting() || steps == 0) {
        return;
    }
    if (row.kind == PanelRowKind::Switch) {
        setValue(row, value(row) == 0.0 ? 1.0 : 0.0);
    } else if (row.kind == PanelRowKind::Choice) {
        const int last = static_cast<int>(row.setting->choiceLabels.size()) - 1;
        const double current = value(row);
        const bool known = current >= 0.0 && current <= last;
        setValue(row, known ? std::clamp(static_cast<int>(current) + steps, 0, last) : 0);
    } else {
        setValue(row, value(row) + steps * row.setting->step);
    }
}

bool SettingsPanel::applies(const PanelRow& row) const {
    const bool compared = !comparing.summary.empty();
    if (!row.isSetting()) {
        const std::string_view label = row.label;
        return (compared || label != stopComparingLabel) &&
               (rules.loaded || label != clearRulesLabel);
    }
    if (row.setting->comparison) {
        return compared;
    }
    const bool density = settings.blendMode == BlendModeType::Density;
    return (!row.setting->alphaOnly || settings.blendMode == BlendModeType::Alpha) &&
           (!row.setting->densityOnly || density) && (!row.setting->notInDensity || !density);
}

std::string SettingsPanel::valueText(const PanelRow& row) const {
    switch (row.kind) {
    case PanelRowKind::NodeCount:
    case PanelRowKind::RelationCount:
        return std::to_string(static_cast<int32_t>(value(row)));
    case PanelRowKind::Switch:
        return value(row) != 0.0 ? switchOn : switchOff;
    case PanelRowKind::Choice: {
        const auto current = static_cast<int32_t>(value(row));
        const std::span<const char* const> labels = row.setting->choiceLabels;
        const bool known = current >= 0 && current < static_cast<int32_t>(labels.size());
        return known ? labels[static_cast<std::size_t>(current)] : std::to_string(current);
    }
    case PanelRowKind::Number: {
        char text[64];
        std::snprintf(text, sizeof text, "%.*f", decimals(row), value(row));
        return text;
    }
    default:
        return {};
    }
}

int SettingsPanel::decimals(const PanelRow& row) {
    return row.isSetting() ? settingDecimals(*row.setting) : 0;
}

void SettingsPanel::press(const PanelRow& row) {
    if (row.kind != PanelRowKind::Button) {
        return;
    }
    const std::string_view label = row.label;
    const std::function<void()>& action = label == savePictureLabel     ? savePicture
                                          : label == expandAllLabel     ? expandAll
                                          : label == compareWithLabel   ? comparing.compareWith
                                          : label == stopComparingLabel ? comparing.stop
                                          : label == loadRulesLabel     ? rules.load
                                          : label == clearRulesLabel    ? rules.clear
                                          : label == saveMatrixLabel    ? saveMatrix
                                                                        : loadFile;
    if (action) {
        action();
    }
}

void SettingsPanel::typeSearch(const std::string& text) {
    if (text == search.text) {
        return;
    }
    search.text = text;
    if (search.changed) {
        search.changed(text);
    }
}

void SettingsPanel::stepSearch(int steps) {
    if (search.step) {
        search.step(steps);
    }
}

std::string SettingsPanel::searchSummary() const {
    if (search.text.empty()) {
        return {};
    }
    if (search.matches == 0) {
        return "No matches";
    }
    const std::string count = std::to_string(search.matches);
    if (search.current) {
        return std::to_string(*search.current + 1) + " of " + count;
    }
    return count + (search.matches == 1 ? " match" : " matches");
}

bool SettingsPanel::takeSearchFocus() {
    const bool wanted = searchFocusWanted;
    searchFocusWanted = false;
    return wanted;
}

std::string SettingsPanel::shownText(const std::string& text) {
    // The panel's font has no ellipsis character: three dots stand for it.
    constexpr std::string_view ellipsis = "\u2026";
    std::string shown;
    shown.reserve(std::min(text.size(), shownTextLimit) + 3);
    for (std::size_t at = 0; at < text.size();) {
        if (shown.size() >= shownTextLimit) {
            return shown + "...";
        }
        if (text.compare(at, ellipsis.size(), ellipsis) == 0) {
            shown += "...";
            at += ellipsis.size();
            continue;
        }
        // A whole UTF-8 character at a time, so that none is cut.
        std::size_t next = at + 1;
        while (next < text.size() && (static_cast<unsigned char>(text[next]) & 0xC0) == 0x80) {
            ++next;
        }
        shown.append(text, at, next - at);
        at = next;
    }
    return shown;
}

bool SettingsPanel::takesMouseButton(float x, float y) const {
    // A text field being typed in holds no button: the picture still
    // answers the pointer.
    const bool held = frame.widgetActive && !frame.textInputFocused;
    if (held || (visible && frame.shown.contains(x, y))) {
        return true;
    }
    return std::any_of(frame.popups.begin(), frame.popups.end(),
                       [x, y](const PanelRect& popup) { return popup.contains(x, y); });
}

bool SettingsPanel::takesKey() const {
    // Keys typed right after "/" belong to the search field it opens.
    return frame.textInputFocused || searchFocusWanted;
}

int SettingsPanel::pictureLeft(int windowWidth) const {
    if (!visible) {
        return 0;
    }
    const PanelRect& bar = frame.shown.width > 0.0f ? frame.shown : placement;
    if (bar.x > windowWidth / 2.0f) {
        return 0;
    }
    return static_cast<int>(bar.x + bar.width + pictureGap);
}

bool SettingsPanel::stepHoveredRow(int steps) {
    if (steps == 0 || frame.hovered == nullptr || !frame.hovered->isSetting() ||
        !applies(*frame.hovered)) {
        return false;
    }
    step(*frame.hovered, steps);
    return true;
}
