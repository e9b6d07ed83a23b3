#include "effect/EffectRuntime.h"

#include "effect/EffectFile.h"
#include "effect/GlslProgramCheck.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

struct EffectParameter {
    EffectParameterDeclaration declaration;
};

struct EffectTechnique {
    Effect* effect;
    std::size_t index;
    EffectTechniqueSource source;
};

struct Effect {
    EffectContext* context;
    std::vector<EffectParameter> parameters;
    std::vector<EffectTechnique> techniques;
};

struct EffectContext {
    std::vector<std::unique_ptr<Effect>> effects;
    std::string listing;
};

namespace {

// Larger files are refused, so that nothing unbounded reaches the compiler.
constexpr std::size_t maxEffectFileBytes = std::size_t{1} << 20;

const char* errorText(EffectError error) {
    switch (error) {
    case EffectError::NoError:
        return "no error";
    case EffectError::CompilerError:
        return "compiler error";
    case EffectError::FileUnreadable:
        return "the effect file is missing or cannot be read";
    case EffectError::MalformedFile:
        return "malformed effect file";
    case EffectError::NullHandle:
        return "null handle";
    case EffectError::NoGlsl:
        return "no current OpenGL context compiles GLSL";
    }
    return "unknown error";
}

struct PendingError {
    EffectError error = EffectError::NoError;
    std::string detail;
};

PendingError& pending() {
    static PendingError* state = new PendingError();
    return *state;
}

void raise(EffectError error, std::string detail = {}) {
    pending() = {error, std::move(detail)};
}

// A null handle raises its error here, so that each call reads as one check.
template <typename Handle> bool missing(Handle* handle) {
    if (handle == nullptr) {
        raise(EffectError::NullHandle);
        return true;
    }
    return false;
}

// Only regular files are opened: a fifo or a device could block the reader.
std::optional<std::string> readFile(const char* path) {
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(path, ignored)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    std::string text(maxEffectFileBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad() || !in.is_open()) {
        return std::nullopt;
    }
    text.resize(static_cast<std::size_t>(in.gcount()));
    return text;
}

Effect* buildEffect(EffectContext* context, EffectFileContents contents) {
    auto effect = std::make_unique<Effect>();
    effect->context = context;
    for (EffectParameterDeclaration& declaration : contents.parameters) {
        effect->parameters.push_back({std::move(declaration)});
    }
    for (EffectTechniqueSource& source : contents.techniques) {
        effect->techniques.push_back({effect.get(), effect->techniques.size(), std::move(source)});
    }
    context->effects.push_back(std::move(effect));
    return context->effects.back().get();
}

} // namespace

EffectContext* effectCreateContext() {
    return new EffectContext();
}

void effectDestroyContext(EffectContext* context) {
    if (!missing(context)) {
        delete context;
    }
}

void effectSetOptimalOptions(EffectProfile) {
    if (!currentContextCompilesGlsl()) {
        raise(EffectError::NoGlsl);
    }
}

void effectRegisterStates(EffectContext* context) {
    missing(context);
}

void effectSetManageTextureParameters(EffectContext* context, bool) {
    missing(context);
}

Effect* effectCreateFromFile(EffectContext* context, const char* path) {
    if (missing(context) || missing(path)) {
        return nullptr;
    }
    const std::optional<std::string> text = readFile(path);
    if (!text) {
        raise(EffectError::FileUnreadable);
        return nullptr;
    }
    if (text->size() > maxEffectFileBytes) {
        raise(EffectError::MalformedFile,
              "larger than " + std::to_string(maxEffectFileBytes) + " bytes");
        return nullptr;
    }
    Result<EffectFileContents> parse = parseEffectFile(*text);
    if (!parse) {
        raise(EffectError::MalformedFile, parse.error().describe());
        return nullptr;
    }
    return buildEffect(context, std::move(parse).value());
}

void effectDestroy(Effect* effect) {
    if (missing(effect)) {
        return;
    }
    std::vector<std::unique_ptr<Effect>>& effects = effect->context->effects;
    effects.erase(std::find_if(effects.begin(), effects.end(),
                               [effect](const auto& owned) { return owned.get() == effect; }));
}

EffectTechnique* effectGetFirstTechnique(Effect* effect) {
    if (missing(effect) || effect->techniques.empty()) {
        return nullptr;
    }
    return &effect->techniques.front();
}

EffectTechnique* effectGetNextTechnique(EffectTechnique* technique) {
    if (missing(technique)) {
        return nullptr;
    }
    std::vector<EffectTechnique>& techniques = technique->effect->techniques;
    const std::size_t next = technique->index + 1;
    return next < techniques.size() ? &techniques[next] : nullptr;
}

bool effectValidateTechnique(EffectTechnique* technique) {
    if (missing(technique)) {
        return false;
    }
    GlslCheck check =
        checkGlslProgram(technique->source.vertexSource, technique->source.fragmentSource);
    switch (check.outcome) {
    case GlslOutcome::Linked:
        return true;
    case GlslOutcome::VersionUnsupported:
        return false;
    case GlslOutcome::Failed:
        technique->effect->context->listing = std::move(check.log);
        raise(EffectError::CompilerError);
        return false;
    case GlslOutcome::NoGlsl:
        raise(EffectError::NoGlsl);
        return false;
    }
    return false;
}

const char* effectGetTechniqueName(EffectTechnique* technique) {
    return missing(technique) ? "" : technique->source.name.c_str();
}

EffectParameter* effectGetNamedParameter(Effect* effect, const char* name) {
    if (missing(effect) || missing(name)) {
        return nullptr;
    }
    const auto found =
        std::find_if(effect->parameters.begin(), effect->parameters.end(),
                     [name](const EffectParameter& p) { return p.declaration.name == name; });
    return found == effect->parameters.end() ? nullptr : &*found;
}

const char* effectGetLastErrorString(EffectError* error) {
    static std::string* text = new std::string();
    const PendingError taken = std::exchange(pending(), PendingError{});
    *text = errorText(taken.error);
    if (!taken.detail.empty()) {
        *text += ": " + taken.detail;
    }
    if (error != nullptr) {
        *error = taken.error;
    }
    return text->c_str();
}

Status effectTakeError() {
    EffectError error = EffectError::NoError;
    const char* text = effectGetLastErrorString(&error);
    if (error == EffectError::NoError) {
        return {};
    }
    return Error{text};
}

const char* effectGetLastListing(EffectContext* context) {
    return missing(context) ? "" : context->listing.c_str();
}
