// libFuzzer target: any bytes as an lld file, followed after a NUL byte by its LCD comment
// file (no NUL: the comment file is missing).
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "files/legacy_import.h"
#include "tests/fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace torvex;
    static auto* plc = new Plc();
    static auto* scratch = new Plc();
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\0');
    FileBytes commentFile;
    if (split == std::string_view::npos) {
        commentFile.error = "File not found";
    } else {
        commentFile.ok = true;
        commentFile.bytes = std::string(input.substr(split + 1));
    }
    IOComments comments;
    const LoadResult result = ImportOldText(*plc, comments, input.substr(0, split), commentFile);
    fuzz::CheckRoundTrip(*plc, comments, result, *scratch);
    fuzz::CheckModel(*plc);
    return 0;
}
