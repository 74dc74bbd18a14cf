// The rung editor without a main window: a rung view, the shared data and the edit
// commands, with the control dialogs answered by the test.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "editor/comment_memo.h"
#include "editor/rung_editor.h"
#include "editor/rung_image.h"
#include "editor/rung_view.h"
#include "engine/branches.h"
#include "files/ladder_writer.h"
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

// A diagram with something for every command to work on: a contact and an output, a timer
// box with its preset, a branch, and a rung comment.
class HistoryTest : public RungEditorTest {
protected:
    void SetUp() override {
        RungEditorTest::SetUp();
        Fresh();
    }
    void Fresh() {
        Diagram& d = plc->diagram;
        plc->ClearDiagram();
        ws.comments.clear();
        SetRung(d, 0, {Simple({"NOC:IP1"}, "OUT:OP0")});
        SetRung(d, 1,
                {"STA NOC:IP2 - - - - - - - - - - - - - - - - BRA ODT:T2 FIN",
                 ". . . . . . . . . . . . . . . . . . LEF TBT:0,2 FIN"});
        SetRung(d, 2, {Simple({"NOC:IP3", "NCC:IP4"}, "OUT:OP1")});
        DrawBranch(d.Rungs[2], 0, 1, 1);
        d.NewRung(3);
        d.Rungs[1].setComment("Pump delay");
        plc->memory.Timers[2].Used = true;
        plc->memory.Timers[2].Preset = 2500;
        plc->memory.Timers[2].OnDelayStyle = true;
        view->DisplayComments(false);
        view->setTopRung(0);
        view->setSelectedRung(-1);
        view->VisibilityCheck();
        view->DisplayRungs(RungDraw::ClearLit, TfrmRungs::Memos::Refill);
        editor->clearHistory();
    }
    std::string Bytes() const { return LadderText(*plc, ws.comments, DiagramSettings()); }
    QUndoStack& History() { return editor->undoStack(); }
    void Trigger(QAction* a) { a->trigger(); }
};

