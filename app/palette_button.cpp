#include "app/palette_button.h"

#include <QMouseEvent>
#include <QPainter>

#include "ui/artwork.h"

namespace torvex {

PaletteButton::PaletteButton(int tool, const QString& hint, QWidget* parent)
    : QWidget(parent), tool_(tool) {
    setFixedSize(25, 24);
    setToolTip(hint);
}

void PaletteButton::setDown(bool down) {
    if (down_ == down) return;
    down_ = down;
    update();
}

void PaletteButton::setShowsDisabled(bool disabled) {
    if (disabled_ == disabled) return;
    disabled_ = disabled;
    update();
}

void PaletteButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const ButtonLook look =
        disabled_ ? ButtonLook::Disabled : (down_ ? ButtonLook::Down : ButtonLook::Up);
    p.drawPixmap(0, 0, PaletteImage(tool_, look, devicePixelRatioF()));
}

void PaletteButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit pressed(tool_);
    QWidget::mousePressEvent(event);
}

}  // namespace torvex
