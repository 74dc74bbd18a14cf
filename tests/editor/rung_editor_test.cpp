// The rung editor without a main window: a rung view, the shared data and the edit
// commands, with the control dialogs answered by the test.

#include <gtest/gtest.h>

#include <QAction>
#include <QMdiArea>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "editor/rung_editor.h"
#include "editor/rung_image.h"
#include "editor/rung_view.h"
#include "files/settings_store.h"
#include "tests/editor/rung_view_fixture.h"
#include "tests/support/ladder_text.h"
#include "tests/support/scripted_prompter.h"
#include "ui/artwork.h"
#include "ui/workspace.h"

namespace torvex::test {
namespace {

class RungEditorTest : public RungViewTest {
protected:
    QObject owner;
    std::unique_ptr<RungEditor> editor;
    std::vector<DialogKind> dialogs;  // asked for, in order

    void SetUp() override {
        RungViewTest::SetUp();
        editor = std::make_unique<RungEditor>(ws, *view, RungEditor::MakeActions(&owner),
                                              [] { return false; });
        // A dialog opens: it holds the editor off until it answers.
        QObject::connect(editor.get(), &RungEditor::controlDialogWanted, [this](DialogKind k) {
            dialogs.push_back(k);
            ws.editor.ControlDialogOpen = true;
        });
    }
    void Answer(int32_t code, int32_t kind, int32_t index, int tag) {
        ws.editor.ControlDialogOpen = false;
        editor->controlAnswered(code, kind, index, tag);
        ASSERT_TRUE(QTest::qWaitFor([&] { return !view->placementPending(); }, 3000));
    }
    void Tool(int tool) { ws.editor.PaletteTool = tool; }
    QImage Picture(int slot) {
        return view->findChild<RungImage*>(QStringLiteral("Rung") + QChar(u'A' + slot))->image();
    }
    void Show(const std::vector<std::string>& rows) {
        SetRung(plc->diagram, 0, rows);
        view->DisplayRungs(RungDraw::ClearLit, TfrmRungs::Memos::Refill);
    }
};

TEST_F(RungEditorTest, APlacedContactIsWrittenDrawnAndMarksTheDiagramChanged) {
    Show({Simple({}, "OUT:OP0")});
    Tool(kToolNOC);
    editor->RungAClick(0, 2, 0);
    ASSERT_EQ(dialogs, std::vector<DialogKind>{DialogKind::Input});
    Answer(Control::NOC, ContactKind::Input, 7, kPlaceContact);
    EXPECT_EQ(plc->diagram.Rungs[0].Code(5, 0), Control::NOC);
    EXPECT_EQ(plc->diagram.Rungs[0].Index(5, 0), 7);
    EXPECT_TRUE(ws.shell.DiagramChanged);
    EXPECT_EQ(ws.editor.EditorMode, emIdle);
}

// The hover highlight (a red wire or control) goes once a gesture ends without an edit, and
// a refused gesture changes nothing: the rung is drawn as it stands.
TEST_F(RungEditorTest, ACancelledOrRefusedEditLeavesTheRungDrawnAsItIs) {
    const std::string fullOutputs[] = {
        "STA NOC:IP0 - - - - - - - - - - - - - - - - BRA OUT:OP0 FIN",
        ". . . . . . . . . . . . . . . . . . STA OUT:OP1 FIN",
        ". . . . . . . . . . . . . . . . . . STA OUT:OP2 FIN",
        ". . . . . . . . . . . . . . . . . . LEF OUT:OP3 FIN"};
    const struct {
        const char* gesture;
        std::vector<std::string> rung;
        std::function<void()> act;
    } cases[] = {
        {"a placement cancelled in its dialog",
         {Simple({}, "OUT:OP0")},
         [&] {
             Tool(kToolNOC);
             editor->RungAClick(0, 2, 0);
             Answer(0, 0, 0, kPlaceNothing);
         }},
        {"an output on a full column",
         {std::begin(fullOutputs), std::end(fullOutputs)},
         [&] {
             Tool(kToolOP);
             editor->RungAClick(0, 3, 0);
         }},
        {"a drop on the other contact, not confirmed",
         {Simple({"NCC:IP1"}, "OUT:OP0")},
         [&] {
             prompter.answers = {Prompter::Cancel};
             editor->RungADragDrop(0, 0, 0, kToolNOC);
         }},
        {"an edit of a control cancelled",
         {Simple({"NOC:IP1"}, "OUT:OP0")},
         [&] {
             Tool(kToolPointer);
             editor->RungAClick(0, 0, 0);
             Answer(0, 0, 0, kPlaceNothing);
         }},
        {"a deletion answered No",
         {Simple({"NOC:IP1"}, "OUT:OP0")},
         [&] {
             editor->actions().deleteControl->trigger();
             prompter.answers = {Prompter::No};
             editor->RungAClick(0, 0, 0);
         }},
        {"a branch start refused",
         {Simple({}, "OUT:OP0")},
         [&] {
             editor->actions().addBranch->trigger();
             editor->RungAClick(0, 9, 0);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.gesture);
        Show(c.rung);
        const auto cells = RungRows(plc->diagram.Rungs[0]);
        const QImage before = Picture(0).copy();
        prompter.shown.clear();
        c.act();
        EXPECT_EQ(RungRows(plc->diagram.Rungs[0]), cells);
        EXPECT_TRUE(Picture(0) == before) << "a highlight stayed on the rung";
        EXPECT_EQ(ws.editor.EditorMode, emIdle);
        ws.editor.ControlDialogOpen = false;
    }
}

}  // namespace
}  // namespace torvex::test
