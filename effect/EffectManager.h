#pragma once

#include "base/Result.h"
#include "effect/EffectRuntime.h"

#include <string>
#include <vector>

// What loading the effect found, in the order it found it: the techniques
// skipped and the one used, and every runtime error with the step it
// happened in (a compiler error followed by the compiler's listing). The
// viewer prints the lines.
struct EffectReport {
    std::vector<std::string> lines;
    // The first problem, for the window; none when all went well.
    Status status;
};

// Owns the shader runtime's context and the effect read from
// effectShader.cgfx. At start-up it loads the effect, picks the first
// technique that validates with the current GL context and looks the ten
// parameters up, reporting every runtime error. Drawing never uses the
// effect: what it adds is that report and an orderly release.
class EffectManager {
public:
    static constexpr const char* effectFileName = "effectShader.cgfx";
    // Techniques tried before the rest are skipped with one line.
    static constexpr int maxTechniquesTried = 16;

    static EffectManager& instance();

    EffectManager();
    // Releases like release().
    virtual ~EffectManager();

    // Needs a current GL context with its entry points loaded.
    EffectReport create();
    // Adds the runtime's pending error, if any, to the report with the step
    // just done.
    void checkError(const std::string& situation, EffectReport& report);
    // The effect, then the context.
    void release();

    EffectContext* context = nullptr;
    Effect* effect = nullptr;
    EffectTechnique* technique = nullptr;
    EffectParameter* backgroundMap = nullptr;
    EffectParameter* alphaMap = nullptr;
    EffectParameter* minMaxMap = nullptr;
    EffectParameter* colorMap = nullptr;
    EffectParameter* treeNodePosTexture = nullptr;
    EffectParameter* nodePosTexSize = nullptr;
    EffectParameter* controlPolygon = nullptr;
    EffectParameter* controlPolygonSize = nullptr;
    EffectParameter* alpha = nullptr;
    EffectParameter* beta = nullptr;
};
