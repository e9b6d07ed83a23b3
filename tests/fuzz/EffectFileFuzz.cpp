#include "effect/EffectFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Any bytes: the parser must answer without crashing, hanging or touching
// memory it does not own, and a well-formed result must hold named items.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const Result<EffectFileContents> parse =
        parseEffectFile(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!parse) {
        return 0;
    }
    for (const auto& technique : parse.value().techniques) {
        if (technique.name.empty()) {
            __builtin_trap();
        }
    }
    for (const auto& parameter : parse.value().parameters) {
        if (parameter.name.empty() || parameter.type.empty()) {
            __builtin_trap();
        }
    }
    return 0;
}
