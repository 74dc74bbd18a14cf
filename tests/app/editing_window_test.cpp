// Editing with the mouse, through the main window and the rung view: the paths a user takes
// from the palette, the popup and the edit bar to the cells of the diagram.

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include "dialogs/function_dialog.h"
#include "dialogs/input_dialog.h"
#include "dialogs/output_dialog.h"
#include "dialogs/timer_dialog.h"
#include "editor/comment_memo.h"
#include "editor/rung_editor.h"
#include "editor/rung_image.h"
#include "editor/rung_view.h"
#include "engine/plc.h"
#include "engine/run_control.h"
#include "tests/app/main_window_fixture.h"
#include "tests/support/ladder_text.h"
#include "ui/artwork.h"
#include "ui/language.h"

namespace torvex::test {
namespace {

constexpr TfrmRungs::Marks kAllMarks =
    TfrmRungs::Mark::ShowMark | TfrmRungs::Mark::UseTool | TfrmRungs::Mark::AllowWire;

class EditingWindow : public MainWindowTest {
protected:
    void SetUp() override {
        Create();
        main->setPaletteDrags(false);
    }
    Diagram& D() { return main->plc().diagram; }
    TfrmRungs& view() { return *main->rungView(); }
    void Tool(int tool) { QTest::mousePress(Palette(tool), Qt::LeftButton); }
    void Click(int slot, int column, int row) { main->rungEditor()->RungAClick(slot, column, row); }
    template <class T>
    T* Open() {
        for (T* t : main->findChildren<T*>())
            if (t->isVisible()) return t;
        return nullptr;
    }
    // Lets the placement timer write the cell after a dialog closed.
    void Placed() {
        ASSERT_TRUE(QTest::qWaitFor([&] { return !view().placementPending(); }, 3000));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    void Choose(QDialog* dialog, const char* radio) {
        auto* r = dialog->findChild<QRadioButton*>(QString::fromLatin1(radio));
        ASSERT_NE(r, nullptr) << radio;
        QTest::mouseClick(r, Qt::LeftButton);
    }
    // A click on the dialog's button `name`.
    void Press(QDialog* dialog, const char* name) {
        auto* button = dialog->findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(button, nullptr) << name;
        QTest::mouseClick(button, Qt::LeftButton);
    }
    std::vector<std::string> Rows(int rung) { return RungRows(D().Rungs[rung]); }
};

TEST_F(EditingWindow, AToolPlacesAContactWithEveryClick) {
    Tool(kToolNOC);
    Click(0, 2, 0);
    TfrmInput* input = Open<TfrmInput>();
    ASSERT_NE(input, nullptr);
    EXPECT_TRUE(ws().editor.ControlDialogOpen);
    EXPECT_EQ(ws().editor.EditorMode, emBusy);
    Choose(input, "chkIP3");
    Press(input, "Button1");
    Placed();
    EXPECT_EQ(D().Rungs[0].Code(5, 0), Control::NOC);
    EXPECT_EQ(D().Rungs[0].Kind(5, 0), ContactKind::Input);
    EXPECT_EQ(D().Rungs[0].Index(5, 0), 3);
    EXPECT_TRUE(ws().shell.DiagramChanged);
    EXPECT_EQ(ws().editor.EditorMode, emIdle);
    // The tool stays selected: one more click, one more contact; Cancel places nothing.
    Click(0, 4, 0);
    input = Open<TfrmInput>();
    ASSERT_NE(input, nullptr);
    Press(input, "Button2");
    Placed();
    EXPECT_EQ(D().Rungs[0].Code(9, 0), Control::LNK);
    EXPECT_FALSE(ws().editor.ControlDialogOpen);
    // The output column takes no contact, and an empty cell none either.
    Click(0, 9, 0);
    Click(0, 3, 2);
    EXPECT_EQ(Open<TfrmInput>(), nullptr);
}

TEST_F(EditingWindow, AFullOutputColumnRefusesAnotherOutputOrABox) {
    SetRung(D(), 0, {Simple({"NOC:IP0"}, "OUT:OP0")});
    Tool(kToolTIM);
    Click(0, 3, 0);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("No more outputs can be placed on this rung"));
    EXPECT_EQ(prompter.shown.back().icon, Prompter::Icon::Warning);
    EXPECT_EQ(Open<TfrmTimer>(), nullptr);
    // Three more outputs fit; a fifth does not.
    Tool(kToolOP);
    for (int n = 1; n <= 3; ++n) {
        prompter.shown.clear();
        Click(0, 2, 0);
        TfrmOutput* output = Open<TfrmOutput>();
        ASSERT_NE(output, nullptr) << n;
        Press(output, "btnOK");
        Placed();
    }
    for (int w = 0; w < 4; ++w) EXPECT_EQ(D().Rungs[0].Code(19, w), Control::OUT) << w;
    EXPECT_EQ(D().Rungs[0].Code(18, 3), Link::LEF);
    Click(0, 2, 0);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("No more outputs can be placed on this rung"));
    EXPECT_EQ(Open<TfrmOutput>(), nullptr);
}

TEST_F(EditingWindow, AContactDroppedOnTheOtherKindAsksFirst) {
    SetRung(D(), 0, {Simple({"NCC:IP1"}, "OUT:OP0")});
    view().DisplayRungs(RungDraw::ClearLit, TfrmRungs::Memos::Refill);
    prompter.answers = {Prompter::Cancel};
    main->rungEditor()->RungADragDrop(0, 0, 0, kToolNOC);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("You are placing this control on top of another "
                                                  "contact.\r\nDo you wish to continue?"));
    EXPECT_EQ(prompter.shown.back().buttons, Prompter::Ok | Prompter::Cancel);
    EXPECT_EQ(prompter.shown.back().icon, Prompter::Icon::Information);
    EXPECT_EQ(Open<TfrmInput>(), nullptr);
    prompter.answers = {Prompter::Ok};
    main->rungEditor()->RungADragDrop(0, 0, 0, kToolNOC);
    TfrmInput* input = Open<TfrmInput>();
    ASSERT_NE(input, nullptr);
    Press(input, "Button1");
    Placed();
    EXPECT_EQ(D().Rungs[0].Code(1, 0), Control::NOC);
    // A click with a tool on a control edits that control rather than placing over it.
    Tool(kToolNCC);
    Click(0, 0, 1);
    Click(0, 0, 0);
    input = Open<TfrmInput>();
    ASSERT_NE(input, nullptr);
    EXPECT_EQ(ws().editor.PendingKind, ContactKind::Input);
    Press(input, "Button2");
    Placed();
    EXPECT_EQ(D().Rungs[0].Code(1, 0), Control::NOC);
}

