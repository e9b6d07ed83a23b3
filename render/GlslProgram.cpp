#include "render/GlslProgram.h"

#include <GL/glew.h>

#include <algorithm>

namespace {

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

// Compiles one stage; the driver's log when it fails.
Result<GLuint> compileShader(GLenum stage, const std::string& source) {
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
    Error error(infoLog(shader, glGetShaderiv, glGetShaderInfoLog));
    glDeleteShader(shader);
    return error;
}

} // namespace

Result<uint32_t> linkGlslProgram(const std::string& vertexSource,
                                 const std::string& fragmentSource) {
    const Result<GLuint> vertex = compileShader(GL_VERTEX_SHADER, vertexSource);
    if (!vertex) {
        return vertex.error();
    }
    const Result<GLuint> fragment = compileShader(GL_FRAGMENT_SHADER, fragmentSource);
    if (!fragment) {
        glDeleteShader(vertex.value());
        return fragment.error();
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertex.value());
    glAttachShader(program, fragment.value());
    glLinkProgram(program);
    // The program keeps what it needs of its stages.
    glDeleteShader(vertex.value());
    glDeleteShader(fragment.value());
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked == GL_TRUE) {
        return static_cast<uint32_t>(program);
    }
    Error error(infoLog(program, glGetProgramiv, glGetProgramInfoLog));
    glDeleteProgram(program);
    return error;
}

Status ShaderProgram::prepare(const std::string& shaderName, const std::string& vertexSource,
                              const std::string& fragmentSource) {
    if (program != 0) {
        return {};
    }
    const Result<uint32_t> linked = linkGlslProgram(vertexSource, fragmentSource);
    if (!linked) {
        return Error("the " + shaderName + " shader did not build: " + linked.error().reason);
    }
    program = linked.value();
    glGenTextures(1, &texture);
    return {};
}

void ShaderProgram::release() {
    if (program != 0) {
        glDeleteProgram(program);
        glDeleteTextures(1, &texture);
    }
    program = 0;
    texture = 0;
}
