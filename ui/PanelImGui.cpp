#include "ui/PanelImGui.h"

#include <GL/freeglut.h>
#include <backends/imgui_impl_glut.h>
#include <backends/imgui_impl_opengl2.h>
#include <imgui.h>
#include <imgui_internal.h>
#include <imgui_stdlib.h>

#include <algorithm>
#include <cfloat>
#include <cstdio>
#include <iterator>
#include <string>
#include <vector>

namespace {

// Share of the bar's width that the labels take, the values the rest.
constexpr float labelShare = 0.42f;
// GLUT reports the wheel as these two buttons.
constexpr int wheelUpButton = 3;
constexpr int wheelDownButton = 4;

constexpr unsigned char escapeKey = 27;

// The message banner: dark red, so that it stands apart from the red tree.
const ImVec4 bannerColour(0.6f, 0.08f, 0.08f, 0.95f);
// Advice: slate blue, which no mark of the picture uses.
const ImVec4 adviceColour(0.16f, 0.24f, 0.38f, 0.95f);
constexpr float bannerTop = 8.0f;
// Pixels kept free between a banner and the picture's sides.
constexpr float bannerMargin = 20.0f;
constexpr float narrowestBanner = 120.0f;
constexpr float tooltipCharacters = 60.0f;

void setModifiers(int modifiers) {
    ImGuiIO& io = ImGui::GetIO();
    io.KeyShift = (modifiers & GLUT_ACTIVE_SHIFT) != 0;
    io.KeyCtrl = (modifiers & GLUT_ACTIVE_CTRL) != 0;
    io.KeyAlt = (modifiers & GLUT_ACTIVE_ALT) != 0;
}

void buildCombo(SettingsPanel& panel, const PanelRow& row) {
    if (!ImGui::BeginCombo("##value", panel.valueText(row).c_str())) {
        return;
    }
    const ImVec2 at = ImGui::GetWindowPos();
    const ImVec2 size = ImGui::GetWindowSize();
    panel.frame.popups.push_back({at.x, at.y, size.x, size.y});
    const auto current = static_cast<int>(panel.value(row));
    const std::span<const char* const> labels = row.setting->choiceLabels;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const int value = static_cast<int>(i);
        if (ImGui::Selectable(labels[i], value == current)) {
            panel.setValue(row, value);
        }
    }
    ImGui::EndCombo();
}

void buildValue(SettingsPanel& panel, const PanelRow& row) {
    switch (row.kind) {
    case PanelRowKind::Switch: {
        bool on = panel.value(row) != 0.0;
        // "###" keeps the widget's identity while its text changes.
        if (ImGui::Checkbox((panel.valueText(row) + "###value").c_str(), &on)) {
            panel.setValue(row, on ? 1.0 : 0.0);
        }
        break;
    }
    case PanelRowKind::Choice:
        buildCombo(panel, row);
        break;
    case PanelRowKind::Number: {
        const SettingDescriptor& setting = *row.setting;
        const ImGuiSliderFlags clamped = ImGuiSliderFlags_AlwaysClamp;
        const auto speed = static_cast<float>(setting.step);
        if (setting.kind == SettingKind::Integer) {
            auto value = static_cast<int>(panel.value(row));
            if (ImGui::DragInt("##value", &value, speed, static_cast<int>(panel.lowest(row)),
                               static_cast<int>(panel.highest(row)), "%d", clamped)) {
                panel.setValue(row, value);
            }
        } else {
            auto value = static_cast<float>(panel.value(row));
            char format[16];
            std::snprintf(format, sizeof format, "%%.%df", SettingsPanel::decimals(row));
            if (ImGui::DragFloat("##value", &value, speed, static_cast<float>(panel.lowest(row)),
                                 static_cast<float>(panel.highest(row)), format, clamped)) {
                panel.setValue(row, value);
            }
        }
        break;
    }
    default:
        ImGui::TextUnformatted(panel.valueText(row).c_str());
        break;
    }
}