TEST_F(EditingWindow, TheTimerToolPlacesABoxWithItsPreset) {
    Tool(kToolTIM);
    Click(0, 5, 0);
    TfrmTimer* timer = Open<TfrmTimer>();
    ASSERT_NE(timer, nullptr);
    EXPECT_TRUE(ws().editor.PlacingNew);
    Choose(timer, "chkT2");
    auto* preset = timer->findChild<QLineEdit*>(QStringLiteral("txtPreset"));
    ASSERT_NE(preset, nullptr);
    preset->clear();
    QTest::keyClicks(preset, QStringLiteral("2.5"));
    Press(timer, "btnOK");
    Placed();
    const RungRecord& r = D().Rungs[0];
    EXPECT_TRUE(r.Code(19, 0) == Control::ODT || r.Code(19, 0) == Control::TIM);
    EXPECT_EQ(r.Index(19, 0), 2);
    EXPECT_EQ(r.Code(19, 1), Control::TBT);
    EXPECT_EQ(main->plc().memory.Timers[2].Preset, 2500);
    EXPECT_TRUE(main->plc().memory.Timers[2].Used);
    EXPECT_FALSE(ws().editor.PlacingNew);
}

TEST_F(EditingWindow, ThePopupEditsAndDeletesTheControlUnderTheMouse) {
    SetRung(D(), 0,
            {"STA NOC:IP0 - - - - - - - - - - - - - - - - BRA OUT:OP0 FIN",
             ". . . . . . . . . . . . . . . . . . STA OUT:OP3 FIN",
             ". . . . . . . . . . . . . . . . . . LEF OUT:OP5 FIN"});
    view().Highlight(0, 9, 1, kAllMarks);
    EXPECT_TRUE(Action(QStringLiteral("mnuPopupEdit"))->isVisible());
    Trigger("mnuPopupEdit");
    TfrmOutput* output = Open<TfrmOutput>();
    ASSERT_NE(output, nullptr);
    EXPECT_EQ(ws().editor.PendingNumber, 3);
    Choose(output, "chkOP7");
    Press(output, "btnOK");
    Placed();
    EXPECT_EQ(D().Rungs[0].Index(19, 1), 7);

    Trigger("mnuPopupDelete");
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Are you sure you want to delete Output OP7?"));
    EXPECT_EQ(D().Rungs[0].Code(19, 2), Control::NON) << "the third output moved up";
    EXPECT_EQ(D().Rungs[0].Index(19, 1), 5);
    EXPECT_EQ(D().Rungs[0].Code(18, 1), Link::LEF);
    // Answered No, nothing changes.
    view().Highlight(0, 0, 0, kAllMarks);
    prompter.answers = {Prompter::No};
    Trigger("mnuPopupDelete");
    EXPECT_EQ(D().Rungs[0].Code(1, 0), Control::NOC);
    EXPECT_EQ(ws().editor.EditorMode, emIdle);
}

