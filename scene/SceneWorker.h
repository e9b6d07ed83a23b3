#pragma once

#include "base/Progress.h"
#include "scene/DrawDescription.h"
#include "scene/FrameReuse.h"
#include "scene/Scene.h"
#include "scene/ViewSettings.h"

#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

// A frame made by the worker: what to draw and the graph it shows.
struct SceneFrame {
    DrawDescription description;
    int32_t nodeCount = 0;
    int32_t relationCount = 0;
};

// Computes the scene on a thread of its own, so that the thread of the
// window never waits for reading, layouts or bundling: it asks for settings
// or a file and takes frames when they are ready. The graph on screen stays
// until a new one is complete; a load asked for while another runs cancels
// it. A frame's curve points belong to the worker's scene, which the worker
// leaves alone from the moment it offers a frame until frameDone().
class SceneWorker {
public:
    explicit SceneWorker(ThreadPool& pool = ThreadPool::shared());
    ~SceneWorker();
    SceneWorker(const SceneWorker&) = delete;
    SceneWorker& operator=(const SceneWorker&) = delete;

    // The scene for these settings; a newer request replaces one not begun.
    void show(const ViewSettings& settings);
    void load(const std::string& path);

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
    FrameReuse frameReuse;

    mutable std::mutex state;
    std::condition_variable changed;
    ViewSettings wanted;
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