// About the node under the pointer, unless the pointer is on the panel.
// Wrapped at about 60 characters, or narrower where the window is, so that
// Dear ImGui can keep it whole inside the window.
void buildTooltip(const SettingsPanel& panel) {
    const ImVec2 mouse = ImGui::GetIO().MousePos;
    if (panel.tooltip.empty() || panel.takesMouseButton(mouse.x, mouse.y)) {
        return;
    }
    const float display = ImGui::GetIO().DisplaySize.x;
    const float wrap = std::min(ImGui::CalcTextSize("0").x * tooltipCharacters,
                                std::max(display - 2.0f * bannerMargin, narrowestBanner));
    ImGui::BeginTooltip();
    ImGui::PushTextWrapPos(wrap);
    ImGui::TextUnformatted(SettingsPanel::shownText(panel.tooltip).c_str());
    ImGui::PopTextWrapPos();
    ImGui::EndTooltip();
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

// A banner of that colour over the picture from that height down, with a
// button that dismisses it; where it ends.
float buildBanner(SettingsPanel& panel, const std::string& text, const ImVec4& colour,
                  const char* id, float top, bool& dismissed) {
    const ImVec2 display = ImGui::GetIO().DisplaySize;
    const auto left = static_cast<float>(panel.pictureLeft(static_cast<int>(display.x)));
    const float pictureWidth = std::max(display.x - left, narrowestBanner);
    ImGui::SetNextWindowPos(ImVec2(left + pictureWidth / 2.0f, top), ImGuiCond_Always,
                            ImVec2(0.5f, 0.0f));
    ImGui::PushStyleColor(ImGuiCol_WindowBg, colour);
    ImGui::PushStyleColor(ImGuiCol_Text, ImVec4(1.0f, 1.0f, 1.0f, 1.0f));
    const ImGuiWindowFlags flags =
        ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_AlwaysAutoResize |
        ImGuiWindowFlags_NoSavedSettings | ImGuiWindowFlags_NoFocusOnAppearing;
    if (ImGui::Begin(id, nullptr, flags)) {
        ImGui::PushTextWrapPos(std::max(pictureWidth - 2.0f * bannerMargin, narrowestBanner));
        ImGui::TextUnformatted(SettingsPanel::shownText(text).c_str());
        ImGui::PopTextWrapPos();
        if (ImGui::SmallButton("Dismiss")) {
            dismissed = true;
        }
    }
    const ImVec2 at = ImGui::GetWindowPos();
    const ImVec2 size = ImGui::GetWindowSize();
    panel.frame.popups.push_back({at.x, at.y, size.x, size.y});
    ImGui::End();
    ImGui::PopStyleColor(2);
    return at.y + size.y;
}

} // namespace

// The search field: typing tells the panel each new text, Enter steps to
// the first match and keeps the field's focus, so that the arrow keys can
// step on; what was found shows underneath.
void PanelImGui::buildSearch(SettingsPanel& panel) {
    if (panel.takeSearchFocus()) {
        ImGui::SetKeyboardFocusHere();
    }
    std::string text = panel.search.text;
    const bool entered = ImGui::InputText("##search", &text, ImGuiInputTextFlags_EnterReturnsTrue);
    searchId = ImGui::GetItemID();
    panel.typeSearch(text);
    if (endSearchTyping) {
        endSearchTyping = false;
        if (ImGui::GetActiveID() == searchId) {
            ImGui::ClearActiveID();
        }
    }
    if (entered) {
        panel.stepSearch(0);
        ImGui::SetKeyboardFocusHere(-1);
    }
    const std::string summary = panel.searchSummary();
    if (!summary.empty()) {
        ImGui::TextDisabled("%s", summary.c_str());
    }
}

