#pragma once

#include "base/Result.h"

#include <cstdint>
#include <string>

// A GLSL program compiled and linked from a vertex and a fragment source
// with the current GL context: its name, or an Error whose reason is the
// driver's info log. The caller deletes it with glDeleteProgram.
Result<uint32_t> linkGlslProgram(const std::string& vertexSource,
                                 const std::string& fragmentSource);