TEST_F(EditingWindow, ABranchIsDrawnOnAskingAndDeletingItAnsweredNoChangesNothing) {
    SetRung(D(), 0, {Simple({"NOC:IP0", "NOC:IP1", "NOC:IP2"}, "OUT:OP0")});
    view().DisplayRungs(RungDraw::ClearLit, TfrmRungs::Memos::Refill);
    const auto before = Rows(0);
    Button("btnAddBranch")->click();
    EXPECT_TRUE(Button("btnAddBranch")->isChecked());
    EXPECT_EQ(InfoBar(), QStringLiteral("Click on the diagram where you want the branch to begin"));
    Click(0, 2, 0);
    EXPECT_EQ(InfoBar(),
              QStringLiteral("Now click on the diagram where you want the branch to end"));
    Click(0, 0, 0);  // ends before it begins: the columns are ordered
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Is this branch correct?"));
    EXPECT_FALSE(Button("btnAddBranch")->isChecked());
    EXPECT_EQ(D().Rungs[0].Code(1, 1), Control::LNK);
    EXPECT_EQ(D().Rungs[0].Code(5, 1), Control::LNK);
    const auto withBranch = Rows(0);
    // The branch conducts around IP0 ... IP2.
    main->plc().StartRun();
    main->plc().RunStep();
    EXPECT_TRUE(main->plc().memory.Outputs[0].State);
    main->plc().EndRun();

    Tool(kToolNOC);
    Click(0, 1, 1);
    TfrmInput* input = Open<TfrmInput>();
    ASSERT_NE(input, nullptr);
    Press(input, "Button1");
    Placed();
    Tool(kToolPointer);
    const auto withContact = Rows(0);
    Button("btnDeleteBranch")->click();
    prompter.answers = {Prompter::No};
    Click(0, 1, 1);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Do you wish to delete this branch?"));
    EXPECT_EQ(Rows(0), withContact);
    Button("btnDeleteBranch")->click();
    Click(0, 1, 1);
    EXPECT_EQ(Rows(0), before);
    EXPECT_NE(withBranch, before);
}