void PanelImGui::buildRow(SettingsPanel& panel, const PanelRow& row, float valueX) {
    ImGui::PushID(&row);
    const float top = ImGui::GetCursorScreenPos().y;
    if (row.kind == PanelRowKind::Search) {
        ImGui::AlignTextToFramePadding();
        ImGui::TextUnformatted(row.label);
        ImGui::SameLine(valueX);
        ImGui::SetNextItemWidth(-FLT_MIN);
        ImGui::BeginGroup();
        buildSearch(panel);
        ImGui::EndGroup();
    } else if (row.kind == PanelRowKind::Separator) {
        ImGui::Separator();
    } else if (row.kind == PanelRowKind::CutLine) {
        ImGui::TextWrapped("%s", panel.cutLine.c_str());
        if (!panel.comparing.summary.empty()) {
            ImGui::TextWrapped("%s", panel.comparing.summary.c_str());
        }
    } else if (row.kind == PanelRowKind::Button) {
        if (ImGui::Button(row.label, ImVec2(-FLT_MIN, 0.0f))) {
            clickedButtons.push_back(&row);
        }
    } else {
        ImGui::BeginDisabled(!panel.applies(row));
        ImGui::AlignTextToFramePadding();
        ImGui::TextUnformatted(row.label);
        ImGui::SameLine(valueX);
        ImGui::SetNextItemWidth(-FLT_MIN);
        buildValue(panel, row);
        ImGui::EndDisabled();
    }
    const float mouseY = ImGui::GetIO().MousePos.y;
    if (ImGui::IsWindowHovered() && mouseY >= top && mouseY < ImGui::GetCursorScreenPos().y) {
        panel.frame.hovered = &row;
    }
    ImGui::PopID();
}

void PanelImGui::buildBar(SettingsPanel& panel) {
    const ImVec2 display = ImGui::GetIO().DisplaySize;
    float top = panel.frame.shown.y;
    if (!placed) {
        const PanelRect& place = SettingsPanel::placement;
        top = place.y;
        ImGui::SetNextWindowPos(ImVec2(place.x, place.y));
        ImGui::SetNextWindowSize(ImVec2(place.width, place.height));
        placed = true;
    }
    // A bar longer than the window would hide its last rows for good; kept
    // inside, it scrolls to them. It ends left of the window's middle, so
    // that the picture's centre shows however narrow the window.
    const float widest = display.x / 2.0f - SettingsPanel::placement.x - 10.0f;
    ImGui::SetNextWindowSizeConstraints(
        ImVec2(0.0f, 0.0f), ImVec2(std::max(widest, 1.0f), std::max(display.y - top, 1.0f)));
    const uint8_t* colour = SettingsPanel::background;
    const ImVec4 background(colour[1] / 255.0f, colour[2] / 255.0f, colour[3] / 255.0f,
                            colour[0] / 255.0f);
    ImGui::PushStyleColor(ImGuiCol_WindowBg, background);
    if (ImGui::Begin(SettingsPanel::title, nullptr, ImGuiWindowFlags_NoSavedSettings)) {
        const float valueX = ImGui::GetCursorPosX() + ImGui::GetContentRegionAvail().x * labelShare;
        for (const PanelRow& row : SettingsPanel::rows()) {
            buildRow(panel, row, valueX);
        }
    }
    const ImVec2 at = ImGui::GetWindowPos();
    const ImVec2 size = ImGui::GetWindowSize();
    panel.frame.shown = {at.x, at.y, size.x, size.y};
    ImGui::End();
    ImGui::PopStyleColor();
}

// The message, until dismissed or replaced, at the top of the picture,
// wrapped within it so that neither its text nor its button is under the
// bar.
// The message first, the advice under it.
void PanelImGui::buildBanners(SettingsPanel& panel) {
    float top = bannerTop;
    if (!panel.message.empty()) {
        top = buildBanner(panel, panel.message, bannerColour, "##message", top, dismissClicked) +
              bannerTop;
    }
    if (!panel.advice.empty()) {
        buildBanner(panel, panel.advice, adviceColour, "##advice", top, adviceDismissed);
    }
}

void PanelImGui::beginFrame(SettingsPanel& panel) {
    ImGui_ImplOpenGL2_NewFrame();
    ImGui_ImplGLUT_NewFrame();
    const PanelRect shown = panel.frame.shown;
    panel.frame = SettingsPanel::FrameState();
    panel.frame.shown = shown;
    if (panel.visible) {
        buildBar(panel);
    }
    buildBanners(panel);
    buildTooltip(panel);
}

// Records what routing needs from the frame, then runs the buttons clicked
// in it, outside the frame so that an action may do anything.
void PanelImGui::finishFrame(SettingsPanel& panel) {
    const ImGuiID active = ImGui::GetActiveID();
    panel.frame.widgetActive = active != 0;
    panel.frame.textInputFocused = active != 0 && (ImGui::TempInputIsActive(active) ||
                                                   ImGui::GetInputTextState(active) != nullptr);
    panel.frame.searchFocused = active != 0 && active == searchId;
    if (dismissClicked) {
        dismissClicked = false;
        panel.message.clear();
    }
    if (adviceDismissed) {
        adviceDismissed = false;
        panel.advice.clear();
    }
    std::vector<const PanelRow*> clicked;
    clicked.swap(clickedButtons);
    for (const PanelRow* row : clicked) {
        panel.press(*row);
    }
}

