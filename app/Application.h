#pragma once

#include "app/LoopWatch.h"
#include "app/PictureSaving.h"
#include "app/StartView.h"
#include "app/ViewerContext.h"
#include "base/Result.h"
#include "explore/Explorer.h"
#include "explore/SceneWorker.h"
#include "frame/LegendLayout.h"
#include "render/FrameRenderer.h"
#include "render/ProgressiveRenderer.h"
#include "render/RenderTargets.h"
#include "render/TextAtlas.h"
#include "settings/ViewSettings.h"
#include "ui/PanelImGui.h"
#include "ui/SettingsPanel.h"

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// The application object: frame timing, the window projection, the settings
// panel, and the order of work in a frame. The scene is computed by a
// worker thread and drawn a part at a time, so that the window stays live
// whatever the graph's size; with nothing to do, the loop rests. The
// pointer and keys the panel leaves go to the explorer, which moves the
// camera and picks what to highlight; while the camera moves, the last
// frame is shown scaled, and once it rests the scene is drawn again for the
// part in view.
class Application {
public:
    static constexpr const char* defaultGraphPath = "data/Graphs/jhotdraw-mini.rsf";
    // The time a frame may spend drawing the next picture before it shows
    // what it has.
    static constexpr std::chrono::milliseconds drawingBudget{30};
    // A frame drawn within this leaves room for motion, frame by frame.
    static constexpr std::chrono::milliseconds motionFrameTime{50};
    // How often the window looks for the worker's progress while it rests.
    static constexpr int pollMilliseconds = 50;
    // Control+S as the keyboard reports it (the letter's control code):
    // saves the picture.
    static constexpr unsigned char saveKey = 19;
    // Tab hides and shows the panel, whatever has the keyboard: neither the
    // panel's fields nor the search use it.
    static constexpr unsigned char panelKey = '\t';
    // With the pointer on a node, c collapses or expands it; [ and ] make
    // the depth of the cut one shallower or deeper.
    static constexpr unsigned char collapseKey = 'c';
    static constexpr unsigned char shallowerKey = '[';
    static constexpr unsigned char deeperKey = ']';
    // l shows and hides the key to the picture's colours.
    static constexpr unsigned char legendKey = 'l';
    // y shows and hides the cut's cycle groups.
    static constexpr unsigned char cyclesKey = 'y';
    // m switches between the bundles and the matrix.
    static constexpr unsigned char viewKey = 'm';

    static Application& instance();

    // The viewer over the process's context, or over one of a test's own.
    Application();
    explicit Application(ViewerContext& context);
    virtual ~Application();

    // GL state, the settings panel, the shader effect, the render targets
    // and the start-up graph, which loads in the background. Fails when the
    // curve shaders cannot be made; a colour ramp image that is missing or
    // unfit, or a failed effect, shows in the window and start-up goes on.
    Status init();
    void reshape(int& width, int& height);
    void display();
    void idle();
    void drawText(int x, int y, const char* text);
    // True when Escape asks the viewer to end; the effect is released by
    // then.
    bool handleKeys();
    // Something happened that may change the window: it is drawn again.
    void wake();
    // Whether the loop has work: a picture to draw, or a worker to watch.
    bool busy() const;
    void poll();

    // Window events the panel did not take, in window pixels from the top
    // left.
    void pointerButton(int button, int state, int x, int y);
    void pointerMoved(int x, int y);
    void pointerLeft();
    void keyPressed(unsigned char key);
    void specialKeyPressed(int key);
    // Shown in red in the window until dismissed or replaced.
    void showMessage(const std::string& message);
    // The same, for a load that failed: a later load that succeeds takes it
    // away.
    void showLoadError(const std::string& message);
    // Asks where to save the picture shown, then saves it as PNG and SVG
    // once its frame is complete.
    void savePicture();
    // Asks for a file and writes the dependency matrix at the cut shown to it
    // as CSV.
    void saveMatrix();
    // Shows the whole tree: the deepest depth, nothing toggled.
    void expandAll();
    // Asks for an older version of the graph on screen and shows the two
    // compared; the graph on screen stays should the file be refused.
    void compareWith();
    // Shows the newer version alone again, read afresh.
    void stopComparing();
    // Asks for a rules file and shows the relations that break its rules;
    // a file refused leaves the rules shown before, and says why.
    void loadRules();
    // Shows the picture without rules again.
    void clearRules();
    // The rules whose violations the picture shows (null: none).
    void useRules(std::shared_ptr<const RuleSet> rules);
    // The depth of the cut by whole steps, within 1 and the tree's depth.
    void stepDepth(int steps);
    // The status the process ends with: 1 once something failed at start.
    int exitStatus() const { return startFailed ? 1 : 0; }

