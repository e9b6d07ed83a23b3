#include "explore/SceneWorker.h"

#include "io/GraphLimits.h"
#include "model/GraphLoading.h"

#include <new>

SceneWorker::SceneWorker(ThreadPool& pool, RampColours ramps,
                         std::shared_ptr<const TextMeasure> labelMeasure,
                         ProgressObserver* observer)
    : scene(pool), observer(observer) {
    session.setRamps(std::move(ramps));
    session.setLabelMeasure(std::move(labelMeasure));
    // The window keeps the picture it shows, so highlights draw over it.
    session.keepPictures(true);
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

void SceneWorker::nameDotNodesBy(DotNames names) {
    std::lock_guard<std::mutex> lock(state);
    dotNames = names;
}

void SceneWorker::useRules(std::shared_ptr<const RuleSet> rules) {
    std::lock_guard<std::mutex> lock(state);
    wantedRules = std::move(rules);
    settingsPending = true;
    changed.notify_all();
}

void SceneWorker::load(const std::string& path, int32_t depth) {
    request({path, {}, depth});
}

void SceneWorker::compare(const std::string& olderPath, const std::string& newerPath,
                          int32_t depth) {
    request({newerPath, olderPath, depth});
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
    std::optional<SceneFrame> frame;
    {
        std::lock_guard<std::mutex> lock(state);
        frame = std::move(offered);
        offered.reset();
    }
    // A motion's next frame waits for this one to be taken.
    changed.notify_all();
    return frame;
}

bool SceneWorker::busy() const {
    std::lock_guard<std::mutex> lock(state);
    return working || settingsPending || pendingLoad.has_value() || offered.has_value() ||
           loadError.has_value() || cutRefusal.has_value();
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

void SceneWorker::allowMotion(bool allowed) {
    std::lock_guard<std::mutex> lock(state);
    motionAllowed = allowed;
}

void SceneWorker::run() {
    std::unique_lock<std::mutex> lock(state);
    for (;;) {
        // A motion's next frame waits until the last one was taken.
        changed.wait(lock, [this] {
            return stopping || pendingLoad || (settingsPending && !(motion && offered));
        });
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
            try {
                makeFrame(lock);
            } catch (const std::bad_alloc&) {
                // A frame too big for the memory left: the picture shown
                // stays, and the window says why.
                if (!lock.owns_lock()) {
                    lock.lock();
                }
                motion.reset();
                cutRefusal = graphlimits::outOfMemory();
            }
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
    const std::shared_ptr<const RuleSet> rules = wantedRules;
    lock.unlock();
    session.setRules(rules);
    // Nodes picked in another graph mean nothing in this one, nor does
    // another graph's depth: it opens at its own.
    if (view.graphNumber != scene.graphNumber()) {
        view.highlighted = CompoundGraph::none;
        view.marked.clear();
        view.toggled.clear();
        settings.depth = scene.openedDepth();
    }
    const bool moves = motionAllowed;
    std::optional<SessionFrame> made;
    FrameChange change = FrameChange::Still;
    if (motion && motion->settings == settings && motion->view == view) {
        made = moveOn();
        change = FrameChange::Moved;
    } else {
        if (motion) {
            // Asked for something else: the motion ends where it is going.
            motion.reset();
            session.settle();
        }
        made = session.frame(settings, view);
        if (made && lastShown && lastShown->graphNumber == made->snapshot->graphNumber &&
            (lastShown->layoutType != made->snapshot->layoutType ||
             !(lastShown->cut == made->snapshot->cut))) {
            change = FrameChange::Jumped;
            if (moves) {
                if (std::optional<SessionFrame> first =
                        startMotion(*lastShown, *made, settings, view)) {
                    made = std::move(first);
                    change = FrameChange::Moved;
                }
            }
        }
    }
    if (made && !motion) {
        lastShown = made->snapshot;
        lastSettings = settings;
        lastView = view;
    }
    std::optional<Error> refused = session.takeRefusal();
    lock.lock();
    if (refused) {
        cutRefusal = std::move(refused);
    }
    if (motion) {
        settingsPending = true;
    }
    if (made) {
        offered = SceneFrame{std::move(made->description),
                             motion ? motion->settled : std::move(made->snapshot), graphPath,
                             made->cut, change};
    }
}

SessionFrame SceneWorker::moveOn() {
    const double share =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - motion->start)
            .count() /
        motionMilliseconds;
    if (share < 1.0) {
        return session.frameOnTheWay(motion->settings, motion->view,
                                     motion->path.at(easedShare(share)));
    }
    const ViewSettings settings = motion->settings;
    const ViewState view = motion->view;
    motion.reset();
    session.settle();
    return session.frameAnyway(settings, view);
}

std::optional<SessionFrame> SceneWorker::startMotion(const SceneSnapshot& before,
                                                     const SessionFrame& after,
                                                     const ViewSettings& settings,
                                                     const ViewState& view) {
    const SceneSnapshot& now = *after.snapshot;
    if (scene.bundles().bundleCount() > motionBundles ||
        before.positions.size() != now.positions.size()) {
        return std::nullopt;
    }
    // Nodes come out of the one that stood for them, or go into the one
    // that will: the motion is drawn with the finer of the two cuts.
    const CutView was = before.cutView();
    const CutView will = now.cutView();
    bool opens = true;
    bool closes = true;
    for (int32_t node = 0; node < static_cast<int32_t>(now.positions.size()); ++node) {
        opens = opens && (!was.shown(node) || will.shown(node));
        closes = closes && (!will.shown(node) || was.shown(node));
    }
    if (!opens && !closes) {
        return std::nullopt;
    }
    const bool aroundCentre =
        before.layoutType == TreeLayoutType::Radial || now.layoutType == TreeLayoutType::Radial;
    if (opens) {
        motion = Motion{MotionPath(shownPlaces(before.positions, before.cut.shownAs), now.positions,
                                   aroundCentre),
                        std::chrono::steady_clock::now(), settings, view, after.snapshot};
    } else {
        motion = Motion{
            MotionPath(before.positions, shownPlaces(now.positions, now.cut.shownAs), aroundCentre),
            std::chrono::steady_clock::now(), settings, view, after.snapshot};
        // The nodes going in are drawn until they arrive: the cut before.
        session.frame(lastSettings, lastView);
    }
    return session.frameOnTheWay(settings, view, motion->path.at(0.0));
}

void SceneWorker::runLoad(const LoadRequest& asked, std::unique_lock<std::mutex>& lock) {
    loading = std::make_shared<Progress>(observer);
    const std::shared_ptr<Progress> progress = loading;
    const ViewSettings settings = wanted;
    const DotNames names = dotNames;
    ThreadPool& pool = scene.threadPool();
    lock.unlock();
    LoadOptions options = loadOptionsFor(settings);
    options.dotNames = names;
    options.depth = asked.depth;
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
    settingsPending = true;
    if (scene.comparison()) {
        progress->advise(scene.comparison()->summary.line());
    }
    if (const std::optional<std::string> hint =
            densityHint(scene.bundles().bundleCount(), wanted)) {
        progress->advise(*hint);
    }
}
