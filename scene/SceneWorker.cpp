#include "scene/SceneWorker.h"

#include "scene/GraphLoading.h"

SceneWorker::SceneWorker(ThreadPool& pool, RampColours ramps,
                         std::shared_ptr<const TextMeasure> labelMeasure,
                         ProgressObserver* observer)
    : scene(pool), observer(observer) {
    session.setRamps(std::move(ramps));
    session.setLabelMeasure(std::move(labelMeasure));
    thread = std::thread([this] { run(); });
}

SceneWorker::~SceneWorker() {
    {
        std::lock_guard<std::mutex> lock(state);
        stopping = true;
        if (loading) {
            loading->cancel();
        }
    }
    changed.notify_all();
    thread.join();
}

void SceneWorker::show(const ViewSettings& settings, const ViewState& view) {
    {
        std::lock_guard<std::mutex> lock(state);
        if (settings == wanted && view == wantedView && !settingsPending) {
            return;
        }
        wanted = settings;
        wantedView = view;
        settingsPending = true;
    }
    changed.notify_all();
}

std::optional<Error> SceneWorker::takeLoadError() {
    std::lock_guard<std::mutex> lock(state);
    std::optional<Error> error = std::move(loadError);
    loadError.reset();
    return error;
}

void SceneWorker::load(const std::string& path) {
    request({path, {}});
}

void SceneWorker::compare(const std::string& olderPath, const std::string& newerPath) {
    request({newerPath, olderPath});
}

void SceneWorker::request(LoadRequest asked) {
    {
        std::lock_guard<std::mutex> lock(state);
        pendingLoad = std::move(asked);
        if (loading) {
            loading->cancel();
        }
    }
    changed.notify_all();
}

std::optional<Error> SceneWorker::takeCutRefusal() {
    std::lock_guard<std::mutex> lock(state);
    return std::exchange(cutRefusal, std::nullopt);
}

std::optional<SceneFrame> SceneWorker::takeFrame() {
    std::lock_guard<std::mutex> lock(state);
    std::optional<SceneFrame> frame = std::move(offered);
    offered.reset();
    return frame;
}

bool SceneWorker::busy() const {
    std::lock_guard<std::mutex> lock(state);
    return working || settingsPending || pendingLoad.has_value() || offered.has_value();
}

bool SceneWorker::hasRequests() const {
    std::lock_guard<std::mutex> lock(state);
    return working || settingsPending || pendingLoad.has_value();
}

Progress::Snapshot SceneWorker::loadProgress() const {
    std::lock_guard<std::mutex> lock(state);
    return loading ? loading->snapshot() : Progress::Snapshot{};
}

void SceneWorker::waitForFrameOrIdle() {
    std::unique_lock<std::mutex> lock(state);
    changed.wait(lock, [this] {
        return offered.has_value() || (!working && !settingsPending && !pendingLoad);
    });
}

void SceneWorker::run() {
    std::unique_lock<std::mutex> lock(state);
    for (;;) {
        changed.wait(lock, [this] { return stopping || pendingLoad || settingsPending; });
        if (stopping) {
            return;
        }
        working = true;
        if (pendingLoad) {
            const LoadRequest asked = *pendingLoad;
            pendingLoad.reset();
            runLoad(asked, lock);
        }
        if (!pendingLoad && settingsPending) {
            makeFrame(lock);
        }
        working = false;
        changed.notify_all();
    }
}

// The scene is the worker's alone: it is worked on with the lock let go.
void SceneWorker::makeFrame(std::unique_lock<std::mutex>& lock) {
    settingsPending = false;
    ViewSettings settings = wanted;
    ViewState view = wantedView;
    lock.unlock();
    // Nodes picked in another graph mean nothing in this one, nor does
    // another graph's depth: it opens at its own.
    if (view.graphNumber != scene.graphNumber()) {
        view.highlighted = CompoundGraph::none;
        view.marked.clear();
        view.toggled.clear();
        settings.depth = openedDepth;
    }
    std::optional<SessionFrame> made = session.frame(settings, view);
    std::optional<Error> refused = session.takeRefusal();
    lock.lock();
    if (refused) {
        cutRefusal = std::move(refused);
    }
    if (made) {
        offered = SceneFrame{std::move(made->description), std::move(made->snapshot), graphPath,
                             made->cut, openedDepth};
    }
}

void SceneWorker::runLoad(const LoadRequest& asked, std::unique_lock<std::mutex>& lock) {
    loading = std::make_shared<Progress>(observer);
    const std::shared_ptr<Progress> progress = loading;
    const ViewSettings settings = wanted;
    ThreadPool& pool = scene.threadPool();
    lock.unlock();
    LoadOptions options = loadOptionsFor(settings);
    options.progress = progress.get();
    Result<Scene> loaded = asked.olderPath.empty()
                               ? readScene(asked.path, pool, options)
                               : readComparison(asked.olderPath, asked.path, pool, options);
    lock.lock();
    loading.reset();
    if (!loaded) {
        loadError = loaded.error();
        return;
    }
    scene = std::move(loaded).value();
    graphPath = asked.path;
    openedDepth = scene.cut().depth;
    settingsPending = true;
    if (scene.comparison()) {
        progress->advise(scene.comparison()->summary.line());
    }
    if (const std::optional<std::string> hint = densityHint(scene.graph(), wanted)) {
        progress->advise(*hint);
    }
}
