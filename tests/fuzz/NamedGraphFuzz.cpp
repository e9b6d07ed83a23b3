#include "io/GraphReading.h"
#include "tests/fuzz/GraphInvariants.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// One target per format, chosen when it is built (FUZZED_FORMAT): any bytes
// must be answered, accepted or not, without crashing, hanging or touching
// memory the reader does not own, and an accepted file must give a
// consistent tree.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const Result<CompoundGraph> result =
        parseGraph(std::string_view(reinterpret_cast<const char*>(data), size),
                   GraphFormat::FUZZED_FORMAT, "fuzz");
    if (result) {
        checkGraphInvariants(result.value());
    }
    return 0;
}
