#pragma once

#include <string>

// Whether a vertex and fragment source pair compiles and links with the
// OpenGL context current on this thread. The program is deleted again: only
// the answer is kept.
enum class GlslOutcome {
    Linked,
    // A #version above what the context offers: the pair is meant for other
    // hardware, which is no fault of the sources.
    VersionUnsupported,
    Failed,
    // No current context, or one without GLSL shaders.
    NoGlsl,
};

struct GlslCheck {
    GlslOutcome outcome = GlslOutcome::NoGlsl;
    // The driver's info log when compiling or linking failed.
    std::string log;
};

// Whether a context is current on this thread and offers GLSL shaders.
bool currentContextCompilesGlsl();

GlslCheck checkGlslProgram(const std::string& vertexSource, const std::string& fragmentSource);