void PanelImGui::runEventFrame(SettingsPanel& panel) {
    beginFrame(panel);
    ImGui::EndFrame();
    finishFrame(panel);
}

// A key press is one stroke: it is worked off and let go at once.
void PanelImGui::runKeyFrame(SettingsPanel& panel) {
    runEventFrame(panel);
    ImGuiIO& io = ImGui::GetIO();
    std::fill(std::begin(io.KeysDown), std::end(io.KeysDown), false);
    setModifiers(0);
}

Status PanelImGui::start() {
    if (started) {
        return Error{"the panel is already started"};
    }
    if (glGetString(GL_VERSION) == nullptr) {
        return Error{"there is no current OpenGL context"};
    }
    ImGui::CreateContext();
    ImGuiIO& io = ImGui::GetIO();
    // Nothing is saved: the panel starts from its defaults every time.
    io.IniFilename = nullptr;
    io.LogFilename = nullptr;
    io.ConfigFlags |= ImGuiConfigFlags_NoMouseCursorChange;
    if (!ImGui_ImplGLUT_Init() || !ImGui_ImplOpenGL2_Init()) {
        ImGui::DestroyContext();
        return Error{"the drawing back end did not start"};
    }
    ImFontConfig font;
    font.SizePixels = SettingsPanel::fontPixels;
    io.Fonts->AddFontDefault(&font);
    io.DisplaySize = ImVec2(static_cast<float>(glutGet(GLUT_WINDOW_WIDTH)),
                            static_cast<float>(glutGet(GLUT_WINDOW_HEIGHT)));
    placed = false;
    started = true;
    return {};
}

void PanelImGui::terminate() {
    if (!started) {
        return;
    }
    started = false;
    ImGui_ImplOpenGL2_Shutdown();
    ImGui_ImplGLUT_Shutdown();
    ImGui::DestroyContext();
}

void PanelImGui::draw(SettingsPanel& panel) {
    if (!started) {
        return;
    }
    beginFrame(panel);
    ImGui::Render();
    ImGui_ImplOpenGL2_RenderDrawData(ImGui::GetDrawData());
    finishFrame(panel);
}

void PanelImGui::windowSize(int width, int height) {
    if (started) {
        ImGui_ImplGLUT_ReshapeFunc(width, height);
    }
}

bool PanelImGui::keyboard(SettingsPanel& panel, unsigned char key, int x, int y) {
    if (!started || !panel.takesKey()) {
        return false;
    }
    if (key == escapeKey && panel.frame.searchFocused) {
        endSearchTyping = true;
        runKeyFrame(panel);
        return true;
    }
    ImGui_ImplGLUT_KeyboardFunc(key, x, y);
    runKeyFrame(panel);
    return true;
}

bool PanelImGui::special(SettingsPanel& panel, int key, int x, int y) {
    if (!started) {
        return false;
    }
    if (!panel.takesKey()) {
        return panel.stepHoveredRow(arrowSteps(key));
    }
    if (panel.frame.searchFocused && (key == GLUT_KEY_UP || key == GLUT_KEY_DOWN)) {
        panel.stepSearch(key == GLUT_KEY_DOWN ? 1 : -1);
        return true;
    }
    ImGui_ImplGLUT_SpecialFunc(key, x, y);
    runKeyFrame(panel);
    return true;
}

bool PanelImGui::mouseButton(SettingsPanel& panel, int button, int state, int x, int y) {
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

bool PanelImGui::mouseMotion(SettingsPanel& panel, int x, int y) {
    if (!started) {
        return false;
    }
    ImGui_ImplGLUT_MotionFunc(x, y);
    return panel.takesMouseButton(static_cast<float>(x), static_cast<float>(y));
}

void PanelImGui::setModifiersFunc(int (*modifiers)()) {
    readModifiers = modifiers;
}
