#include "effect/GlslProgramCheck.h"

#include "render/GlslProgram.h"

#include <GL/glew.h>

#include <algorithm>
#include <charconv>
#include <string_view>

namespace {

// "4.50 ..." becomes 450; 0 when the text has no version at its start.
int contextGlslVersion() {
    const auto* text = reinterpret_cast<const char*>(glGetString(GL_SHADING_LANGUAGE_VERSION));
    if (text == nullptr) {
        return 0;
    }
    const std::string_view version(text);
    int major = 0;
    int minor = 0;
    const auto dot = std::from_chars(version.data(), version.data() + version.size(), major);
    if (dot.ec != std::errc() || dot.ptr == version.data() + version.size() || *dot.ptr != '.') {
        return 0;
    }
    std::from_chars(dot.ptr + 1, version.data() + version.size(), minor);
    return major * 100 + minor;
}

// The number of the source's #version directive; 110, GLSL's default, without one.
int sourceGlslVersion(std::string_view source) {
    constexpr std::string_view directive = "#version";
    std::size_t at = 0;
    while (at < source.size()) {
        const std::size_t end = std::min(source.find('\n', at), source.size());
        std::string_view line = source.substr(at, end - at);
        line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
        if (line.starts_with(directive)) {
            line.remove_prefix(directive.size());
            line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
            int version = 0;
            std::from_chars(line.data(), line.data() + line.size(), version);
            return version;
        }
        at = end + 1;
    }
    return 110;
}

} // namespace

bool currentContextCompilesGlsl() {
    return glCreateShader != nullptr && contextGlslVersion() > 0;
}

GlslCheck checkGlslProgram(const std::string& vertexSource, const std::string& fragmentSource) {
    GlslCheck check;
    if (!currentContextCompilesGlsl()) {
        return check;
    }
    const int offered = contextGlslVersion();
    if (sourceGlslVersion(vertexSource) > offered || sourceGlslVersion(fragmentSource) > offered) {
        check.outcome = GlslOutcome::VersionUnsupported;
        return check;
    }
    const Result<uint32_t> program = linkGlslProgram(vertexSource, fragmentSource);
    if (!program) {
        check.outcome = GlslOutcome::Failed;
        check.log = program.error().reason;
        return check;
    }
    check.outcome = GlslOutcome::Linked;
    glDeleteProgram(program.value());
    return check;
}
