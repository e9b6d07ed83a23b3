#pragma once

#include "base/Error.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <string_view>

// What a long task tells the one who started it, as it goes. Libraries
// never print: the caller decides what the user sees (the programs print it
// with ConsoleProgress). Called on the thread that runs the task.
class ProgressObserver {
public:
    virtual ~ProgressObserver() = default;

    // A stage begins; the heading introduces it, as in "Reading <path> ...".
    virtual void stageBegun(std::string_view heading) = 0;
    // The stage, running for more than a second, passed 25, 50 or 75 percent.
    virtual void quarterPassed(int percent) = 0;
    virtual void stageDone() = 0;
    // The stage, and the task with it, stopped on the error.
    virtual void stageFailed(const Error& error) = 0;
    // The stage, and the task with it, stopped on a cancel.
    virtual void stageCancelled() = 0;
    // Advice once the task is done.
    virtual void advised(std::string_view line) = 0;
};

// How far a long task has come, and whether it is still wanted: written by
// the thread that runs the task, read and cancelled from others. With an
// observer, each stage's beginning, quarters and end are reported to it.
class Progress {
public:
    explicit Progress(ProgressObserver* observer = nullptr) : observer(observer) {}

    // The stage's name is what the window's bar shows, the heading what the
    // observer is told.
    void beginStage(std::string_view name, std::string_view heading);
    // The share of the current stage done, 0 to 1.
    void advance(double fraction);
    void endStage();
    // Ends the stage as failed, or as cancelled when the error is a cancel.
    void failStage(const Error& error);
    void advise(std::string_view line);

    void cancel() { cancelRequested = true; }
    bool cancelled() const { return cancelRequested; }

    struct Snapshot {
        std::string stage;
        double fraction = 0.0;
    };
    Snapshot snapshot() const;

private:
    using Clock = std::chrono::steady_clock;

    ProgressObserver* const observer;
    mutable std::mutex stageName;
    std::string stage;
    Clock::time_point stageStart = Clock::now();
    std::atomic<double> done{0.0};
    int quartersReported = 0;
    std::atomic<bool> cancelRequested{false};
};

// The reason of the Error that a cancelled task ends with.
inline constexpr std::string_view cancelledReason = "cancelled";
