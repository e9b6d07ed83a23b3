#include "platform/PanelImGui.h"

#include "platform/Panel.h"

#include <GL/freeglut.h>
#include <backends/imgui_impl_glut.h>
#include <backends/imgui_impl_opengl2.h>
#include <imgui.h>
#include <imgui_internal.h>

#include <algorithm>
#include <cfloat>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Pixel heights of the built-in font for the font sizes 1, 2 and 3.
constexpr float fontPixels[] = {10.0f, 13.0f, 16.0f};
// Share of a bar's width that the labels take, the values the rest.
constexpr float labelShare = 0.55f;
// GLUT reports the wheel as these two buttons.
constexpr int wheelUpButton = 3;
constexpr int wheelDownButton = 4;

bool started = false;
int builtFontSize = 0;
int (*readModifiers)() = nullptr;
std::vector<PanelEntry*> clickedButtons;

void useFontSize(int fontSize) {
    fontSize = std::clamp(fontSize, 1, 3);
    if (fontSize == builtFontSize) {
        return;
    }
    ImGuiIO& io = ImGui::GetIO();
    io.Fonts->Clear();
    ImFontConfig config;
    config.SizePixels = fontPixels[fontSize - 1];
    io.Fonts->AddFontDefault(&config);
    // The back end builds the texture again at the next frame.
    ImGui_ImplOpenGL2_DestroyFontsTexture();
    builtFontSize = fontSize;
}

void setModifiers(int modifiers) {
    ImGuiIO& io = ImGui::GetIO();
    io.KeyShift = (modifiers & GLUT_ACTIVE_SHIFT) != 0;
    io.KeyCtrl = (modifiers & GLUT_ACTIVE_CTRL) != 0;
    io.KeyAlt = (modifiers & GLUT_ACTIVE_ALT) != 0;
}

void buildCombo(Panel& panel, PanelEntry& entry) {
    if (!ImGui::BeginCombo("##value", entry.valueText().c_str())) {
        return;
    }
    const ImVec2 at = ImGui::GetWindowPos();
    const ImVec2 size = ImGui::GetWindowSize();
    panel.frame.popups.push_back({at.x, at.y, size.x, size.y});
    const auto current = static_cast<int32_t>(entry.value());
    for (const PanelEnum::Value& value : entry.enumeration->values) {
        if (ImGui::Selectable(value.label.c_str(), value.value == current)) {
            entry.setValue(value.value);
        }
    }
    ImGui::EndCombo();
}

void buildValue(Panel& panel, PanelEntry& entry) {
    if (entry.readOnly) {
        ImGui::TextUnformatted(entry.valueText().c_str());
        return;
    }
    const ImGuiSliderFlags clamped = ImGuiSliderFlags_AlwaysClamp;
    const auto speed = static_cast<float>(entry.step);
    switch (entry.type) {
    case PanelType::BoolCpp: {
        bool on = entry.value() != 0.0;
        // "###" keeps the widget's identity while its text changes.
        if (ImGui::Checkbox((entry.valueText() + "###value").c_str(), &on)) {
            entry.setValue(on ? 1.0 : 0.0);
        }
        break;
    }
    case PanelType::Int32: {
        auto value = static_cast<int>(entry.value());
        if (ImGui::DragInt("##value", &value, speed, static_cast<int>(entry.min),
                           static_cast<int>(entry.max), "%d", clamped)) {
            entry.setValue(value);
        }
        break;
    }
    case PanelType::Float: {
        auto value = static_cast<float>(entry.value());
        char format[16];
        std::snprintf(format, sizeof format, "%%.%df", entry.decimals());
        if (ImGui::DragFloat("##value", &value, speed, static_cast<float>(entry.min),
                             static_cast<float>(entry.max), format, clamped)) {
            entry.setValue(value);
        }
        break;
    }
    default:
        buildCombo(panel, entry);
        break;
    }
}

