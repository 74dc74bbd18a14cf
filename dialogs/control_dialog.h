// What the control dialogs share: the hand-over to the editor and the way they close.
//
// The editor sets the pending values (and PlacingNew for a new timer or counter), builds
// the dialog with a context, connects to answered() and shows it. The dialog shows the
// control that the pending values name. On OK it writes a timer's or counter's preset into
// the memory image and closes; whenever it closes it clears ControlDialogOpen (and
// PlacingNew for timers and counters) and then emits answered() once: the control to place
// with tag 1 for a contact, 2 for any other control, or tag 0 when it closed without OK, so
// that the editor's placement step writes nothing.
#pragma once

#include <QDialog>
#include <cstdint>

#include "dialogs/dialog_frame.h"
#include "engine/editor_state.h"
#include "engine/memory_image.h"

namespace torvex {

class Prompter;

struct ControlDialogContext {
    EditorState& editor;
    MemoryImage& memory;
    Prompter& prompter;
    bool largeFonts = false;
};

// What a closed control dialog hands back: the Code, Kind and Index to write into the
// target cell, and the tag of the rung view's tmrPlace. With tag kPlaceNothing the dialog
// was not confirmed and the cell is the control as it was opened.
struct ControlAnswer {
    int32_t code;
    int32_t kind;
    int32_t index;
    int tag;
};

class ControlDialog : public QDialog {
    Q_OBJECT
signals:
    // Once, as the dialog closes, after ControlDialogOpen has been cleared.
    void answered(const torvex::ControlAnswer& answer);

protected:
    // `outerWidth` is the form's width; `largeFontsWidth` its width on a large-font screen,
    // 0 when it has none and simply grows with the fonts. Sets ControlDialogOpen.
    ControlDialog(const ControlDialogContext& context, int outerWidth, int largeFontsWidth,
                  bool clearsPlacingNew, QWidget* parent);

    // Design pixels of this form to widget pixels.
    const DesignScale& at() const { return scale_; }
    // The client height is the bottom of `lowest` + 10; then the form is centred.
    void FinishSize(const QWidget* lowest);
    // OK: hand over this control with `tag` and close.
    void Confirm(int32_t code, int32_t kind, int32_t index, int tag);

    void closeEvent(QCloseEvent* event) override;
    // Escape closes the form as Cancel does.
    void reject() override;

    const EditorState& editor() const { return context_.editor; }
    // The control the dialog was opened for, as the pending values named it.
    const ControlAnswer& Opened() const { return opened_; }
    MemoryImage& memory() { return context_.memory; }
    Prompter& prompter() { return context_.prompter; }

private:
    ControlDialogContext context_;
    DesignScale scale_;
    int clientWidth_;
    bool clearsPlacingNew_;
    ControlAnswer opened_;
    ControlAnswer answer_;
    bool closed_ = false;
};

}  // namespace torvex
