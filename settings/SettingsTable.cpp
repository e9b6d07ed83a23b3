#include "settings/SettingsTable.h"

#include "settings/ViewSettings.h"

#include <cmath>
#include <type_traits>
#include <utility>

namespace {

constexpr int maxDecimals = 6;

// Short names for the command line, in enumerator order.
constexpr const char* layoutNames[treeLayoutTypeCount] = {"radial", "classic", "slice", "squared",
                                                          "strip"};
constexpr const char* blendNames[blendModeTypeCount] = {"none", "alpha", "max", "density"};
constexpr const char* colorByNames[colorByCount] = {"ramp", "source", "target"};
constexpr const char* densityScaleNames[densityScaleTypeCount] = {"log", "eq-hist"};
constexpr const char* viewTypeNames[viewTypeCount] = {"bundles", "matrix"};
constexpr const char* matrixOrderNames[matrixOrderCount] = {"tree", "partitioned"};

template <typename Value> double toNumber(Value value) {
    if constexpr (std::is_enum_v<Value>) {
        return static_cast<std::underlying_type_t<Value>>(value);
    } else {
        return static_cast<double>(value);
    }
}

// Reads and writes one field of ViewSettings.
template <auto field> struct Field {
    using Value = std::remove_cvref_t<decltype(std::declval<ViewSettings&>().*field)>;

    static double read(const ViewSettings& settings) { return toNumber(settings.*field); }
    static void write(ViewSettings& settings, double value) {
        if constexpr (std::is_same_v<Value, bool>) {
            settings.*field = value != 0.0;
        } else if constexpr (std::is_enum_v<Value>) {
            settings.*field = static_cast<Value>(static_cast<std::underlying_type_t<Value>>(value));
        } else {
            settings.*field = static_cast<Value>(value);
        }
    }
};

struct Range {
    double min;
    double max;
    double step;
};

template <auto field>
SettingDescriptor descriptor(const char* label, const char* option, SettingKind kind, Range range,
                             typename Field<field>::Value initial, const char* help) {
    return {.label = label,
            .option = option,
            .kind = kind,
            .min = range.min,
            .max = range.max,
            .step = range.step,
            .defaultValue = toNumber(initial),
            .help = help,
            .read = &Field<field>::read,
            .write = &Field<field>::write};
}

template <auto field>
SettingDescriptor toggle(const char* label, const char* option, bool initial, const char* help) {
    return descriptor<field>(label, option, SettingKind::Switch, {0.0, 1.0, 1.0}, initial, help);
}

template <auto field>
SettingDescriptor number(const char* label, const char* option, Range range,
                         typename Field<field>::Value initial, const char* help) {
    constexpr bool real = std::is_floating_point_v<typename Field<field>::Value>;
    return descriptor<field>(label, option, real ? SettingKind::Real : SettingKind::Integer, range,
                             initial, help);
}

template <auto field, std::size_t count>
SettingDescriptor choice(const char* label, const char* option,
                         typename Field<field>::Value initial, const char* const (&labels)[count],
                         const char* const (&names)[count]) {
    SettingDescriptor setting = descriptor<field>(label, option, SettingKind::Choice,
                                                  {0.0, count - 1.0, 1.0}, initial, nullptr);
    setting.choiceLabels = labels;
    setting.choiceNames = names;
    return setting;
}

// The setting with one of its flags set, for the table's rows.
template <bool SettingDescriptor::*flag> SettingDescriptor withFlag(SettingDescriptor setting) {
    setting.*flag = true;
    return setting;
}

constexpr auto alphaOnly = &withFlag<&SettingDescriptor::alphaOnly>;
constexpr auto densityOnly = &withFlag<&SettingDescriptor::densityOnly>;
constexpr auto notInDensity = &withFlag<&SettingDescriptor::notInDensity>;
constexpr auto firstOfGroup = &withFlag<&SettingDescriptor::startsGroup>;
constexpr auto treeDepth = &withFlag<&SettingDescriptor::treeDepth>;
constexpr auto afterLevels = &withFlag<&SettingDescriptor::afterLevels>;
constexpr auto onlyWithWindow = &withFlag<&SettingDescriptor::onlyWithWindow>;
constexpr auto comparison = &withFlag<&SettingDescriptor::comparison>;
constexpr auto ofViews = &withFlag<&SettingDescriptor::ofViews>;

} // namespace

