// The dialogs the rung editor asks for: the control dialogs, whose answer goes back to the
// editor, and the I/O comment dialog.

#include "app/main_window.h"
#include "dialogs/bit_shift_dialog.h"
#include "dialogs/counter_dialog.h"
#include "dialogs/function_dialog.h"
#include "dialogs/input_dialog.h"
#include "dialogs/output_dialog.h"
#include "dialogs/reset_dialog.h"
#include "dialogs/timer_dialog.h"
#include "editor/rung_view.h"
#include "engine/plc.h"
#include "ui/workspace.h"

namespace torvex {

void TfrmMain::openControlDialog(DialogKind kind) {
    const ControlDialogContext context{ws_->editor, plc_->memory, *prompter_,
                                       ws_->shell.LargeFonts};
    ControlDialog* dialog = nullptr;
    switch (kind) {
        case DialogKind::Input:
            dialog = new TfrmInput(context, this);
            break;
        case DialogKind::Output:
            dialog = new TfrmOutput(context, this);
            break;
        case DialogKind::Reset:
            dialog = new TfrmReset(context, this);
            break;
        case DialogKind::Timer:
            dialog = new TfrmTimer(context, this);
            break;
        case DialogKind::Counter:
            dialog = new TfrmCounter(context, this);
            break;
        case DialogKind::BitShift:
            dialog = new TfrmBitShift(context, this);
            break;
        case DialogKind::None:
            return;
    }
    // The answer goes back to the editor, which places it when tmrPlace fires.
    connect(dialog, &ControlDialog::answered, this, [this](const ControlAnswer& answer) {
        if (editor_) editor_->controlAnswered(answer.code, answer.kind, answer.index, answer.tag);
    });
    dialog->show();
}

void TfrmMain::openControlComments(int32_t code, int32_t kind, int32_t index) {
    auto* dialog = new TfrmFunction(
        FunctionDialogContext{ws_->comments, ws_->shell.FunctionOpen, ws_->editor.ControlDialogOpen,
                              ws_->shell.LargeFonts},
        code, kind, index, this);
    // A stored comment is an edit of the diagram, one step of its history.
    const QMetaObject::Connection stored =
        connect(dialog, &QObject::destroyed, this, [this, before = editor_->snapshot()] {
            if (editor_) editor_->ioCommentsEdited(before);
        });
    // A diagram cleared or loaded meanwhile is another diagram: nothing to compare with.
    connect(this, &TfrmMain::wiped, dialog, [dialog, stored] {
        QObject::disconnect(stored);
        dialog->close();
    });
    dialog->show();
}

}  // namespace torvex
