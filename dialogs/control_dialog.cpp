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
      clearsPlacingNew_(clearsPlacingNew) {
    SetUpDialogWindow(this);
    editor().ControlDialogOpen = true;
}

void ControlDialog::FinishSize(const QWidget* lowest) {
    const QRect r = lowest->geometry();
    setFixedSize(clientWidth_, r.y() + r.height() + scale_(10));
    CentreOnScreen(this);
}

void ControlDialog::CloseWithTag(int tag) {
    tag_ = tag;
    close();
}

void ControlDialog::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closed_) return;
    closed_ = true;
    editor().ControlDialogOpen = false;
    if (clearsPlacingNew_) editor().PlacingNew = false;
    if (context_.placementTimer) context_.placementTimer(tag_);
}

void ControlDialog::reject() {
    close();
}

}  // namespace torvex
