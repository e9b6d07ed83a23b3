#pragma once

#include "base/Result.h"

#include <cstdint>
#include <string>

// A GLSL program compiled and linked from a vertex and a fragment source
// with the current GL context: its name, or an Error whose reason is the
// driver's info log. The caller deletes it with glDeleteProgram.
Result<uint32_t> linkGlslProgram(const std::string& vertexSource,
                                 const std::string& fragmentSource);

// A shader's program and the one texture it reads its data from, made on
// first use and deleted together.
struct ShaderProgram {
    uint32_t program = 0;
    uint32_t texture = 0;

    // Links the program (once); the error names the shader.
    Status prepare(const std::string& shaderName, const std::string& vertexSource,
                   const std::string& fragmentSource);
    void release();
};