TEST_F(EditingWindow, RungsAreAddedInsertedAndDeletedWithTheirComments) {
    Button("btnAddRung")->click();
    EXPECT_EQ(D().RungCount(), 2);
    EXPECT_FALSE(Button("btnAddRung")->isChecked());
    D().Rungs[0].setComment("first");
    D().Rungs[1].setComment("second");
    Button("btnInsertRung")->click();
    EXPECT_EQ(ws().editor.EditorMode, emInsertRung);
    Click(0, 3, 0);
    EXPECT_EQ(D().RungCount(), 3);
    EXPECT_EQ(D().Rungs[0].Comment(), "");
    EXPECT_EQ(D().Rungs[1].Comment(), "first");
    EXPECT_FALSE(Button("btnInsertRung")->isChecked());
    Button("btnDeleteRung")->click();
    Click(1, 3, 0);
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Are you sure you want to delete rung 1?"));
    EXPECT_EQ(D().RungCount(), 2);
    EXPECT_EQ(D().Rungs[1].Comment(), "second");
    // The only rung: deleted at once after the question, one empty rung stays.
    Button("btnDeleteRung")->click();
    Click(0, 0, 0);
    Button("btnDeleteRung")->click();
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Are you sure you want to delete rung 0?"));
    EXPECT_EQ(D().RungCount(), 1);
    EXPECT_EQ(D().Rungs[0].Code(1, 0), Control::LNK);
    EXPECT_EQ(D().Rungs[0].Comment(), "");
}

TEST_F(EditingWindow, AFullRungTableRefusesMoreRungs) {
    D().setRungCount(0);
    for (int r = 0; r < kMaxRungs; ++r) D().NewRung(r);
    Button("btnAddRung")->click();
    EXPECT_EQ(prompter.lastText(), QStringLiteral("The diagram cannot hold more than 1001 rungs."));
    Button("btnInsertRung")->click();
    EXPECT_EQ(D().RungCount(), kMaxRungs);
    EXPECT_FALSE(Button("btnInsertRung")->isChecked());
    EXPECT_EQ(ws().editor.EditorMode, emIdle);
}

TEST_F(EditingWindow, AnArmedCommandLapses) {
    Button("btnAddBranch")->click();
    QTimer* trip = main->rungEditor()->findChild<QTimer*>(QStringLiteral("tmrTrip"));
    ASSERT_TRUE(trip && trip->isActive());
    EXPECT_EQ(trip->interval(), 15000);
    const int remaining = trip->remainingTime();
    Button("btnDeleteRung")->click();  // a further command does not restart the timer
    EXPECT_LE(trip->remainingTime(), remaining);
    trip->start(1);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !trip->isActive(); }, 2000));
    EXPECT_FALSE(Button("btnDeleteRung")->isChecked());
    EXPECT_FALSE(Button("btnAddBranch")->isChecked());
    EXPECT_TRUE(InfoBar().isEmpty());
    EXPECT_EQ(ws().editor.EditorMode, emIdle);
}

