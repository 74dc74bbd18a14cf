// libFuzzer target: any bytes as an llg file.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "tests/fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace torvex;
    static auto* plc = new Plc();
    static auto* scratch = new Plc();
    IOComments comments;
    const LoadResult result =
        LoadLadderText(*plc, comments, std::string_view(reinterpret_cast<const char*>(data), size));
    fuzz::CheckRoundTrip(*plc, comments, result, *scratch);
    fuzz::CheckModel(*plc);
    return 0;
}
