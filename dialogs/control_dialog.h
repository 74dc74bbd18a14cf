// What the control dialogs share: the hand-over to the editor and the way they close.
//
// The editor sets the pending values (and PlacingNew for a new timer or counter), builds
// the dialog with a context and shows it. On OK the dialog writes its answer into the
// pending values (and the timer or counter table) and closes; whenever it closes it clears
// ControlDialogOpen (and PlacingNew for timers and counters) and then calls placementTimer
// once with the tag it set: 1 for a contact, 2 for any other control, 0 when it closed
// without OK, so that the editor's placement step writes nothing.
#pragma once

#include <QDialog>
#include <functional>

#include "dialogs/dialog_frame.h"
#include "engine/editor_state.h"
#include "engine/memory_image.h"

class QPushButton;

namespace torvex {

class Prompter;

struct ControlDialogContext {
    EditorState& editor;
    MemoryImage& memory;
    Prompter& prompter;
    bool largeFonts = false;
    // Sets the tag of the rung view's tmrPlace to `tag` and enables tmrPlace.
    std::function<void(int tag)> placementTimer;
};

class ControlDialog : public QDialog {
public:
    // The tag this dialog will hand over when it closes (0 until OK).
    int placeTag() const { return tag_; }

protected:
    // `outerWidth` is the form's width; `largeFontsWidth` its width on a large-font screen,
    // 0 when it has none and simply grows with the fonts. Sets ControlDialogOpen.
    ControlDialog(const ControlDialogContext& context, int outerWidth, int largeFontsWidth,
                  bool clearsPlacingNew, QWidget* parent);

    // Design pixels of this form to widget pixels.
    const DesignScale& at() const { return scale_; }
    // The client height is the bottom of `lowest` + 10; then the form is centred.
    void FinishSize(const QWidget* lowest);
    // OK: the answer is in place; hand over `tag` and close.
    void CloseWithTag(int tag);

    void closeEvent(QCloseEvent* event) override;
    // Escape closes the form as Cancel does.
    void reject() override;

    ControlDialogContext context_;
    EditorState& editor() { return context_.editor; }
    MemoryImage& memory() { return context_.memory; }
    Prompter& prompter() { return context_.prompter; }

private:
    DesignScale scale_;
    int clientWidth_;
    bool clearsPlacingNew_;
    int tag_ = kPlaceNothing;
    bool closed_ = false;
};

}  // namespace torvex