// The history's clean state is the file's: undoing back to the saved diagram takes the
// change mark away; New and Open start a history of their own.
TEST_F(EditingWindow, UndoingBackToTheSavedDiagramClearsTheChangeMark) {
    QAction* undo = Action(QStringLiteral("mnuEditUndo"));
    QAction* redo = Action(QStringLiteral("mnuEditRedo"));
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(Button("btnUndo")->isEnabled());
    Button("btnAddRung")->click();
    EXPECT_TRUE(undo->isEnabled());
    EXPECT_EQ(undo->text(), QStringLiteral("&Undo Add Rung"));
    EXPECT_EQ(Button("btnUndo")->toolTip(), QStringLiteral("Undo Add Rung (Ctrl+Z)"));
    EXPECT_EQ(view().windowTitle(), QStringLiteral("Rung Viewer *"));
    prompter.files = {File(QStringLiteral("saved.llg"))};
    Trigger("mnuFileSaveDiagram");
    EXPECT_EQ(view().windowTitle(), QStringLiteral("Rung Viewer - saved.llg"));
    const QString saved = Read(QStringLiteral("saved.llg"));

    Button("btnAddRung")->click();
    EXPECT_EQ(view().windowTitle(), QStringLiteral("Rung Viewer - saved.llg *"));
    Button("btnUndo")->click();
    EXPECT_FALSE(ws().shell.DiagramChanged);
    EXPECT_EQ(view().windowTitle(), QStringLiteral("Rung Viewer - saved.llg"));
    EXPECT_TRUE(redo->isEnabled());
    Button("btnUndo")->click();  // past the saved state
    EXPECT_TRUE(ws().shell.DiagramChanged);
    EXPECT_EQ(D().RungCount(), 1);
    EXPECT_FALSE(undo->isEnabled());
    Button("btnRedo")->click();
    EXPECT_FALSE(ws().shell.DiagramChanged);
    EXPECT_EQ(view().windowTitle(), QStringLiteral("Rung Viewer - saved.llg"));
    main->OpenFile(File(QStringLiteral("saved.llg")));  // the same diagram, loaded
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(redo->isEnabled());
    Button("btnAddRung")->click();
    prompter.answers = {Prompter::No};
    Trigger("mnuFileNewDiagram");
    EXPECT_FALSE(undo->isEnabled());
    EXPECT_FALSE(ws().shell.DiagramChanged);
    EXPECT_EQ(Read(QStringLiteral("saved.llg")), saved);
}

// The I/O comment dialog's Store is one step; a dialog still open when another diagram is
// loaded records nothing.
TEST_F(EditingWindow, AStoredIOCommentIsOneStep) {
    SetRung(D(), 0, {Simple({"NOC:IP3"}, "OUT:OP0")});
    auto openComment = [&] {
        view().DisplayRungs(RungDraw::ClearLit);
        view().Highlight(0, 0, 0, kAllMarks);
        Trigger("mnuPopupControlComments");
        return Open<TfrmFunction>();
    };
    TfrmFunction* dialog = openComment();
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QPlainTextEdit*>(QStringLiteral("TheText"))->setPlainText("Start");
    Press(dialog, "btnStore");
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(ws().comments.InputComments[3], "Start");
    EXPECT_EQ(main->rungEditor()->undoStack().undoText(), QStringLiteral("I/O Comment"));
    EXPECT_TRUE(ws().shell.DiagramChanged);
    Trigger("mnuEditUndo");
    EXPECT_EQ(ws().comments.InputComments[3], "");
    EXPECT_FALSE(ws().shell.DiagramChanged);

    Trigger("mnuEditRedo");
    ASSERT_NE(openComment(), nullptr);
    main->OpenFile(QStringLiteral(TORVEX_TEST_DATA "/complete_example.llg"));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Open<TfrmFunction>(), nullptr);
    EXPECT_EQ(main->rungEditor()->undoStack().count(), 0);
    EXPECT_FALSE(ws().shell.DiagramChanged);
    EXPECT_EQ(view().windowTitle(), QStringLiteral("Rung Viewer - complete_example.llg"));
}

