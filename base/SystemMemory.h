#pragma once

#include <cstdint>
#include <optional>

// The memory this machine can still give to a process without swapping
// (MemAvailable of /proc/meminfo); nothing when it cannot be told.
std::optional<uint64_t> availableMemoryBytes();
