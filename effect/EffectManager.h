#pragma once

#include "base/Result.h"
#include "effect/EffectRuntime.h"

#include <optional>
#include <string>

// Owns the shader runtime's context and the effect read from
// effectShader.cgfx. At start-up it loads the effect, picks the first
// technique that validates with the current GL context and looks the ten
// parameters up, reporting every runtime error on standard output. Drawing
// never uses the effect: what it adds is that report and an orderly release.
class EffectManager {
public:
    static constexpr const char* effectFileName = "effectShader.cgfx";
    // Techniques tried before the rest are skipped with one line.
    static constexpr int maxTechniquesTried = 16;

    static EffectManager& instance();

    EffectManager();
    // Releases like release().
    virtual ~EffectManager();

    // Needs a current GL context with its entry points loaded. Fails with
    // the first problem reported, for the window to show; the report on
    // standard output lists them all.
    Status create();
    // Prints the runtime's pending error, if any, with the step just done.
    void checkError(const std::string& situation);
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

private:
    void report(const std::string& line);

    std::optional<std::string> firstProblem;
};
