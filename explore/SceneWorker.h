#pragma once

#include "base/Error.h"
#include "base/Progress.h"
#include "explore/Motion.h"
#include "frame/DrawDescription.h"
#include "frame/FrameSession.h"
#include "frame/RampColours.h"
#include "frame/SceneSnapshot.h"
#include "io/DotContent.h"
#include "model/Scene.h"
#include "settings/ViewSettings.h"
#include "settings/ViewState.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// How a frame follows the one before: the same nodes in the same places, a
// step of a motion from one state to the next (the last step included), or
// a change of the cut or the layout shown at once (which the window may
// fade in).
enum class FrameChange { Still, Moved, Jumped };

// A frame made by the worker: what to draw, and the scene it shows, both
// shared, so that the caller may keep them as long as it likes.
struct SceneFrame {
    std::shared_ptr<const DrawDescription> description;
    // The scene as it settles: during a motion the nodes are drawn on their
    // way, but the pointer answers for where they are going, so that a
    // click on a node's new place hits it before it gets there.
    std::shared_ptr<const SceneSnapshot> snapshot;
    // The file the graph came from; empty before one is loaded.
    std::string graphPath;
    // Where the hierarchy is cut.
    CutSummary cut;
    FrameChange change = FrameChange::Still;
};

// Computes the scene on a thread of its own, so that the thread of the
// window never waits for reading, layouts or bundling: it asks for settings
// or a file and takes frames when they are ready, made by the worker's frame
// session. The graph on screen stays until a new one is complete; a load
// asked for while another runs cancels it, and loads the layout and the
// bundling strength of the settings shown.
class SceneWorker {
public:
    // Frames take their colours from the ramps and measure their names with
    // the measure (none: frames without names); each load's stages, and the
    // advice after it, go to the observer.
    explicit SceneWorker(ThreadPool& pool = ThreadPool::shared(), RampColours ramps = {},
                         std::shared_ptr<const TextMeasure> labelMeasure = nullptr,
                         ProgressObserver* observer = nullptr);
    ~SceneWorker();
    SceneWorker(const SceneWorker&) = delete;
    SceneWorker& operator=(const SceneWorker&) = delete;

    // The scene for these settings and view; a newer request replaces one
    // not begun.
    void show(const ViewSettings& settings, const ViewState& view = {});
    // A graph opens cut at the depth given, or at its readable depth for 0.
    void load(const std::string& path, int32_t depth = 0);
    // A load of the union of two versions of a graph (see readComparison),
    // shown as the newer one's; cancelled and refused as a load is.
    void compare(const std::string& olderPath, const std::string& newerPath, int32_t depth = 0);
    // The rules whose violations frames show from now on (null: none).
    void useRules(std::shared_ptr<const RuleSet> rules);
    // What names the nodes of the DOT files loaded from now on.
    void nameDotNodesBy(DotNames names);
    // Why the last load failed, once; nothing when it did not.
    std::optional<Error> takeLoadError();
    // Why the cut asked for last was not made (its curves would not fit in
    // memory), once; the picture keeps the cut before.
    std::optional<Error> takeCutRefusal();

    // The frame made since the last call, if any.
    std::optional<SceneFrame> takeFrame();
    // Whether a change of the cut or the layout moves the nodes frame by
    // frame over motionMilliseconds (when the window draws frames that
    // fast), or is shown at once. Off at first: headless drawing never moves.
    void allowMotion(bool allowed);

    // Whether a request waits or runs, or a frame or why a load or a cut
    // failed waits to be taken: the window rests only once nothing does.
    bool busy() const;
    // Whether a request waits or runs.
    bool hasRequests() const;
    // The stage of a load in progress and its share done; empty when no
    // load runs.
    Progress::Snapshot loadProgress() const;
    // Blocks until a frame is offered, or until every request has been
    // worked off.
    void waitForFrameOrIdle();

private:
    // A motion under way: the way, when it began, the settings and view it
    // ends in and the scene as it will be then; another request ends it at
    // once.
    struct Motion {
        MotionPath path;
        std::chrono::steady_clock::time_point start;
        ViewSettings settings;
        ViewState view;
        std::shared_ptr<const SceneSnapshot> settled;
    };

    void run();
    // A file to load, and the older version to compare it with (empty for
    // none).
    struct LoadRequest {
        std::string path;
        std::string olderPath;
        int32_t depth = 0;
    };

    void request(LoadRequest asked);
    void runLoad(const LoadRequest& asked, std::unique_lock<std::mutex>& lock);
    void makeFrame(std::unique_lock<std::mutex>& lock);
    // The next frame of the motion, or its end.
    SessionFrame moveOn();
    // Starts moving from the frame before to the one just made, when the
    // change allows; the frame to show first, if it does.
    std::optional<SessionFrame> startMotion(const SceneSnapshot& before, const SessionFrame& after,
                                            const ViewSettings& settings, const ViewState& view);

    Scene scene;
    FrameSession session{scene};
    std::optional<Motion> motion;
    // What the last frame shown was made for.
    std::shared_ptr<const SceneSnapshot> lastShown;
    ViewSettings lastSettings;
    ViewState lastView;
    ProgressObserver* const observer;
    std::string graphPath;

    mutable std::mutex state;
    std::condition_variable changed;
    ViewSettings wanted;
    ViewState wantedView;
    DotNames dotNames = DotNames::Id;
    std::shared_ptr<const RuleSet> wantedRules;
    std::optional<Error> loadError;
    std::optional<Error> cutRefusal;
    bool settingsPending = false;
    std::optional<LoadRequest> pendingLoad;
    std::shared_ptr<Progress> loading;
    bool working = false;
    bool motionAllowed = false;
    // A frame offered and not yet taken.
    std::optional<SceneFrame> offered;
    bool stopping = false;
    std::thread thread;
};
