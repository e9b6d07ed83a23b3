#include "base/Progress.h"

void Progress::beginStage(std::string_view name, std::string_view heading) {
    {
        std::lock_guard<std::mutex> lock(stageName);
        stage.assign(name);
        stageStart = Clock::now();
        done = 0.0;
        quartersReported = 0;
    }
    if (observer != nullptr) {
        observer->stageBegun(heading);
    }
}

void Progress::advance(double fraction) {
    done = fraction;
    if (observer == nullptr || Clock::now() - stageStart < std::chrono::seconds(1)) {
        return;
    }
    // The quarters passed so far, once each.
    while (quartersReported < 3 && fraction >= 0.25 * (quartersReported + 1)) {
        ++quartersReported;
        observer->quarterPassed(25 * quartersReported);
    }
}

void Progress::endStage() {
    if (observer != nullptr) {
        observer->stageDone();
    }
}

void Progress::failStage(const Error& error) {
    if (observer == nullptr) {
        return;
    }
    if (error.reason == cancelledReason) {
        observer->stageCancelled();
    } else {
        observer->stageFailed(error);
    }
}

void Progress::advise(std::string_view line) {
    if (observer != nullptr) {
        observer->advised(line);
    }
}

Progress::Snapshot Progress::snapshot() const {
    std::lock_guard<std::mutex> lock(stageName);
    return {stage, done.load()};
}
