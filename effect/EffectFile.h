#pragma once

#include "base/Result.h"

#include <string>
#include <string_view>
#include <vector>

// The text format of effect files such as effectShader.cgfx (its header
// comment describes it): declared parameters, and techniques in file order,
// each a pair of GLSL sources. Parsing needs no GL context.
struct EffectParameterDeclaration {
    std::string type;
    std::string name;
};

struct EffectTechniqueSource {
    std::string name;
    std::string vertexSource;
    std::string fragmentSource;
};

struct EffectFileContents {
    std::vector<EffectParameterDeclaration> parameters;
    std::vector<EffectTechniqueSource> techniques;
};

// The contents, or an Error naming the first malformed line.
Result<EffectFileContents> parseEffectFile(std::string_view text);
