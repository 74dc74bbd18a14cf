// The editor's side of the hand-over, for the dialog tests: pending values set as the
// palette and the edit command set them, the dialog opened, and its answer received as the
// main window receives it, then the cell written at once as the rung view's tmrPlace
// writes it.
#pragma once

#include "ui/language.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "dialogs/control_dialog.h"
#include "engine/plc.h"
#include "tests/support/scripted_prompter.h"

// Readable QStrings in test failures.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace torvex::test {

using Cell = std::tuple<int32_t, int32_t, int32_t>;  // code, kind, index

// The cell that a ladder-text token such as "NOC:R2/5" or "BR3:C2/UP" stands for.
Cell Token(const std::string& token);

// The Finnish texts for the life of a test.
class FinnishTexts {
public:
    FinnishTexts();
    ~FinnishTexts();

private:
    FinnishTranslation translation_;
};

class EditorSide : public ::testing::Test {
public:
    EditorSide();

    // AddControl with palette tool 1 ... 9 on control column `column` of rung 0 (tools 3 ... 9
    // go to the output column: row 0, or the first free row for coils and resets).
    void PrepareNew(int tool, int column = 0);
    // The edit command on the control in grid cell (column, row) of rung 0.
    void PrepareEdit(int column, int row);

    // Builds and shows the dialog, as the editor opens it.
    template <class Dialog>
    Dialog* Open() {
        auto* dialog = new Dialog(context);
        QObject::connect(dialog, &ControlDialog::answered,
                         [this](const ControlAnswer& answer) { Answered(answer); });
        dialog->show();
        opened = dialog;
        return dialog;
    }

    // The cell of rung 0 in grid column `column` (a control column), row `row`.
    Cell CellAt(int column, int row) const;
    Cell Pending() const { return {editor.PendingCode, editor.PendingKind, editor.PendingNumber}; }
    // True when the dialog has closed and freed itself.
    bool Gone();

    std::unique_ptr<Plc> plc = std::make_unique<Plc>();
    EditorState editor;
    ScriptedPrompter prompter;
    std::vector<int> tags;  // the tag of each answer, in order
    bool dialogOpenAtPlacement = true;
    bool placingNewAtPlacement = true;
    ControlDialogContext context;
    QPointer<QWidget> opened;

private:
    void Answered(const ControlAnswer& answer);
};

// The widget of type W named `name` in `window`; the test fails when there is none.
template <class W = QWidget>
W* Find(const QObject* window, const QString& name) {
    W* widget = window->findChild<W*>(name);
    if (!widget) throw std::logic_error("no widget " + name.toStdString());
    return widget;
}

// A user's click on a button or radio button (at its indicator, inside every style's
// click area).
void Click(QAbstractButton* button);
// The user picks item `item` of a drop-down list with the keyboard.
void ChooseItem(QComboBox* list, int item);
// The user replaces the text of an edit box.
void Type(QLineEdit* edit, const QString& text);
// The user types `text`, which may hold characters beyond ASCII, into `widget`.
void TypeText(QWidget* widget, const QString& text);

}  // namespace torvex::test