std::span<const SettingDescriptor> settingsTable() {
    using S = ViewSettings;
    static const SettingDescriptor table[] = {
        firstOfGroup(choice<&S::layoutType>("Tree Layout", "--layout", TreeLayoutType::Radial,
                                            treeLayoutLabels, layoutNames)),
        toggle<&S::showTree>("Show Tree", "--tree", true, "draw the tree overlay"),
        number<&S::lineWidth>("Line Width", "--line-width", {1.0, 20.0, 1.0}, 3.0f,
                              "width of tree lines"),
        number<&S::treeMapSpacing>("TreeMap Spacing", "--spacing", {0.0, 0.05, 0.0001}, 0.01f,
                                   "treemap spacing"),
        firstOfGroup(
            number<&S::beta>("Beta", "--beta", {0.0, 1.0, 0.01}, 1.0f, "bundling strength")),
        toggle<&S::showSplines>("Show Splines", "--splines", true, "draw the splines"),
        number<&S::colorRamp>("Color Ramp", "--ramp", {1.0, colorRampCount, 1.0}, 3, "colour ramp"),
        number<&S::splineWidth>("Spline Width", "--spline-width", {1.0, 20.0, 1.0}, 5.0f,
                                "width of splines"),
        firstOfGroup(choice<&S::blendMode>("Blend Mode", "--blend", BlendModeType::None,
                                           blendModeLabels, blendNames)),
        alphaOnly(number<&S::minAlpha>("Min Alpha", "--min-alpha", {0.0, 1.0, 0.01}, 0.1f,
                                       "opacity of the longest spline")),
        alphaOnly(number<&S::alphaExponent>("Alpha Exponent", "--alpha-exponent", {0.1, 10.0, 0.1},
                                            1.0f, "shape of the opacity curve")),
        alphaOnly(toggle<&S::flipAlpha>("Flip Alpha", "--flip-alpha", false,
                                        "make the longest splines opaque instead")),
        firstOfGroup(
            toggle<&S::showLabels>("Show Labels", "--labels", false, "write the nodes' names")),
        treeDepth(firstOfGroup(number<&S::depth>("Depth", "--depth", {1.0, 1e6, 1.0}, 0,
                                                 "collapse every node at this depth (root 0)"))),
        // The picture's colours, below the levels.
        afterLevels(notInDensity(firstOfGroup(choice<&S::colorBy>(
            "Color By", "--color-by", ColorBy::Ramp, colorByLabels, colorByNames)))),
        afterLevels(notInDensity(
            number<&S::groupDepth>("Group Depth", "--group-depth", {0.0, 64.0, 1.0}, 0,
                                   "depth of the nodes that name the groups (root 0); 0: the "
                                   "shallowest depth with at least three groups"))),
        afterLevels(notInDensity(toggle<&S::markBothWays>(
            "Mark Both-Way", "--both-way", false,
            "draw relations whose reverse exists opaque, in a colour of their own"))),
        afterLevels(notInDensity(toggle<&S::showCycles>(
            "Show Cycles", "--cycles", false,
            "draw the cycle groups' relations in a colour each and the relations to cut in "
            "one of their own, the rest faded"))),
        afterLevels(densityOnly(choice<&S::densityScale>("Density Scale", "--density-scale",
                                                         DensityScaleType::Log, densityScaleLabels,
                                                         densityScaleNames))),
        afterLevels(onlyWithWindow(toggle<&S::showLegend>(
            "Show Legend", "--legend", true, "a key to the colours in the picture's corner"))),
        comparison(toggle<&S::showKept>("Show Kept", "--kept", true,
                                        "draw the relations both versions have, dimmed")),
        ofViews(firstOfGroup(
            choice<&S::view>("View", "--view", ViewType::Bundles, viewTypeLabels, viewTypeNames))),
        ofViews(choice<&S::matrixOrder>("Matrix Order", "--matrix-order", MatrixOrder::Tree,
                                        matrixOrderLabels, matrixOrderNames)),
    };
    return table;
}

int settingDecimals(const SettingDescriptor& setting) {
    if (setting.kind != SettingKind::Real) {
        return 0;
    }
    double scaled = setting.step;
    for (int digits = 0; digits < maxDecimals; ++digits, scaled *= 10.0) {
        if (std::abs(scaled - std::round(scaled)) < 1e-6 * scaled) {
            return digits;
        }
    }
    return maxDecimals;
}