    int64_t lastCounter = 0;
    int64_t counterFrequency = 0;
    double fps = 1.0 / 60.0;
    double frameTime = 0.0;

    // The settings, the exploration, the counts and the cut on screen.
    ViewerContext& context;
    std::unique_ptr<SettingsPanel> settingsPanel;
    // The panel on screen, drawn with Dear ImGui.
    PanelImGui panelUi;
    std::unique_ptr<SceneWorker> worker;
    RenderTargets targets;
    FrameRenderer renderer{targets};
    ProgressiveRenderer progressive{targets, renderer};
    PictureSaver pictureSaver{targets, renderer};
    // With HEBVIEW_STALL_REPORT set, Escape prints the loop's longest stall.
    LoopWatch loopWatch;

    // The graph file that init loads: the default, or the one named on the
    // command line.
    std::string startupGraphPath = defaultGraphPath;
    // The older version init compares that graph with; empty for none.
    std::string startupOlderPath;
    // What names the nodes of DOT files, the first and those opened later.
    DotNames dotNames = DotNames::Id;
    // The view the command line asked for.
    StartView startView;
    // The rules the command line named, read before the window opened.
    std::shared_ptr<const RuleSet> startupRules;

private:
    // The cycle groups whose line the console has.
    std::shared_ptr<const CycleGroups> cyclesCounted;
    // The labels in view, placed again only when what they depend on moves.
    struct PlacedLabels {
        std::weak_ptr<const SceneSnapshot> scene;
        Camera camera;
        ViewWindow window;
        int32_t highlighted = CompoundGraph::none;
        std::vector<Label> labels;
    };

    // The half side that holds the scene and its labels, for a scene and a
    // window.
    struct LabelledFit {
        std::weak_ptr<const SceneSnapshot> scene;
        double across = 0.0;
        double extent = 1.0;
    };

    // A weak reference matches only while the snapshot it saw lives, so a
    // new snapshot at a freed one's address never passes for it.
    static bool sameScene(const std::weak_ptr<const SceneSnapshot>& seen,
                          const std::shared_ptr<const SceneSnapshot>& scene) {
        return seen.lock() == scene;
    }

    void takeFrame();
    void frameCompleted();
    // The complete frame in the window, faded in over the one before where
    // it changed the cut or the layout at once.
    void showFrame();
    void followExplorer();
    void fitLabels();
    void drawLabels();
    // The matrix's names and counts, at the window's scale.
    void drawMatrixTexts();
    // The part of the scene the window shows, in scene units.
    Rect visibleScene() const;
    // The key of the frame shown last, laid out for the window (for the
    // fit, with room for a highlight's entries); empty when it is hidden.
    LegendLayout windowLegend(bool forFit);
    void drawLegend();
    // The fitted view's zoom that leaves room for the key, at most 1, held
    // while only the cut changes.
    double legendFitZoom();
    double legendRoomZoom();
    const TextAtlas& windowText();
    void drawProgress();
    void saveWhenDrawn();
    double milliseconds() const;

    std::unique_ptr<TextAtlas> labelText;
    struct Fade {
        // The frame being drawn fades in once complete.
        bool pending = false;
        bool active = false;
        double start = 0.0;
        FrameRegion fromRegion;
    };
    Fade fade;
    std::shared_ptr<const LabelFont> frameLabelFont;
    PlacedLabels placed;
    LabelledFit fitted;
    // The key's fit for a graph, a layout and a window. A change of the cut
    // alone keeps it (the widths row and the counts come and go with the
    // bundles), so that the picture never rescales under the pointer.
    struct LegendFit {
        uint64_t graphNumber = 0;
        TreeLayoutType layout = TreeLayoutType::Radial;
        // The matrix shown, which leaves the key other room.
        bool matrix = false;
        ViewWindow window;
        std::vector<Colour> swatches;
        std::vector<std::size_t> kinds;
        double zoom = 1.0;

        bool holds(const LegendFit& other) const {
            return graphNumber == other.graphNumber && layout == other.layout &&
                   matrix == other.matrix && window == other.window && swatches == other.swatches &&
                   kinds == other.kinds;
        }
    };
    std::optional<LegendFit> legendFit;
    // The key's entries and ramp of the newest frame, drawn or not.
    std::vector<LegendEntry> legendEntries;
    SharedValues<Colour> legendRamp;
    std::string shownGraphPath;
    std::optional<PicturePaths> pendingSave;
    // The banner shows why a load failed.
    bool loadErrorShown = false;
    // What the advice on the graph shown was given for.
    struct AdviceFor {
        ViewSettings settings;
        std::vector<int32_t> toggled;
    } adviceFor;
    bool startFailed = false;
    bool redrawWanted = true;
    bool resting = false;
    bool polling = false;
};
