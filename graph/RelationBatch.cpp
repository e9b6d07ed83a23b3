#include "graph/RelationBatch.h"

#include <numeric>

namespace {

// A fixed mix that spreads pairs whose ids share bits over the parts. It
// decides only how evenly the parts share the work: the sets that look for
// repeats hash with seeds of their own.
uint8_t partOf(uint64_t pair) {
    return static_cast<uint8_t>((pair * 0x9E3779B97F4A7C15ull) >> 56);
}

static_assert(RelationBatch::partCount == 256, "a part is a byte");

} // namespace

RelationBatch::RelationBatch(std::span<const uint64_t> pairs)
    : grouped(pairs.size()), partOfPair(pairs.size()) {
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        partOfPair[i] = partOf(pairs[i]);
        ++start[partOfPair[i] + 1];
    }
    std::partial_sum(start.begin(), start.end(), start.begin());
    std::array<std::size_t, partCount + 1> next = start;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        grouped[next[partOfPair[i]]++] = pairs[i];
    }
}
