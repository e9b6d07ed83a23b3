#pragma once

#include "base/Progress.h"

// The programs' console view of a long task, in the words the viewer has
// always printed:
//   Reading <path> ... 25% 50% 75% done!
//   Building Splines ... cancelled
//   Reading <path> ... failed!
//   <path>:<line>: <reason>
// It sits beside the console in base so that the viewer and the tools, which
// reach base from every layer they use, share it; only the programs use it.
// Lines from the task's thread are written whole (see console).
class ConsoleProgress : public ProgressObserver {
public:
    enum class Quarters { shown, hidden };

    explicit ConsoleProgress(Quarters quarters) : quarters(quarters) {}

    void stageBegun(std::string_view heading) override;
    void quarterPassed(int percent) override;
    void stageDone() override;
    void stageFailed(const Error& error) override;
    void stageCancelled() override;
    void advised(std::string_view line) override;

private:
    const Quarters quarters;
};
