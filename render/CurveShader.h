#pragma once

#include "base/Result.h"
#include "frame/DrawDescription.h"
#include "render/GlslProgram.h"

#include <cstdint>
#include <vector>

// Draws many curves in one call: the vertex stage takes each sample's ramp
// coordinate from its place in its curve and the curve's style (opacity,
// fixed colour, weight) from a float texture, so that neither needs an array
// per vertex nor a call per curve. The pixels are those of fixed-function
// drawing with one colour per curve. Line width is per call: the caller
// draws runs of equal width.
class CurveShader {
public:
    CurveShader() = default;
    ~CurveShader();
    CurveShader(const CurveShader&) = delete;
    CurveShader& operator=(const CurveShader&) = delete;

    // Compiles the program on first use; needs a GL 3.0 context.
    Status prepare();
    // Takes the styles, fixed colours and ramp coordinates of a set of curves.
    void load(const CurveSet& curves);
    // Draws curves first .. first + count - 1 of the vertex buffer bound,
    // whose first curve is curve curveOffset of the set loaded, with the
    // vertex array, ramp texture, line width and blending already set; when
    // counting, every fragment is the curve's weight instead of a colour.
    void draw(int32_t curveOffset, int32_t first, int32_t count, bool counting);
    // The same for curves at the vertex offsets given, in that order.
    void drawList(int32_t curveOffset, const int32_t* starts, int32_t count, bool counting);
    // Releases the GL objects; needs the context that made them.
    void release();

private:
    ShaderProgram shader;
    int32_t samplesPerCurve = 0;
    std::vector<int32_t> firsts;
    std::vector<int32_t> counts;
};