// Each kind of edit is one step, named in the menu; taken back, the diagram saves as it did
// before, with its history clean again; done again, as it did after.
TEST_F(HistoryTest, EveryKindOfEditIsUndoneAndRedoneToTheByte) {
    const RungEditor::Actions& a = editor->actions();
    const struct {
        const char* name;
        std::function<void()> edit;
    } cases[] = {
        {"Place Normally Open Contact IP3",
         [&] {
             Tool(kToolNOC);
             editor->RungAClick(0, 2, 0);
             Answer(Control::NOC, ContactKind::Input, 3, kPlaceContact);
         }},
        {"Place Timer T3",
         [&] {
             Tool(kToolTIM);
             editor->RungAClick(0, 4, 0);  // refused: rung 0 has an output
             editor->RungAClick(3, 4, 0);
             plc->memory.Timers[3].Preset = 4000;  // as the timer dialog stores it
             Answer(Control::TIM, 0, 3, kPlaceOutputSide);
         }},
        {"Edit Timer T2",
         [&] {
             Tool(kToolPointer);
             editor->RungAClick(1, 9, 1);  // on the box's bottom
             plc->memory.Timers[2].Preset = 9000;
             plc->memory.Timers[2].OnDelayStyle = false;
             Answer(Control::TIM, 0, 2, kPlaceOutputSide);
         }},
        {"Delete Timer T2",
         [&] {
             Trigger(a.deleteControl);
             editor->RungAClick(1, 9, 0);
         }},
        {"Add Branch",
         [&] {
             Trigger(a.addBranch);
             editor->RungAClick(0, 1, 0);
             editor->RungAClick(0, 4, 0);
         }},
        {"Delete Branch",
         [&] {
             Trigger(a.deleteBranch);
             editor->RungAClick(2, 1, 1);
         }},
        {"Add Rung", [&] { Trigger(a.addRung); }},
        {"Insert Rung",
         [&] {
             Trigger(a.insertRung);
             editor->RungAClick(1, 3, 0);
         }},
        {"Delete Rung",
         [&] {
             Trigger(a.deleteRung);
             editor->RungAClick(1, 3, 0);
         }},
        {"Rung Comment",
         [&] {
             view->DisplayComments(true);
             auto* memo = view->findChild<CommentMemo*>(QStringLiteral("MemoC"));
             QTest::keyClicks(memo, QStringLiteral("Both pumps"));
             view->storePendingComment();
         }},
        {"I/O Comment",
         [&] {
             const EditSnapshot before = editor->snapshot();
             ws.comments.InputComments[3] = "Start button";
             ws.comments.TimerComments[2] = "Delay";
             editor->ioCommentsEdited(before);
         }},
        {"Cut Rung",
         [&] {
             view->setSelectedRung(1);
             Trigger(a.cutRung);
         }},
        {"Paste Rung",
         [&] {
             view->setSelectedRung(1);
             Trigger(a.copyRung);
             view->setSelectedRung(0);
             Trigger(a.pasteRung);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fresh();
        const std::string before = Bytes();
        c.edit();
        const std::string after = Bytes();
        ASSERT_NE(after, before);
        ASSERT_EQ(History().count(), 1);
        EXPECT_EQ(History().undoText(), QString::fromLatin1(c.name));
        EXPECT_EQ(a.undo->text(), QStringLiteral("&Undo ") + QString::fromLatin1(c.name));
        EXPECT_TRUE(ws.shell.DiagramChanged);
        Trigger(a.undo);
        EXPECT_EQ(Bytes(), before);
        EXPECT_FALSE(ws.shell.DiagramChanged);
        EXPECT_EQ(a.redo->text(), QStringLiteral("R&edo ") + QString::fromLatin1(c.name));
        Trigger(a.redo);
        EXPECT_EQ(Bytes(), after);
        EXPECT_TRUE(ws.shell.DiagramChanged);
    }
}

// The history reaches back well over a hundred steps.
TEST_F(HistoryTest, AHundredAndFiftyStepsAreTakenBack) {
    const std::string before = Bytes();
    for (int i = 0; i < 150; ++i) editor->actions().addRung->trigger();
    EXPECT_EQ(plc->diagram.RungCount(), 154);
    for (int i = 0; i < 150; ++i) editor->actions().undo->trigger();
    EXPECT_EQ(Bytes(), before);
    EXPECT_FALSE(History().canUndo());
    EXPECT_FALSE(ws.shell.DiagramChanged);
}

// A comment typed in pieces, stored every few seconds, is one step until the memo is left.
TEST_F(HistoryTest, ACommentTypedInPiecesIsOneStep) {
    view->DisplayComments(true);
    auto* memo = view->findChild<CommentMemo*>(QStringLiteral("MemoA"));
    const std::string before = Bytes();
    QTest::keyClicks(memo, QStringLiteral("Start "));
    view->storePendingComment();  // as tmrTheComments does after 3 s
    QTest::keyClicks(memo, QStringLiteral("motor"));
    view->storePendingComment();
    EXPECT_EQ(History().count(), 1);
    EXPECT_EQ(plc->diagram.Rungs[0].Comment(), "Start motor");
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(memo, &out);  // left: the edit is finished
    QTest::keyClicks(memo, QStringLiteral("!"));
    view->storePendingComment();
    EXPECT_EQ(History().count(), 2);
    editor->actions().undo->trigger();
    editor->actions().undo->trigger();
    EXPECT_EQ(Bytes(), before);
    EXPECT_EQ(memo->toPlainText(), QString());
}

// Copy and paste go through the system clipboard as llg text: another editor on another
// diagram (another window of the program) takes the rung, its comment and its preset.
TEST_F(HistoryTest, ACopiedRungPastesIntoAnotherDiagram) {
    view->setSelectedRung(1);
    editor->actions().copyRung->trigger();
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(data->hasFormat(RungsMimeType()));
    EXPECT_TRUE(data->text().startsWith(QStringLiteral("----------- Rung 0 Controls")));

    auto otherPlc = std::make_unique<Plc>();
    Workspace other{*otherPlc, prompter, settings};
    auto* otherView = new TfrmRungs(other, 900);
    area.addSubWindow(otherView);
    otherView->show();
    QObject otherOwner;
    RungEditor otherEditor(other, *otherView, RungEditor::MakeActions(&otherOwner),
                           [] { return false; });
    otherEditor.actions().pasteRung->trigger();  // nothing selected: after the last rung
    ASSERT_EQ(otherPlc->diagram.RungCount(), 2);
    EXPECT_EQ(RungRows(otherPlc->diagram.Rungs[1]), RungRows(plc->diagram.Rungs[1]));
    EXPECT_EQ(otherPlc->diagram.Rungs[1].Comment(), "Pump delay");
    EXPECT_TRUE(otherPlc->memory.Timers[2].Used);
    EXPECT_EQ(otherPlc->memory.Timers[2].Preset, 2500);
    EXPECT_EQ(otherEditor.undoStack().undoText(), QStringLiteral("Paste Rung"));
    delete otherView;
}

// What is not rungs of ours is refused with a message and changes nothing.
TEST_F(HistoryTest, ForeignClipboardContentIsRefused) {
    const std::string before = Bytes();
    const struct {
        const char* what;
        std::function<QMimeData*()> data;
        const char* message;
    } cases[] = {
        {"a picture",
         [] {
             auto* d = new QMimeData;
             d->setImageData(QImage(4, 4, QImage::Format_RGB32));
             return d;
         },
         "The clipboard holds no rungs of a TORVEX diagram."},
        {"a shopping list",
         [] {
             auto* d = new QMimeData;
             d->setText(QStringLiteral("milk\nbread"));
             return d;
         },
         "The clipboard holds no rungs of a TORVEX diagram."},
        {"our format, damaged",
         [] {
             auto* d = new QMimeData;
             d->setData(RungsMimeType(), "----------- Rung 0 Controls ------------\r\nNOC");
             return d;
         },
         "The rungs on the clipboard are damaged and were not pasted"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        QGuiApplication::clipboard()->setMimeData(c.data());
        prompter.shown.clear();
        editor->actions().pasteRung->trigger();
        ASSERT_EQ(prompter.shown.size(), 1u);
        EXPECT_TRUE(prompter.lastText().startsWith(QString::fromLatin1(c.message)))
            << prompter.lastText().toStdString();
        EXPECT_EQ(Bytes(), before);
        EXPECT_EQ(History().count(), 0);
    }
}

// The rung commands act on the rung under the mouse, which becomes the selected one, marked
// on its label; with the mouse elsewhere, on the rung last selected.
TEST_F(HistoryTest, TheRungUnderTheMouseIsTheOneActedOn) {
    auto image = [&](int slot) {
        return view->findChild<RungImage*>(QStringLiteral("Rung") + QChar(u'A' + slot));
    };
    auto label = [&](int slot) {
        return view->findChild<QLabel*>(QStringLiteral("Label") + QChar(u'A' + slot));
    };
    QTest::mouseClick(image(2), Qt::LeftButton, {}, QPoint(200, 90));
    EXPECT_EQ(view->SelectedRung(), 2);
    EXPECT_TRUE(label(2)->autoFillBackground());
    EXPECT_FALSE(label(1)->autoFillBackground());
    const std::vector<std::string> cut = RungRows(plc->diagram.Rungs[2]);
    editor->actions().cutRung->trigger();
    EXPECT_EQ(plc->diagram.RungCount(), 3);
    EXPECT_EQ(History().undoText(), QStringLiteral("Cut Rung"));
    EXPECT_EQ(view->SelectedRung(), 2) << "the rung after the cut one";

    QTest::mouseMove(image(0), QPoint(200, 30));
    ASSERT_TRUE(QTest::qWaitFor([&] { return image(0)->underMouse(); }, 2000));
    editor->actions().pasteRung->trigger();  // above rung 0, under the mouse
    EXPECT_EQ(RungRows(plc->diagram.Rungs[0]), cut);
    EXPECT_EQ(view->SelectedRung(), 1) << "the selection stays on the rung pasted above";
    EXPECT_TRUE(label(1)->autoFillBackground());
}

}  // namespace
}  // namespace torvex::test