void buildEntry(Panel& panel, PanelEntry& entry, float valueX) {
    ImGui::PushID(&entry);
    const float top = ImGui::GetCursorScreenPos().y;
    if (entry.kind == PanelEntryKind::Separator) {
        ImGui::Separator();
    } else if (entry.kind == PanelEntryKind::Button) {
        if (ImGui::Button(entry.label.c_str(), ImVec2(-FLT_MIN, 0.0f))) {
            clickedButtons.push_back(&entry);
        }
    } else {
        ImGui::AlignTextToFramePadding();
        ImGui::TextUnformatted(entry.label.c_str());
        ImGui::SameLine(valueX);
        ImGui::SetNextItemWidth(-FLT_MIN);
        buildValue(panel, entry);
    }
    const float mouseY = ImGui::GetIO().MousePos.y;
    if (ImGui::IsWindowHovered() && mouseY >= top && mouseY < ImGui::GetCursorScreenPos().y) {
        panel.frame.hovered = &entry;
    }
    ImGui::PopID();
}

void buildBar(Panel& panel, PanelBar& bar) {
    const ImVec2 display = ImGui::GetIO().DisplaySize;
    float top = bar.shown.y;
    if (bar.placementChanged) {
        top = static_cast<float>(bar.position[1]);
        ImGui::SetNextWindowPos(ImVec2(static_cast<float>(bar.position[0]), top));
        ImGui::SetNextWindowSize(
            ImVec2(static_cast<float>(bar.size[0]), static_cast<float>(bar.size[1])));
        bar.placementChanged = false;
    }
    // A bar longer than the window would hide its last rows for good; kept
    // inside, it scrolls to them.
    ImGui::SetNextWindowSizeConstraints(ImVec2(0.0f, 0.0f),
                                        ImVec2(FLT_MAX, std::max(display.y - top, 1.0f)));
    const ImVec4 background(bar.color[1] / 255.0f, bar.color[2] / 255.0f, bar.color[3] / 255.0f,
                            bar.color[0] / 255.0f);
    ImGui::PushStyleColor(ImGuiCol_WindowBg, background);
    if (ImGui::Begin(bar.name.c_str(), nullptr, ImGuiWindowFlags_NoSavedSettings)) {
        const float valueX = ImGui::GetCursorPosX() + ImGui::GetContentRegionAvail().x * labelShare;
        for (PanelEntry& entry : bar.entries) {
            buildEntry(panel, entry, valueX);
        }
    }
    const ImVec2 at = ImGui::GetWindowPos();
    const ImVec2 size = ImGui::GetWindowSize();
    bar.shown = {at.x, at.y, size.x, size.y};
    ImGui::End();
    ImGui::PopStyleColor();
}

void beginFrame(Panel& panel) {
    useFontSize(panel.fontSize);
    ImGui_ImplOpenGL2_NewFrame();
    ImGui_ImplGLUT_NewFrame();
    panel.frame = Panel::FrameState();
    for (PanelBar& bar : panel.bars) {
        buildBar(panel, bar);
    }
}

// Records what routing needs from the frame, then runs the buttons clicked
// in it, outside the frame so that a callback may do anything.
void finishFrame(Panel& panel) {
    const ImGuiID active = ImGui::GetActiveID();
    panel.frame.widgetActive = active != 0;
    panel.frame.textInputFocused = active != 0 && ImGui::TempInputIsActive(active);
    std::vector<PanelEntry*> clicked;
    clicked.swap(clickedButtons);
    for (PanelEntry* entry : clicked) {
        if (entry->callback != nullptr) {
            entry->callback(entry->clientData);
        }
    }
}

void runEventFrame(Panel& panel) {
    beginFrame(panel);
    ImGui::EndFrame();
    finishFrame(panel);
}

