#include "tests/dialogs/editor_side.h"

#include <QCoreApplication>
#include <QKeyEvent>

#include "tests/support/ladder_text.h"
#include "ui/language.h"

namespace torvex::test {

Cell Token(const std::string& token) {
    const RungRecord rung = MakeRung({". " + token});
    return {rung.Code(1, 0), rung.Kind(1, 0), rung.Index(1, 0)};
}

FinnishTexts::FinnishTexts() {
    EXPECT_TRUE(translation_.install());
}
FinnishTexts::~FinnishTexts() = default;

EditorSide::EditorSide() : context{editor, plc->memory, prompter, false} {
    plc->diagram.NewRung(0);
}

void EditorSide::PrepareNew(int tool, int column) {
    static constexpr int32_t kCodeOfTool[] = {0, 1, 2, 3, 4, 5, 6, 7, 9, 11};
    editor.PaletteTool = tool;
    editor.TargetSlot = 0;
    editor.TargetColumn = column;
    editor.TargetRow = 0;
    editor.PendingCode = kCodeOfTool[tool];
    editor.PendingKind = 0;
    editor.PendingNumber = 0;
    if (tool >= 3) {
        const RungRecord& rung = plc->diagram.Rungs[0];
        editor.TargetColumn = kControlColumns - 1;
        int row = 0;
        auto occupied = [&](int r) {
            const int32_t code = rung.Code(kOutputColumn, r);
            return code != Control::NON && code != Control::LNK;
        };
        while (row < kRows && occupied(row)) ++row;
        editor.TargetRow = row;
    }
    editor.PlacingNew = tool == 7 || tool == 8;
    editor.EditorMode = emBusy;
}

void EditorSide::PrepareEdit(int column, int row) {
    const RungRecord& rung = plc->diagram.Rungs[0];
    if (IsBoxBottom(rung.Code(column, row))) --row;
    editor.TargetSlot = 0;
    editor.TargetColumn = column / 2;
    editor.TargetRow = row;
    editor.PendingCode = rung.Code(column, row);
    editor.PendingKind = rung.Kind(column, row);
    editor.PendingNumber = rung.Index(column, row);
    editor.PlacingNew = false;
    editor.EditorMode = emBusy;
}

Cell EditorSide::CellAt(int column, int row) const {
    const RungRecord& rung = plc->diagram.Rungs[0];
    return {rung.Code(column, row), rung.Kind(column, row), rung.Index(column, row)};
}

bool EditorSide::Gone() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return opened.isNull();
}

void EditorSide::Answered(const ControlAnswer& answer) {
    const int tag = answer.tag;
    tags.push_back(tag);
    dialogOpenAtPlacement = editor.ControlDialogOpen;
    placingNewAtPlacement = editor.PlacingNew;
    if (tag != kPlaceNothing) {
        editor.PendingCode = answer.code;
        editor.PendingKind = answer.kind;
        editor.PendingNumber = answer.index;
        RungRecord& rung = plc->diagram.Rungs[0];
        const int column = 2 * editor.TargetColumn + 1;
        const int32_t code = editor.PendingCode;
        rung.setCell(column, editor.TargetRow, code, editor.PendingKind, editor.PendingNumber);
        if (IsBoxTop(code) && editor.TargetRow < kRows - 1) {
            const int32_t bottom = IsTimerBox(code)     ? Control::TBT
                                   : IsCounterBox(code) ? Control::CBT
                                                        : Control::BBT;
            rung.setCell(column, editor.TargetRow + 1, bottom, editor.PendingKind,
                         editor.PendingNumber);
        }
        if (IsTimerBox(code)) plc->memory.Timers[editor.PendingNumber].Used = true;
        if (IsCounterBox(code)) plc->memory.Counters[editor.PendingNumber].Used = true;
    }
    editor.EditorMode = emIdle;
}

void Click(QAbstractButton* button) {
    ASSERT_TRUE(button->isVisible());
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2));
}

void ChooseItem(QComboBox* list, int item) {
    QTest::keyClick(list, Qt::Key_Home);
    for (int i = 0; i < item; ++i) QTest::keyClick(list, Qt::Key_Down);
}

void Type(QLineEdit* edit, const QString& text) {
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(edit, Qt::Key_Delete);
    QTest::keyClicks(edit, text);
}

}  // namespace torvex::test

namespace torvex::test {

void TypeText(QWidget* widget, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QCoreApplication::sendEvent(widget, &press);
        QCoreApplication::sendEvent(widget, &release);
    }
}

}  // namespace torvex::test
