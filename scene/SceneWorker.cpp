#include "scene/SceneWorker.h"

#include "scene/GraphLoading.h"
#include "scene/SceneDrawing.h"

SceneWorker::SceneWorker(ThreadPool& pool, ProgressObserver* observer)
    : scene(pool), observer(observer), thread([this] { run(); }) {}

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
    {
        std::lock_guard<std::mutex> lock(state);
        pendingLoad = path;
        if (loading) {
            loading->cancel();
        }
    }
    changed.notify_all();
}

std::optional<SceneFrame> SceneWorker::takeFrame() {
    std::lock_guard<std::mutex> lock(state);
    std::optional<SceneFrame> frame = std::move(offered);
    offered.reset();
    return frame;
}

void SceneWorker::frameDone() {
    {
        std::lock_guard<std::mutex> lock(state);
        frameOut = false;
    }
    changed.notify_all();
}

bool SceneWorker::busy() const {
    std::lock_guard<std::mutex> lock(state);
    return working || settingsPending || pendingLoad.has_value() || frameOut;
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
        // The scene is not touched while the points of a frame are read.
        changed.wait(
            lock, [this] { return stopping || (!frameOut && (pendingLoad || settingsPending)); });
        if (stopping) {
            return;
        }
        working = true;
        if (pendingLoad) {
            const std::string path = *pendingLoad;
            pendingLoad.reset();
            runLoad(path, lock);
        }
        if (!pendingLoad && settingsPending && !frameOut) {
            settingsPending = false;
            const ViewSettings settings = wanted;
            ViewState view = wantedView;
            lock.unlock();
            // Nodes picked in another graph mean nothing in this one.
            if (view.graphNumber != graphNumber) {
                view.highlighted = CompoundGraph::none;
                view.marked.clear();
            }
            scene.update(settings);
            const FrameKey key = frameKeyOf(scene, settings, view);
            std::optional<SceneFrame> frame;
            if (frameReuse.needsDrawing(key)) {
                if (!snapshot || snapshotRevision != scene.revision()) {
                    snapshot = snapshotOf(scene, graphNumber);
                    snapshotRevision = scene.revision();
                }
                frame = SceneFrame{describeScene(scene, settings, view), snapshot, graphPath};
                frameReuse.markDrawn(key);
            }
            lock.lock();
            if (frame) {
                offered = std::move(frame);
                frameOut = true;
            }
        }
        working = false;
        changed.notify_all();
    }
}

void SceneWorker::runLoad(const std::string& path, std::unique_lock<std::mutex>& lock) {
    loading = std::make_shared<Progress>(observer);
    const std::shared_ptr<Progress> progress = loading;
    const std::optional<float> strength = scene.appliedStrength();
    ThreadPool& pool = scene.threadPool();
    lock.unlock();
    Result<Scene> loaded = readScene(path, pool, {strength, progress.get(), std::nullopt, {}});
    lock.lock();
    loading.reset();
    if (!loaded) {
        loadError = loaded.error();
        return;
    }
    // The new graph replaces the old once no frame of the old is read.
    changed.wait(lock, [this] { return !frameOut || stopping; });
    scene = std::move(loaded).value();
    graphPath = path;
    ++graphNumber;
    // The old graph's copy is not kept until the next frame.
    snapshot.reset();
    settingsPending = true;
    if (const std::optional<std::string> hint = densityHint(scene.graph(), wanted)) {
        progress->advise(*hint);
    }
}
