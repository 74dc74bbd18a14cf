// Long seeded sequences of edits, as a user might make them, must leave a diagram that the
// writer can save and the scan can run.

#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "engine/branches.h"
#include "engine/editing.h"
#include "tests/engine/engine_fixture.h"

namespace torvex {
namespace {

class EditSequence : public test::EngineTest {
protected:
    std::mt19937 rng;
    EditorState s;
    Diagram& d = plc.diagram;

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(rng); }
    bool Chance(int percent) { return Pick(1, 100) <= percent; }
    int AnyRung() { return Pick(0, d.RungCount()); }  // one past the end now and then

    // The dialog's OK with an operand that exists, the code varied within the dialog.
    void Answer(DialogKind dialog) {
        if (dialog == DialogKind::Timer) s.PendingCode = Pick(Control::TIM, Control::ODT);
        if (dialog == DialogKind::Counter) s.PendingCode = Pick(Control::CUP, Control::CDN);
        if (dialog == DialogKind::BitShift) s.PendingCode = Pick(Control::BL1, Control::BR4);
        do {
            s.PendingKind = Pick(0, 9);
            s.PendingNumber = Pick(0, 79);
        } while (!IsValidOperand(s.PendingCode, s.PendingKind, s.PendingNumber));
        const int tag = Chance(10)                    ? kPlaceNothing  // Cancel
                        : dialog == DialogKind::Input ? kPlaceContact
                                                      : kPlaceOutputSide;
        PlacePendingControl(d, m, s, s.TargetSlot, tag);
    }

    std::string Step() {
        const int rung = AnyRung(), column = Pick(-1, 10), row = Pick(0, 3);
        switch (Pick(0, 9)) {
            case 0:
            case 1: {
                s.PaletteTool = Pick(1, 9);
                const Placement p = AddControl(s, d, rung, rung, column, row);
                if (p.verdict == PlacementVerdict::Accepted ||
                    p.verdict == PlacementVerdict::ConfirmOnContact)
                    Answer(p.dialog);
                return "place tool " + std::to_string(s.PaletteTool);
            }
            case 2: {
                const DialogKind dialog = EditControl(s, d, rung, rung, column, row);
                if (dialog != DialogKind::None) Answer(dialog);
                return "edit";
            }
            case 3:
                DeleteControl(d, m, rung, column, row);
                return "delete control";
            case 4:
            case 5: {
                if (!BranchStartAccepted(d, rung, column)) return "no branch start";
                const std::optional<BranchSpan> span = BranchFor(d, rung, column, Pick(-1, 9));
                if (!span) return "no branch";
                const RungBackup backup = BackupRung(d.Rungs[rung]);
                DrawBranch(d.Rungs[rung], span->start, span->end, span->row);
                if (Chance(20)) RestoreRung(d.Rungs[rung], backup);
                return "add branch";
            }
            case 6:
            case 7: {
                if (!BranchClickAccepted(d, rung, column, row)) return "no branch there";
                RungRecord& r = d.Rungs[rung];
                const RungBackup backup = BackupRung(r);
                FindBranch(r, column, row);
                if (Chance(30)) {
                    RestoreRung(r, backup);
                } else {
                    WipeBranch(r);
                    RestoreLinks(r);
                }
                return "delete branch";
            }
            case 8:
                if (d.RungCount() >= 6) break;
                if (Chance(50)) {
                    AddRung(d);
                    return "add rung";
                }
                InsertRung(d, rung);
                return "insert rung";
            default:
                break;
        }
        DeleteRung(d, rung);
        return "delete rung";
    }

    // What the writer, the scan and the editor itself rely on.
    std::string Broken() {
        if (d.RungCount() < 1) return "no rung";
        for (int r = 0; r < d.RungCount(); ++r) {
            const RungRecord& rung = d.Rungs[r];
            std::ostringstream where;
            for (int c = 0; c < kColumns; ++c)
                for (int w = 0; w < kRows; ++w) {
                    where.str("");
                    where << "rung " << r << " cell " << c << "," << w << ": ";
                    const int32_t code = rung.Code(c, w);
                    if (rung.Power[c][w]) return where.str() + "a mark is left";
                    if (IsLinkColumn(c)) {
                        if (LinkMnemonic(code) == nullptr)
                            return where.str() + "link " + std::to_string(code);
                        continue;
                    }
                    if (ControlMnemonic(code) == nullptr)
                        return where.str() + "control " + std::to_string(code);
                    if (!IsValidOperand(code, rung.Kind(c, w), rung.Index(c, w)))
                        return where.str() + "operand";
                    const bool outputSide = code >= Control::OUT && code <= Control::BBT;
                    if (outputSide != (c == kOutputColumn && IsOccupied(code)))
                        return where.str() + "control in the wrong column";
                    if (IsBoxTop(code) &&
                        (w != 0 ||
                         rung.Code(c, 1) != (IsTimerBox(code)     ? Control::TBT
                                             : IsCounterBox(code) ? Control::CBT
                                                                  : Control::BBT) ||
                         rung.Index(c, 1) != rung.Index(c, 0)))
                        return where.str() + "box without its bottom";
                    if (IsBoxBottom(code) && (w != 1 || !IsBoxTop(rung.Code(c, 0))))
                        return where.str() + "bottom without its box";
                    if (IsTimerBox(code) && !m.Timers[rung.Index(c, w)].Used)
                        return where.str() + "timer not marked used";
                    if (IsCounterBox(code) && !m.Counters[rung.Index(c, w)].Used)
                        return where.str() + "counter not marked used";
                }
            RungRecord shaped = rung;
            DoOutputPlaces(shaped);
            DoOutputLinks(shaped);
            for (int c = 0; c < kColumns; ++c)
                for (int w = 0; w < kRows; ++w)
                    if (shaped.Code(c, w) != rung.Code(c, w) ||
                        shaped.Kind(c, w) != rung.Kind(c, w) ||
                        shaped.Index(c, w) != rung.Index(c, w))
                        return "rung " + std::to_string(r) + ": output column out of shape";
        }
        return {};
    }
};

TEST_F(EditSequence, NeverLeavesADiagramThatCannotBeSavedOrRun) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        plc.ClearDiagram();
        for (TimerRecord& t : m.Timers) t.Used = false;
        for (CounterRecord& c : m.Counters) c.Used = false;
        rng.seed(seed);
        for (int step = 0; step < 400; ++step) {
            const std::string what = Step();
            const std::string broken = Broken();
            if (!broken.empty()) {
                ADD_FAILURE() << "seed " << seed << " step " << step << " (" << what
                              << "): " << broken;
                for (int r = 0; r < d.RungCount(); ++r)
                    for (const std::string& row : test::RungRows(d.Rungs[r]))
                        ADD_FAILURE() << r << ": " << row;
                return;
            }
            if (step % 50 == 49) {  // and it runs
                plc.StartRun();
                Scan(2);
                plc.EndRun();
            }
        }
        // The row form the other tests compare in reads back as the same control cells.
        for (int r = 0; r < d.RungCount(); ++r) {
            const RungRecord& rung = d.Rungs[r];
            const RungRecord back = test::MakeRung(test::RungRows(rung));
            for (int c = 0; c < kColumns; ++c)
                for (int w = 0; w < kRows; ++w)
                    ASSERT_TRUE(back.Code(c, w) == rung.Code(c, w) &&
                                (IsLinkColumn(c) || (back.Kind(c, w) == rung.Kind(c, w) &&
                                                     back.Index(c, w) == rung.Index(c, w))))
                        << "seed " << seed << " rung " << r << " cell " << c << "," << w;
        }
    }
}

}  // namespace
}  // namespace torvex
