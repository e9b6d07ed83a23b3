#include "base/SystemMemory.h"

#include <fstream>
#include <string>

std::optional<uint64_t> availableMemoryBytes() {
    std::ifstream info("/proc/meminfo");
    std::string key;
    uint64_t kibibytes = 0;
    std::string unit;
    while (info >> key >> kibibytes >> unit) {
        if (key == "MemAvailable:") {
            return kibibytes * 1024;
        }
    }
    return std::nullopt;
}
