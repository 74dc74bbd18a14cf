// libFuzzer target: any bytes as rungs on the clipboard. Its corpus is the llg reader's.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "files/rung_clipboard.h"
#include "tests/fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace torvex;
    static auto* plc = new Plc();
    const RungsReadResult read =
        ReadRungsText(std::string_view(reinterpret_cast<const char*>(data), size));
    if (!read.ok) {
        if (read.error.empty()) fuzz::Broken("rungs refused without a reason");
        return 0;
    }
    const auto& rungs = read.rungs.rungs;
    const int count = static_cast<int>(rungs.size());
    if (count < 1 || count > kMaxRungs) fuzz::Broken("a rung count outside the table");

    // Pasted into a new diagram, where they fit; nothing at all where they do not.
    plc->ClearDiagram();
    const RungEdit pasted = PasteRungs(*plc, read.rungs, 0);
    if (count + 1 > kMaxRungs) {
        if (pasted != RungEdit::TableFull || plc->diagram.RungCount() != 1)
            fuzz::Broken("a paste past the table was not refused whole");
        return 0;
    }
    if (pasted != RungEdit::Done || plc->diagram.RungCount() != count + 1)
        fuzz::Broken("rungs that read were not pasted");

    // Copied again, they read back as they were.
    const RungsReadResult again = ReadRungsText(RungsText(*plc, 0, count));
    if (!again.ok) fuzz::Broken("pasted rungs copy to text that does not read back");
    if (again.rungs.rungs.size() != rungs.size()) fuzz::Broken("a copy lost or gained rungs");
    for (size_t i = 0; i < rungs.size(); ++i)
        if (!SameRung(again.rungs.rungs[i], rungs[i])) fuzz::Broken("a copied rung changed");
    fuzz::CheckModel(*plc);
    return 0;
}
