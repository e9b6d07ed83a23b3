#include "app/LoopWatch.h"

void LoopWatch::turn(Clock::time_point now, bool busy) {
    if (watching && now - last > longestStall) {
        longestStall = now - last;
    }
    watching = busy;
    last = now;
}
