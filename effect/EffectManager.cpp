#include "effect/EffectManager.h"

#include "base/DataFiles.h"

#include <string>

namespace {

struct ParameterField {
    const char* name;
    EffectParameter* EffectManager::*handle;
};

// In the order in which they are looked up.
constexpr ParameterField parameterFields[] = {
    {"backgroundMap", &EffectManager::backgroundMap},
    {"alphaMap", &EffectManager::alphaMap},
    {"minMaxMap", &EffectManager::minMaxMap},
    {"colorMap", &EffectManager::colorMap},
    {"treeNodePosTexture", &EffectManager::treeNodePosTexture},
    {"nodePosTexSize", &EffectManager::nodePosTexSize},
    {"controlPolygon", &EffectManager::controlPolygon},
    {"controlPolygonSize", &EffectManager::controlPolygonSize},
    {"alpha", &EffectManager::alpha},
    {"beta", &EffectManager::beta},
};

// A line that is also a problem: the first one is what the window shows.
void addProblem(EffectReport& report, const std::string& line) {
    report.lines.push_back(line);
    if (report.status) {
        report.status = Error{line};
    }
}

} // namespace

EffectManager& EffectManager::instance() {
    static EffectManager* manager = new EffectManager();
    return *manager;
}

EffectManager::EffectManager() = default;

EffectManager::~EffectManager() {
    release();
}

EffectReport EffectManager::create() {
    EffectReport report;
    context = effectCreateContext();
    checkError("creating context", report);
    effectSetOptimalOptions(EffectProfile::ArbVertexProgram);
    checkError("selecting vertex profile", report);
    effectSetOptimalOptions(EffectProfile::ArbFragmentProgram);
    checkError("selecting fragment profile", report);
    effectRegisterStates(context);
    checkError("registering standard CgFX states", report);
    effectSetManageTextureParameters(context, true);
    checkError("manage texture parameters", report);
    effect = effectCreateFromFile(context, datafiles::find(effectFileName).c_str());
    checkError("creating effectShader.cgfx effect", report);

    // The first technique in file order that validates wins. Each try
    // compiles GLSL, so only the first few are tried; a failed try's
    // compiler error is its own and is dropped with it, so that the next
    // step reports only what goes wrong there.
    technique = effectGetFirstTechnique(effect);
    int tried = 0;
    while (technique != nullptr && tried < maxTechniquesTried &&
           !effectValidateTechnique(technique)) {
        ++tried;
        report.lines.push_back("Technique " + std::string(effectGetTechniqueName(technique)) +
                               " did not validate.  Skipping.");
        effectGetLastErrorString(nullptr);
        technique = effectGetNextTechnique(technique);
    }
    if (tried == maxTechniquesTried && technique != nullptr) {
        int skipped = 0;
        for (; technique != nullptr; technique = effectGetNextTechnique(technique)) {
            ++skipped;
        }
        report.lines.push_back(std::to_string(skipped) + " more techniques were not tried.");
    }
    if (technique != nullptr) {
        report.lines.push_back("Use technique " + std::string(effectGetTechniqueName(technique)) +
                               ".");
    } else {
        addProblem(report, "No valid technique");
    }

    for (const ParameterField& field : parameterFields) {
        this->*field.handle = effectGetNamedParameter(effect, field.name);
        checkError("getting " + std::string(field.name), report);
    }
    return report;
}

void EffectManager::checkError(const std::string& situation, EffectReport& report) {
    EffectError error = EffectError::NoError;
    const char* text = effectGetLastErrorString(&error);
    if (error == EffectError::NoError) {
        return;
    }
    addProblem(report, "vertex_and_fragment_program: " + situation + ": " + text);
    if (error == EffectError::CompilerError) {
        report.lines.push_back(effectGetLastListing(context));
    }
}

void EffectManager::release() {
    // A null handle is skipped rather than reported: nothing would read the
    // report, and it would stay pending for whoever uses the runtime next.
    if (effect != nullptr) {
        effectDestroy(effect);
    }
    if (context != nullptr) {
        effectDestroyContext(context);
    }
    effect = nullptr;
    context = nullptr;
    technique = nullptr;
    for (const ParameterField& field : parameterFields) {
        this->*field.handle = nullptr;
    }
}
