#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A count and its noun, which agrees with it: "1 node", "2 nodes".
inline std::string counted(int64_t count, std::string_view one, std::string_view many) {
    return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}
