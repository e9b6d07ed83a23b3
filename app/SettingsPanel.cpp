#include "app/SettingsPanel.h"

#include "app/Application.h"
#include "app/FileDialog.h"
#include "graph/Graph.h"
#include "layout/TreeLayoutType.h"
#include "platform/Panel.h"
#include "render/BlendModeType.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace {

constexpr const char* loadFileText = "Load File";

// Enumerator values are their positions in the label table.
PanelType defineEnum(Panel& panel, const char* name, const char* const* labels, int count) {
    std::vector<PanelEnumValue> values;
    for (int i = 0; i < count; ++i) {
        values.push_back({i, labels[i]});
    }
    return panel.defineEnum(name, values.data(), count);
}

// A read-write entry, or a separator where the name is null.
struct Setting {
    const char* name;
    PanelType type;
    void* field;
    const char* definition;
};

constexpr Setting separator = {nullptr, PanelType::Undefined, nullptr, nullptr};

void addSettings(Panel& panel, PanelBar* bar, std::initializer_list<Setting> settings) {
    for (const Setting& setting : settings) {
        if (setting.name == nullptr) {
            panel.addSeparator(bar, nullptr, nullptr);
        } else {
            panel.addVarRW(bar, setting.name, setting.type, setting.field, setting.definition);
        }
    }
}

} // namespace

void createSettingsPanel(Panel& panel, Application& application, Graph& graph) {
    PanelBar* bar = panel.newBar("Settings");
    application.settingsBar = bar;
    panel.define(" GLOBAL fontSize=3 iconAlign=horizontal ");
    panel.define(" Settings color='150 50 50 50' size='270 350' position='10 30' ");

    panel.addButton(bar, loadFileText, onLoadFile, nullptr, " label='Load File'");
    panel.addVarRO(bar, "# Tree Nodes", PanelType::Int32, &graph.nodeCount, "label='# Tree Nodes'");
    panel.addVarRO(bar, "# Splines", PanelType::Int32, &graph.edgeCount, "label='# Splines'");
    addSettings(panel, bar, {separator});

    application.layoutType = 0;
    const PanelType layoutType =
        defineEnum(panel, "TreeLayoutType", treeLayoutLabels, treeLayoutTypeCount);
    addSettings(panel, bar,
                {{"Tree Layout", layoutType, &application.layoutType, " label='Tree Layout'"},
                 {"Show Tree", PanelType::BoolCpp, &graph.showTree,
                  " label='Show Tree' false='OFF' true='ON'"},
                 {"Line Width", PanelType::Float, &graph.lineWidth,
                  "label='Line Width' min=1.00 max=20.0 step=1.0f"},
                 {"TreeMap Spacing", PanelType::Float, &graph.treeMapSpacing,
                  "label='TreeMap Spacing' min=0.0 max=0.05 step=0.0001f"},
                 separator});

    application.beta = 1.0f;
    addSettings(
        panel, bar,
        {{"Beta", PanelType::Float, &application.beta, "label='Beta' min=0.00 max=1.0 step=0.01f"},
         {"Show Splines", PanelType::BoolCpp, &graph.showSplines,
          " label='Show Splines' false='OFF' true='ON'"},
         {"Color Ramp", PanelType::Int32, &graph.colorRamp,
          "label='Color Ramp' min=1 max=5 step=1"},
         {"Spline Width", PanelType::Float, &graph.splineWidth,
          "label='Spline Width' min=1.00 max=20.0 step=1.0f"},
         separator});

    const PanelType blendModeType =
        defineEnum(panel, "BlendModeType", blendModeLabels, blendModeTypeCount);
    addSettings(panel, bar,
                {{"Blend Mode", blendModeType, &graph.blendMode, " label='Blend Mode'"},
                 {"Min Alpha", PanelType::Float, &graph.minAlpha,
                  "label='Min Alpha' min=0.00 max=1.0 step=0.01f"},
                 {"Alpha Exponent", PanelType::Float, &graph.alphaExponent,
                  "label='Alpha Exponent' min=0.1 max=10.0 step=0.1f"},
                 {"Flip Alpha", PanelType::BoolCpp, &graph.flipAlpha,
                  " label='Flip Alpha' false='OFF' true='ON'"}});
}

void onLoadFile(void*) {
    FileDialog dialog;
    dialog.show("*", "*", loadFileText, false);
    loadChosenFile(Graph::instance(), dialog.fileName);
}

void loadChosenFile(Graph& graph, const char* fileName) {
    const std::string path(fileName);
    if (path.size() > 3) {
        graph.load(path);
    }
}
