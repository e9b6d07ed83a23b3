#pragma once

#include "base/Error.h"
#include "base/Progress.h"
#include "scene/DrawDescription.h"
#include "scene/FrameReuse.h"
#include "scene/Scene.h"
#include "scene/SceneSnapshot.h"
#include "scene/ViewSettings.h"
#include "scene/ViewState.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// A frame made by the worker: what to draw, and the scene it shows.
struct SceneFrame {
    DrawDescription description;
    std::shared_ptr<const SceneSnapshot> snapshot;
    // The file the graph came from; empty before one is loaded.
    std::string graphPath;
};

// Computes the scene on a thread of its own, so that the thread of the
// window never waits for reading, layouts or bundling: it asks for settings
// or a file and takes frames when they are ready. The graph on screen stays
// until a new one is complete; a load asked for while another runs cancels
// it. A frame's curve points belong to the worker's scene, which the worker
// leaves alone from the moment it offers a frame until frameDone().
class SceneWorker {
public:
    // Each load's stages, and the advice after it, go to the observer.
    explicit SceneWorker(ThreadPool& pool = ThreadPool::shared(),
                         ProgressObserver* observer = nullptr);
    ~SceneWorker();
    SceneWorker(const SceneWorker&) = delete;
    SceneWorker& operator=(const SceneWorker&) = delete;

    // The scene for these settings and view; a newer request replaces one
    // not begun.
    void show(const ViewSettings& settings, const ViewState& view = {});
    void load(const std::string& path);
    // Why the last load failed, once; nothing when it did not.
    std::optional<Error> takeLoadError();

    // The frame made since the last call, if any.
    std::optional<SceneFrame> takeFrame();
    // The caller no longer reads the points of the frame it took last.
    void frameDone();

    // Whether a request waits, runs, or has a frame the caller has not
    // finished with.
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
    void run();
    void runLoad(const std::string& path, std::unique_lock<std::mutex>& lock);
    void offerFrame(std::unique_lock<std::mutex>& lock);

    Scene scene;
    ProgressObserver* const observer;
    FrameReuse frameReuse;
    std::shared_ptr<const SceneSnapshot> snapshot;
    uint64_t snapshotRevision = 0;
    std::string graphPath;
    uint64_t graphNumber = 0;

    mutable std::mutex state;
    std::condition_variable changed;
    ViewSettings wanted;
    ViewState wantedView;
    std::optional<Error> loadError;
    bool settingsPending = false;
    std::optional<std::string> pendingLoad;
    std::shared_ptr<Progress> loading;
    bool working = false;
    // A frame offered and not yet taken, and whether the points of one are
    // still being read.
    std::optional<SceneFrame> offered;
    bool frameOut = false;
    bool stopping = false;
    std::thread thread;
};
