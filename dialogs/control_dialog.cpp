#include "dialogs/control_dialog.h"

#include <QCloseEvent>

namespace torvex {

namespace {

double ScaleFor(bool largeFonts, int outerWidth, int largeFontsWidth) {
    if (!largeFonts) return 1.0;
    if (largeFontsWidth <= 0) return kLargeFontScale;
    return static_cast<double>(ClientWidth(largeFontsWidth)) / ClientWidth(outerWidth);
}

}  // namespace

ControlDialog::ControlDialog(const ControlDialogContext& context, int outerWidth,
                             int largeFontsWidth, bool clearsPlacingNew, QWidget* parent)
    : QDialog(parent),
      context_(context),
      scale_(ScaleFor(context.largeFonts, outerWidth, largeFontsWidth)),
      clientWidth_(context.largeFonts && largeFontsWidth > 0 ? ClientWidth(largeFontsWidth)
                                                             : scale_(ClientWidth(outerWidth))),
      clearsPlacingNew_(clearsPlacingNew),
      opened_{context.editor.PendingCode, context.editor.PendingKind, context.editor.PendingNumber,
              kPlaceNothing},
      answer_(opened_) {
    SetUpDialogWindow(this);
    context_.editor.ControlDialogOpen = true;
}

void ControlDialog::FinishSize(const QWidget* lowest) {
    const QRect r = lowest->geometry();
    setFixedSize(clientWidth_, r.y() + r.height() + scale_(10));
    CentreOnScreen(this);
}

void ControlDialog::Confirm(int32_t code, int32_t kind, int32_t index, int tag) {
    answer_ = {code, kind, index, tag};
    close();
}

void ControlDialog::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closed_) return;
    closed_ = true;
    context_.editor.ControlDialogOpen = false;
    if (clearsPlacingNew_) context_.editor.PlacingNew = false;
    emit answered(answer_);
}

void ControlDialog::reject() {
    close();
}

}  // namespace torvex
