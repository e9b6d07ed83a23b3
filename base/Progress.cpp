#include "base/Progress.h"

#include "base/Console.h"

void Progress::beginStage(std::string_view name) {
    std::lock_guard<std::mutex> lock(stageName);
    stage.assign(name);
    stageStart = Clock::now();
    done = 0.0;
    echoedQuarters = 0;
}

void Progress::advance(double fraction) {
    done = fraction;
    if (!echo || Clock::now() - stageStart < std::chrono::seconds(1)) {
        return;
    }
    // The quarters passed so far, once each.
    while (echoedQuarters < 3 && fraction >= 0.25 * (echoedQuarters + 1)) {
        ++echoedQuarters;
        console::write(" " + std::to_string(25 * echoedQuarters) + "%");
    }
}

Progress::Snapshot Progress::snapshot() const {
    std::lock_guard<std::mutex> lock(stageName);
    return {stage, done.load()};
}
