#pragma once

#include "frame/DrawList.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

// A backend that draws nothing and writes down each call, in order, with
// what it was given: "clear", "dim", "fills N" (N rectangles), "lines N" (N items), "begin C" (C
// curves), "curves F+N" (places F on, N of them) and "finish". Frames are
// drawn through it without GL.
class CountingBackend : public DrawBackend {
public:
    std::vector<std::string> calls;

    void clear(const Colour&) override { calls.emplace_back("clear"); }
    void dim(const Colour&, float) override { calls.emplace_back("dim"); }
    void drawFillRange(const FillSet&, std::size_t, std::size_t count) override {
        calls.push_back("fills " + std::to_string(count));
    }
    void drawLineRange(const LineSet&, std::size_t, std::size_t count) override {
        calls.push_back("lines " + std::to_string(count));
    }
    void beginCurves(const CurveSet& curves) override {
        calls.push_back("begin " + std::to_string(curves.curveCount()));
    }
    void drawCurveRange(const CurveSet&, int32_t first, int32_t count) override {
        calls.push_back("curves " + std::to_string(first) + "+" + std::to_string(count));
    }
    void finishCurves(const CurveSet&) override { calls.emplace_back("finish"); }
};

} // namespace testing_support
