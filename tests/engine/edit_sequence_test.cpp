// Long seeded sequences of edits, as a user might make them, must leave a diagram that the
// writer can save and the scan can run, and must be undone and redone to the same bytes.

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <sstream>

#include "engine/branches.h"
#include "engine/editing.h"
#include "files/diagram_change.h"
#include "files/ladder_writer.h"
#include "files/rung_clipboard.h"
#include "tests/engine/engine_fixture.h"

namespace torvex {
namespace {

class EditSequence : public test::EngineTest {
protected:
    std::mt19937 rng;
    EditorState s;
    Diagram& d = plc.diagram;
    IOComments comments;
    // The model before the step's edit, taken once the step knows the rungs it may change.
    std::optional<EditSnapshot> before;

    void Before(int first, int count) { before = TakeSnapshot(plc, comments, first, count); }
    std::string Bytes() const { return LadderText(plc, comments, DiagramSettings()); }

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
        Before(s.TargetSlot, 1);
        // The timer and counter dialogs store the preset on OK, before the control is placed.
        if (tag != kPlaceNothing && IsTimerBox(s.PendingCode)) {
            m.Timers[s.PendingNumber].Preset = 100 * Pick(0, 99);
            m.Timers[s.PendingNumber].OnDelayStyle = s.PendingCode == Control::ODT;
        }
        if (tag != kPlaceNothing && IsCounterBox(s.PendingCode)) {
            m.Counters[s.PendingNumber].Preset = Pick(0, 999);
            m.Counters[s.PendingNumber].InitialCount = Pick(0, 9);
        }
        PlacePendingControl(d, m, s, s.TargetSlot, tag);
    }

    std::string Step() {
        const int rung = AnyRung(), column = Pick(-1, 10), row = Pick(0, 3);
        switch (Pick(0, 12)) {
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
                Before(rung, 1);
                DeleteControl(d, m, rung, column, row);
                return "delete control";
            case 4:
            case 5: {
                if (!BranchStartAccepted(d, rung, column)) return "no branch start";
                const std::optional<BranchSpan> span = BranchFor(d, rung, column, Pick(-1, 9));
                if (!span) return "no branch";
                Before(rung, 1);
                const RungBackup backup = BackupRung(d.Rungs[rung]);
                DrawBranch(d.Rungs[rung], span->start, span->end, span->row);
                if (Chance(20)) RestoreRung(d.Rungs[rung], backup);
                return "add branch";
            }
            case 6:
            case 7: {
                if (!BranchClickAccepted(d, rung, column, row)) return "no branch there";
                RungRecord& r = d.Rungs[rung];
                Before(rung, 1);
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
                    Before(d.RungCount(), 0);
                    AddRung(d);
                    return "add rung";
                }
                Before(rung, 0);
                InsertRung(d, rung);
                return "insert rung";
            case 10:
                Before(rung, 1);
                if (rung < d.RungCount())
                    d.Rungs[rung].setComment(Chance(30) ? "" : std::string(Pick(1, 250), 'c'));
                return "rung comment";
            case 11:
                Before(0, 0);
                comments.InputComments[Pick(0, 15)] = Chance(30) ? "" : "in";
                *IOCommentSlot(comments, 3, Pick(1, 8)) = std::string(Pick(0, 5), 't');
                return "I/O comment";
            case 12: {
                if (d.RungCount() >= 6) break;
                const int first = Pick(0, d.RungCount() - 1);
                const RungsReadResult copied =
                    ReadRungsText(RungsText(plc, first, Pick(1, 3)), false);
                EXPECT_TRUE(copied.ok) << copied.error;
                const int at = AnyRung();
                Before(at, 0);
                PasteRungs(plc, copied.rungs, at);
                return "paste";
            }
            default:
                break;
        }
        Before(rung, 1);
        DeleteRung(d, rung);
        return "delete rung";
    }

    void Start(unsigned seed) {
        plc.ClearDiagram();
        comments.clear();
        for (TimerRecord& t : m.Timers) t.Used = false;
        for (CounterRecord& c : m.Counters) c.Used = false;
        rng.seed(seed);
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
        Start(seed);
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

// Every edit recorded as a change: undoing them one by one passes back through the saved
// bytes of every step, to the first; redoing them all comes to the last.
TEST_F(EditSequence, UndoAndRedoRetraceEveryStepToTheByte) {
    for (unsigned seed = 1; seed <= 12; ++seed) {
        Start(seed);
        std::vector<std::string> bytes = {Bytes()};
        std::vector<DiagramChange> changes;
        std::vector<std::string> steps;
        for (int step = 0; step < 400; ++step) {
            before.reset();
            const std::string what = Step();
            if (step % 50 == 49) {  // a run between edits changes nothing that is saved
                plc.StartRun();
                Scan(2);
                plc.EndRun();
            }
            const std::string now = Bytes();
            if (!before) {
                ASSERT_EQ(now, bytes.back()) << "seed " << seed << " step " << step << ": " << what
                                             << " changed the diagram unrecorded";
                continue;
            }
            DiagramChange change(*before, plc, comments);
            if (change.empty()) {
                ASSERT_EQ(now, bytes.back()) << "seed " << seed << " step " << step << ": " << what;
                continue;
            }
            changes.push_back(std::move(change));
            steps.push_back(what);
            bytes.push_back(now);
        }
        ASSERT_GT(changes.size(), 100u);
        for (size_t i = changes.size(); i-- > 0;) {
            ASSERT_TRUE(changes[i].Undo(plc, comments)) << "seed " << seed << ": " << steps[i];
            ASSERT_EQ(Bytes(), bytes[i]) << "seed " << seed << " undoing " << i << ": " << steps[i];
            ASSERT_EQ(Broken(), "") << "seed " << seed << " undoing " << steps[i];
        }
        for (size_t i = 0; i < changes.size(); ++i)
            ASSERT_TRUE(changes[i].Redo(plc, comments)) << "seed " << seed << ": " << steps[i];
        EXPECT_EQ(Bytes(), bytes.back()) << "seed " << seed;
    }
}

}  // namespace
}  // namespace torvex
