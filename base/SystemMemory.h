#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The memory this process can still take: the least of what the machine
// can give without swapping (MemAvailable of /proc/meminfo), what the
// process's address-space limit (ulimit -v) leaves beside what it has
// mapped, and what its control group's memory limit (cgroup v1 or v2) leaves
// beside the group's use; nothing when none of them can be told.
std::optional<uint64_t> availableMemoryBytes();

// The kibibytes of a "Key: N kB" line of a /proc file's text.
std::optional<uint64_t> kibibytesOf(std::string_view text, std::string_view key);
// What a limit leaves beside what is used: nothing for no limit, 0 when the
// use has reached it.
std::optional<uint64_t> leftUnder(std::optional<uint64_t> limit, uint64_t used);
