#pragma once

#include <cstddef>
#include <cstdint>

// The one place where computation hands data to GL. A name of 0 means the
// object was never created (no GL context, as in unit tests and benchmarks):
// every call is then skipped.
enum class BufferUsage { StaticDraw, DynamicDraw };

// Binds the buffer as the array buffer and replaces its whole data store.
void replaceArrayBufferData(uint32_t buffer, std::size_t bytes, const void* data,
                            BufferUsage usage);
void deleteTexture(uint32_t texture);
