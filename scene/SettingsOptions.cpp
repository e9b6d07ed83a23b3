#include "scene/SettingsOptions.h"

#include "scene/BlendModeType.h"

#include <algorithm>
#include <charconv>
#include <cmath>

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

// Short names for the command line, in enumerator order.
const char* const layoutNames[] = {"radial", "classic", "slice", "squared", "strip"};
const char* const blendNames[] = {"none", "alpha", "max", "density"};

template <std::size_t count>
bool parseChoice(const std::string& word, const char* const (&names)[count], int32_t& value) {
    for (std::size_t i = 0; i < count; ++i) {
        if (word == names[i]) {
            value = static_cast<int32_t>(i);
            return true;
        }
    }
    return parseInteger(word, 0, static_cast<int32_t>(count) - 1, value);
}

} // namespace

const std::vector<SettingsOption>& settingsOptions() {
    static const std::vector<SettingsOption> table{
        {"--layout", "NAME|0-4", "radial, classic, slice, squared or strip (default radial)",
         [](const std::string& w, ViewSettings& o) {
             return parseChoice(w, layoutNames, o.layoutType);
         }},
        {"--beta", "0-1", "bundling strength (default 1.0)",
         [](const std::string& w, ViewSettings& o) { return parseFloat(w, 0.0f, 1.0f, o.beta); }},
        {"--ramp", "1-5", "colour ramp (default 3)",
         [](const std::string& w, ViewSettings& o) {
             return parseInteger(w, 1, colorRampCount, o.colorRamp);
         }},
        {"--blend", "NAME|0-3", "none, alpha, max or density (default none)",
         [](const std::string& w, ViewSettings& o) {
             return parseChoice(w, blendNames, o.blendMode);
         }},
        {"--min-alpha", "0-1", "opacity of the longest spline (default 0.1)",
         [](const std::string& w, ViewSettings& o) {
             return parseFloat(w, 0.0f, 1.0f, o.minAlpha);
         }},
        {"--alpha-exponent", "0.1-10", "shape of the opacity curve (default 1.0)",
         [](const std::string& w, ViewSettings& o) {
             return parseFloat(w, 0.1f, 10.0f, o.alphaExponent);
         }},
        {"--flip-alpha", "on|off", "make the longest splines opaque instead (default off)",
         [](const std::string& w, ViewSettings& o) { return parseSwitch(w, o.flipAlpha); }},
        {"--line-width", "1-20", "width of tree lines (default 3.0)",
         [](const std::string& w, ViewSettings& o) {
             return parseFloat(w, 1.0f, 20.0f, o.lineWidth);
         }},
        {"--spline-width", "1-20", "width of splines (default 5.0)",
         [](const std::string& w, ViewSettings& o) {
             return parseFloat(w, 1.0f, 20.0f, o.splineWidth);
         }},
        {"--tree", "on|off", "draw the tree overlay (default on)",
         [](const std::string& w, ViewSettings& o) { return parseSwitch(w, o.showTree); }},
        {"--splines", "on|off", "draw the splines (default on)",
         [](const std::string& w, ViewSettings& o) { return parseSwitch(w, o.showSplines); }},
        {"--spacing", "0-0.05", "treemap spacing (default 0.01)",
         [](const std::string& w, ViewSettings& o) {
             return parseFloat(w, 0.0f, 0.05f, o.treeMapSpacing);
         }},
        {"--labels", "on|off", "write the nodes' names (default off)",
         [](const std::string& w, ViewSettings& o) { return parseSwitch(w, o.showLabels); }},
    };
    return table;
}

std::string optionHelpLine(const char* name, const char* argument, const char* description) {
    std::string head = std::string("  ") + name + " " + argument;
    head.resize(std::max<std::size_t>(head.size() + 1, 26), ' ');
    return head + description + "\n";
}
