#pragma once

#include <chrono>

// The longest time between two turns of the event loop while it had work:
// how long the window could not answer input. Turns after a rest (no work
// left) start afresh, since resting is not stalling.
class LoopWatch {
public:
    using Clock = std::chrono::steady_clock;

    // A turn of the loop at the given time; busy when work remains after it.
    void turn(Clock::time_point now, bool busy);
    Clock::duration longest() const { return longestStall; }

private:
    bool watching = false;
    Clock::time_point last;
    Clock::duration longestStall{0};
};
