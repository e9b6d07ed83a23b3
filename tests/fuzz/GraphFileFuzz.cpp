#include "io/GraphFileReader.h"
#include "tests/fuzz/GraphInvariants.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Any bytes: the reader must answer, accepted or not, without crashing,
// hanging or touching memory it does not own, and an accepted file must be a
// consistent forest with distinct relation ends.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const Result<CompoundGraph> result =
        graphfile::parse(std::string_view(reinterpret_cast<const char*>(data), size));
    if (result) {
        checkGraphInvariants(result.value());
    }
    return 0;
}