// A key press is one stroke: it is worked off and let go at once.
void runKeyFrame(Panel& panel) {
    runEventFrame(panel);
    ImGuiIO& io = ImGui::GetIO();
    std::fill(std::begin(io.KeysDown), std::end(io.KeysDown), false);
    setModifiers(0);
}

int arrowSteps(int key) {
    switch (key) {
    case GLUT_KEY_LEFT:
    case GLUT_KEY_DOWN:
        return -1;
    case GLUT_KEY_RIGHT:
    case GLUT_KEY_UP:
        return 1;
    default:
        return 0;
    }
}

} // namespace

bool panelInit() {
    Panel& panel = Panel::instance();
    if (started) {
        panel.lastError = "the panel is already started";
        return false;
    }
    if (glGetString(GL_VERSION) == nullptr) {
        panel.lastError = "there is no current OpenGL context";
        return false;
    }
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    // Nothing is saved: the panel starts from its definitions every time.
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    io.ConfigFlags |= ImGuiConfigFlags_NoMouseCursorChange;
    if (!ImGui_ImplGLUT_Init() || !ImGui_ImplOpenGL2_Init()) {
        ImGui::DestroyContext();
        panel.lastError = "the drawing back end did not start";
        return false;
    }
    io.DisplaySize = ImVec2(static_cast<float>(glutGet(GLUT_WINDOW_WIDTH)),
                            static_cast<float>(glutGet(GLUT_WINDOW_HEIGHT)));
    builtFontSize = 0;
    started = true;
    return true;
}

const char* panelLastError() {
    return Panel::instance().lastError.c_str();
}

void panelTerminate() {
    if (!started) {
        return;
    }
    started = false;
    ImGui_ImplOpenGL2_Shutdown();
    ImGui_ImplGLUT_Shutdown();
    ImGui::DestroyContext();
}

void panelDraw() {
    if (!started) {
        return;
    }
    Panel& panel = Panel::instance();
    beginFrame(panel);
    ImGui::Render();
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
    finishFrame(panel);
}

void panelWindowSize(int width, int height) {
    if (started) {
        ImGui_ImplGLUT_ReshapeFunc(width, height);
    }
}

bool panelEventKeyboardGLUT(unsigned char key, int x, int y) {
    Panel& panel = Panel::instance();
    if (!started || !panel.takesKey()) {
        return false;
    }
    ImGui_ImplGLUT_KeyboardFunc(key, x, y);
    runKeyFrame(panel);
    return true;
}

bool panelEventSpecialGLUT(int key, int x, int y) {
    Panel& panel = Panel::instance();
    if (!started) {
        return false;
    }
    if (!panel.takesKey()) {
        return panel.stepHoveredEntry(arrowSteps(key));
    }
    ImGui_ImplGLUT_SpecialFunc(key, x, y);
    runKeyFrame(panel);
    return true;
}

bool panelEventMouseButtonGLUT(int button, int state, int x, int y) {
    Panel& panel = Panel::instance();
    if (!started) {
        return false;
    }
    const bool taken = panel.takesMouseButton(static_cast<float>(x), static_cast<float>(y));
    if (button == wheelUpButton || button == wheelDownButton) {
        if (!taken || state != GLUT_DOWN) {
            return taken;
        }
        ImGui_ImplGLUT_MouseWheelFunc(button, button == wheelUpButton ? 1 : -1, x, y);
    } else {
        ImGui_ImplGLUT_MouseFunc(button, state, x, y);
    }
    setModifiers(readModifiers == nullptr ? 0 : readModifiers());
    runEventFrame(panel);
    setModifiers(0);
    return taken;
}

bool panelEventMouseMotionGLUT(int x, int y) {
    if (!started) {
        return false;
    }
    ImGui_ImplGLUT_MotionFunc(x, y);
    return Panel::instance().takesMouseButton(static_cast<float>(x), static_cast<float>(y));
}

void panelGLUTModifiersFunc(int (*modifiers)()) {
    readModifiers = modifiers;
}