// Ctrl+C and Ctrl+V copy text inside a comment memo, and rungs once a rung is clicked.
TEST_F(EditingWindow, TheKeysCopyAndPasteTheRungClickedOn) {
    main->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(main.get()));
    Trigger("actComments");
    auto* memo = Part<CommentMemo>(QStringLiteral("MemoA"));
    auto* image = Part<RungImage>(QStringLiteral("RungA"));
    D().Rungs[0].setComment("Motor");
    view().SetMemos();
    // Clicks as the window system delivers them, which move the focus.
    auto click = [&](QWidget* w, QPoint at) {
        QTest::mouseClick(main->windowHandle(), Qt::LeftButton, {}, w->mapTo(main.get(), at));
    };
    click(memo, QPoint(20, 20));
    ASSERT_TRUE(memo->hasFocus());
    QTest::keyClick(main->windowHandle(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(main->windowHandle(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasFormat(RungsMimeType()));
    EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("Motor"));
    click(image, QPoint(200, 90));
    ASSERT_TRUE(image->hasFocus());
    QTest::keyClick(main->windowHandle(), Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(QGuiApplication::clipboard()->mimeData()->hasFormat(RungsMimeType()));
    QTest::keyClick(main->windowHandle(), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(D().RungCount(), 2);
    EXPECT_EQ(D().Rungs[0].Comment(), "Motor");
    QTest::keyClick(main->windowHandle(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(D().RungCount(), 1);
    QTest::keyClick(main->windowHandle(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(D().RungCount(), 2);
}

TEST_F(EditingWindow, AMemoStoresItsTextWhenItLosesTheFocus) {
    Trigger("actComments");
    ASSERT_TRUE(view().CommentsShown());
    auto* memo = Part<CommentMemo>(QStringLiteral("MemoA"));
    EXPECT_TRUE(memo->isVisible());
    QTest::keyClicks(memo, QString(250, QLatin1Char('x')));
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_TRUE(ws().shell.DiagramChanged);
    EXPECT_TRUE(Part<QTimer>(QStringLiteral("tmrTheComments"))->isActive());
    QFocusEvent out(QEvent::FocusOut);
    QCoreApplication::sendEvent(memo, &out);
    EXPECT_EQ(D().Rungs[0].Comment(), std::string(210, 'x'));
    EXPECT_FALSE(memo->toPlainText().contains(QLatin1Char('\n')));
}

TEST_F(EditingWindow, ARunIgnoresTheRungView) {
    main->run().btnSingleStepClick();
    Tool(kToolNOC);
    EXPECT_EQ(ws().editor.PaletteTool, kToolPointer) << "the palette is locked";
    Click(0, 2, 0);
    Trigger("mnuPopupDelete");
    EXPECT_EQ(Open<TfrmInput>(), nullptr);
    EXPECT_TRUE(prompter.shown.empty());
    main->run().btnStopClick();
}

class FinnishEditing : public EditingWindow {
protected:
    void SetUp() override {
        ASSERT_TRUE(finnishTexts.install());
        finnish = true;
        EditingWindow::SetUp();
    }
    void TearDown() override {
        EditingWindow::TearDown();
        finnishTexts.remove();
    }
    FinnishTranslation finnishTexts;
};

TEST_F(FinnishEditing, PromptsAndQuestionsAreFinnish) {
    Button("btnAddBranch")->click();
    EXPECT_EQ(InfoBar(), QStringLiteral("Klikkaa kohtaa, mistä haluat haaran alkavan."));
    main->rungEditor()->disarm();
    Trigger("mnuEditEditControl");
    EXPECT_EQ(InfoBar(), QStringLiteral("Klikkaa ohjaussymbolia, jota haluat muokata."));
    SetRung(D(), 0, {Simple({"NOC:IP0"}, "CDN:C4"), ". . . . . . . . . . . . . . . . . . . CBT"});
    D().Rungs[0].setCell(19, 1, Control::CBT, 0, 4);
    Trigger("mnuEditDeleteControl");
    prompter.answers = {Prompter::No};
    Click(0, 9, 1);  // the box bottom stands for its box
    EXPECT_EQ(prompter.lastText(), QStringLiteral("Haluatko varmisti poistaa Alaslaskuri 4?"));
    EXPECT_EQ(view().windowTitle(), QStringLiteral("Puolanäyttö"));
    Trigger("mnuEditDeleteControl");
    Click(0, 9, 0);
    EXPECT_EQ(Action(QStringLiteral("mnuEditUndo"))->text(),
              QStringLiteral("Kumoa: Poista Laskuri C4"));
    Trigger("mnuEditUndo");
    EXPECT_EQ(Action(QStringLiteral("mnuEditRedo"))->text(),
              QStringLiteral("Tee uudelleen: Poista Laskuri C4"));
    Trigger("mnuEditCutRung");  // no rung selected yet
    EXPECT_EQ(InfoBar(), QStringLiteral("Valitse ensin puola klikkaamalla sitä."));
}

}  // namespace
}  // namespace torvex::test
