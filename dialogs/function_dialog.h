// The I/O comment dialog: the comment of the input, output, flag, timer, counter or shift
// register that a control refers to.
#pragma once

#include <QDialog>

#include "dialogs/dialog_frame.h"
#include "files/io_comments.h"

class QPlainTextEdit;
class QPushButton;

namespace torvex {

struct FunctionDialogContext {
    IOComments& comments;
    bool& functionOpen;       // FunctionOpen: set while the dialog is open
    bool& controlDialogOpen;  // ControlDialogOpen of the editor state
    bool largeFonts = false;
};

class TfrmFunction : public QDialog {
    Q_OBJECT
public:
    // The element is chosen from the control's Code, Kind and Index.
    TfrmFunction(const FunctionDialogContext& context, int32_t code, int32_t kind, int32_t index,
                 QWidget* parent = nullptr);

    // The table of IOCommentGroups() that the comment belongs to (-1 for none), and the
    // entry's number in it.
    int SelectedTable() const { return table_; }
    int SelectedNumber() const { return number_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;  // Escape closes the form as Cancel does

private:
    void btnStoreClick();
    void btnCancelClick();

    void FormCreate(int32_t code, int32_t kind, int32_t index);
    // DoInput, DoOutput, DoFlag, DoTimer, DoCounter, DoShiftRegister in one: select the
    // entry, caption it, show its comment.
    void Select(int table, int number);

    QPlainTextEdit* TheText;
    QPushButton* btnStore;
    QPushButton* btnCancel;
    FunctionDialogContext context_;
    int table_ = -1;
    int number_ = 0;
    bool closed_ = false;
};

}  // namespace torvex
