#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <string_view>

// How far a long task has come, and whether it is still wanted: written by
// the thread that runs the task, read and cancelled from others. With an
// echo, a stage that runs for more than a second also shows its progress on
// the console, after the stage's heading: " 25% 50% 75%".
class Progress {
public:
    explicit Progress(bool echoToConsole = false) : echo(echoToConsole) {}

    void beginStage(std::string_view name);
    // The share of the current stage done, 0 to 1.
    void advance(double fraction);

    void cancel() { cancelRequested = true; }
    bool cancelled() const { return cancelRequested; }

    struct Snapshot {
        std::string stage;
        double fraction = 0.0;
    };
    Snapshot snapshot() const;

private:
    using Clock = std::chrono::steady_clock;

    const bool echo;
    mutable std::mutex stageName;
    std::string stage;
    Clock::time_point stageStart = Clock::now();
    std::atomic<double> done{0.0};
    int echoedQuarters = 0;
    std::atomic<bool> cancelRequested{false};
};
