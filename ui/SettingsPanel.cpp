#include "ui/SettingsPanel.h"

#include "scene/BlendModeType.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <type_traits>

namespace {

constexpr const char* switchOn = "ON";
constexpr const char* switchOff = "OFF";
constexpr int maxDecimals = 6;

PanelRow plain(PanelRowKind kind, const char* label = "") {
    PanelRow row;
    row.kind = kind;
    row.label = label;
    return row;
}

PanelRow choice(const char* label, int32_t ViewSettings::*field,
                std::span<const char* const> labels) {
    PanelRow row = plain(PanelRowKind::Choice, label);
    row.integer = field;
    row.choices = labels;
    return row;
}

PanelRow toggle(const char* label, bool ViewSettings::*field) {
    PanelRow row = plain(PanelRowKind::Switch, label);
    row.flag = field;
    return row;
}

// A float or an integer setting.
template <typename Value>
PanelRow number(const char* label, Value ViewSettings::*field, double min, double max,
                double step) {
    PanelRow row = plain(PanelRowKind::Number, label);
    if constexpr (std::is_same_v<Value, float>) {
        row.real = field;
    } else {
        row.integer = field;
    }
    row.min = min;
    row.max = max;
    row.step = step;
    return row;
}

PanelRow alphaOnly(PanelRow row) {
    row.alphaOnly = true;
    return row;
}

const PanelRow separator = plain(PanelRowKind::Separator);

} // namespace

SettingsPanel::SettingsPanel(ViewSettings& settings, const PanelCounts& counts,
                             std::function<void()> loadFile, std::function<void()> savePicture)
    : settings(settings), counts(counts), loadFile(std::move(loadFile)),
      savePicture(std::move(savePicture)) {}

std::span<const PanelRow> SettingsPanel::rows() {
    static const std::vector<PanelRow> table{
        plain(PanelRowKind::Button, loadFileLabel),
        plain(PanelRowKind::NodeCount, "# Tree Nodes"),
        plain(PanelRowKind::RelationCount, "# Splines"),
        separator,
        choice("Tree Layout", &ViewSettings::layoutType, treeLayoutLabels),
        toggle("Show Tree", &ViewSettings::showTree),
        number("Line Width", &ViewSettings::lineWidth, 1.0, 20.0, 1.0),
        number("TreeMap Spacing", &ViewSettings::treeMapSpacing, 0.0, 0.05, 0.0001),
        separator,
        number("Beta", &ViewSettings::beta, 0.0, 1.0, 0.01),
        toggle("Show Splines", &ViewSettings::showSplines),
        number("Color Ramp", &ViewSettings::colorRamp, 1.0, colorRampCount, 1.0),
        number("Spline Width", &ViewSettings::splineWidth, 1.0, 20.0, 1.0),
        separator,
        choice("Blend Mode", &ViewSettings::blendMode, blendModeLabels),
        alphaOnly(number("Min Alpha", &ViewSettings::minAlpha, 0.0, 1.0, 0.01)),
        alphaOnly(number("Alpha Exponent", &ViewSettings::alphaExponent, 0.1, 10.0, 0.1)),
        alphaOnly(toggle("Flip Alpha", &ViewSettings::flipAlpha)),
        separator,
        toggle("Show Labels", &ViewSettings::showLabels),
        plain(PanelRowKind::Search, "Search"),
        plain(PanelRowKind::Button, savePictureLabel),
    };
    return table;
}

double SettingsPanel::value(const PanelRow& row) const {
    switch (row.kind) {
    case PanelRowKind::NodeCount:
        return counts.nodes;
    case PanelRowKind::RelationCount:
        return counts.relations;
    case PanelRowKind::Switch:
        return settings.*row.flag ? 1.0 : 0.0;
    case PanelRowKind::Choice:
        return settings.*row.integer;
    case PanelRowKind::Number:
        return row.real != nullptr ? settings.*row.real : settings.*row.integer;
    default:
        return 0.0;
    }
}

void SettingsPanel::setValue(const PanelRow& row, double newValue) {
    if (!row.isSetting() || std::isnan(newValue)) {
        return;
    }
    if (row.kind == PanelRowKind::Switch) {
        settings.*row.flag = newValue != 0.0;
    } else if (row.kind == PanelRowKind::Choice) {
        if (std::round(newValue) == newValue && newValue >= 0.0 &&
            newValue < static_cast<double>(row.choices.size())) {
            settings.*row.integer = static_cast<int32_t>(newValue);
        }
    } else if (row.real != nullptr) {
        settings.*row.real = static_cast<float>(std::clamp(newValue, row.min, row.max));
    } else {
        const double lowest = std::ceil(row.min);
        const double highest = std::max(lowest, std::floor(row.max));
        settings.*row.integer =
            static_cast<int32_t>(std::clamp(std::round(newValue), lowest, highest));
    }
}

void SettingsPanel::step(const PanelRow& row, int steps) {
    if (!row.isSetting() || steps == 0) {
        return;
    }
    if (row.kind == PanelRowKind::Switch) {
        setValue(row, value(row) == 0.0 ? 1.0 : 0.0);
    } else if (row.kind == PanelRowKind::Choice) {
        const int last = static_cast<int>(row.choices.size()) - 1;
        const double current = value(row);
        const bool known = current >= 0.0 && current <= last;
        setValue(row, known ? std::clamp(static_cast<int>(current) + steps, 0, last) : 0);
    } else {
        setValue(row, value(row) + steps * row.step);
    }
}

bool SettingsPanel::applies(const PanelRow& row) const {
    return !row.alphaOnly || settings.blendMode == static_cast<int32_t>(BlendModeType::Alpha);
}

std::string SettingsPanel::valueText(const PanelRow& row) const {
    switch (row.kind) {
    case PanelRowKind::NodeCount:
    case PanelRowKind::RelationCount:
        return std::to_string(static_cast<int32_t>(value(row)));
    case PanelRowKind::Switch:
        return value(row) != 0.0 ? switchOn : switchOff;
    case PanelRowKind::Choice: {
        const int32_t current = settings.*row.integer;
        const bool known = current >= 0 && current < static_cast<int32_t>(row.choices.size());
        return known ? row.choices[static_cast<std::size_t>(current)] : std::to_string(current);
    }
    case PanelRowKind::Number: {
        if (row.real == nullptr) {
            return std::to_string(settings.*row.integer);
        }
        char text[64];
        std::snprintf(text, sizeof text, "%.*f", decimals(row), value(row));
        return text;
    }
    default:
        return {};
    }
}

int SettingsPanel::decimals(const PanelRow& row) {
    if (row.real == nullptr) {
        return 0;
    }
    double scaled = row.step;
    for (int digits = 0; digits < maxDecimals; ++digits, scaled *= 10.0) {
        if (std::abs(scaled - std::round(scaled)) < 1e-6 * scaled) {
            return digits;
        }
    }
    return maxDecimals;
}

void SettingsPanel::press(const PanelRow& row) {
    if (row.kind != PanelRowKind::Button) {
        return;
    }
    const std::function<void()>& action =
        std::string_view(row.label) == savePictureLabel ? savePicture : loadFile;
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
    if (frame.widgetActive || (visible && frame.shown.contains(x, y))) {
        return true;
    }
    return std::any_of(frame.popups.begin(), frame.popups.end(),
                       [x, y](const PanelRect& popup) { return popup.contains(x, y); });
}

bool SettingsPanel::takesKey() const {
    return frame.textInputFocused;
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
