#pragma once

#include "base/Result.h"

// hebview's shader effect runtime. An effect is read from our text format
// (described at the top of effectShader.cgfx); its techniques are enumerated
// in file order, validated by compiling and linking their GLSL with the
// current OpenGL context, and named; its declared parameters are looked up by
// name. A failing call leaves one pending error, which the next
// effectGetLastErrorString (or effectTakeError, as a Status) reads and
// clears.
//
// Implements: contexts, effects from files, techniques, validation, named
// parameters, the pending error with its text, the last compiler listing.
// Lacks: parameter values, passes and state assignments: nothing draws with
// an effect, so there is nothing to bind.
//
// Handles stay valid until their effect or context is destroyed. One thread.

struct EffectContext;
struct Effect;
struct EffectTechnique;
struct EffectParameter;

enum class EffectError {
    NoError = 0,
    CompilerError = 1,
    FileUnreadable = 2,
    MalformedFile = 3,
    NullHandle = 4,
    NoGlsl = 5,
};

enum class EffectProfile {
    ArbVertexProgram = 6150,
    ArbFragmentProgram = 7000,
};

EffectContext* effectCreateContext();
void effectDestroyContext(EffectContext* context);

// Every profile compiles through the context's GLSL; these calls check that
// the current GL context offers it. There are no other options to choose.
void effectSetOptimalOptions(EffectProfile profile);
// Techniques carry no render states and no effect is ever bound, so there is
// nothing to register or manage; these calls check their handle.
void effectRegisterStates(EffectContext* context);
void effectSetManageTextureParameters(EffectContext* context, bool manage);

// Null when the file cannot be read or is malformed.
Effect* effectCreateFromFile(EffectContext* context, const char* path);
void effectDestroy(Effect* effect);

EffectTechnique* effectGetFirstTechnique(Effect* effect);
EffectTechnique* effectGetNextTechnique(EffectTechnique* technique);
// False for a technique whose GLSL version the context lacks (no error) and
// for one that does not compile or link (a compiler error with its listing).
bool effectValidateTechnique(EffectTechnique* technique);
// Empty for a null handle.
const char* effectGetTechniqueName(EffectTechnique* technique);

// Null, with no error, when the effect declares no parameter of that name.
EffectParameter* effectGetNamedParameter(Effect* effect, const char* name);

// Reads the pending error into *error (when not null), clears it, and
// returns its English text, valid until the next call into the runtime.
const char* effectGetLastErrorString(EffectError* error);
// The same, as a Status: fails with the error's text as its reason, and
// takes and clears the pending error likewise.
Status effectTakeError();
// The driver's info log of the context's last failed compilation.
const char* effectGetLastListing(EffectContext* context);
