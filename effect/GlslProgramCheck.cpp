#include "effect/GlslProgramCheck.h"

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

template <typename GetLength, typename GetLog>
std::string infoLog(GLuint object, GetLength getLength, GetLog getLog) {
    GLint length = 0;
    getLength(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<std::size_t>(std::max(length, 1)), '\0');
    GLsizei written = 0;
    getLog(object, static_cast<GLsizei>(log.size()), &written, log.data());
    log.resize(static_cast<std::size_t>(written));
    while (!log.empty() && (log.back() == '\n' || log.back() == ' ')) {
        log.pop_back();
    }
    return log;
}

// Compiles one stage; 0 with the log filled when it fails.
GLuint compileShader(GLenum stage, const std::string& source, std::string& log) {
    const GLuint shader = glCreateShader(stage);
    const GLchar* text = source.data();
    const auto length = static_cast<GLint>(source.size());
    glShaderSource(shader, 1, &text, &length);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled == GL_TRUE) {
        return shader;
    }
    log = infoLog(shader, glGetShaderiv, glGetShaderInfoLog);
    glDeleteShader(shader);
    return 0;
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
    check.outcome = GlslOutcome::Failed;
    const GLuint vertex = compileShader(GL_VERTEX_SHADER, vertexSource, check.log);
    if (vertex == 0) {
        return check;
    }
    const GLuint fragment = compileShader(GL_FRAGMENT_SHADER, fragmentSource, check.log);
    if (fragment == 0) {
        glDeleteShader(vertex);
        return check;
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked == GL_TRUE) {
        check.outcome = GlslOutcome::Linked;
    } else {
        check.log = infoLog(program, glGetProgramiv, glGetProgramInfoLog);
    }
    glDeleteProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    return check;
}
