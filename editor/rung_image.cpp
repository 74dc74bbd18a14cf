#include "editor/rung_image.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace torvex {

QString PaletteMimeType() {
    return QStringLiteral("application/x-torvex-palette-tool");
}

RungImage::RungImage(int slot, QWidget* parent) : QWidget(parent), slot_(slot) {
    setFixedSize(433, 104);
    setMouseTracking(true);
    setAcceptDrops(true);
    // A click on a rung leaves a comment memo, so Ctrl+C and Ctrl+V act on rungs again.
    setFocusPolicy(Qt::ClickFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void RungImage::setImage(const QImage& image) {
    image_ = image;
    update();
}

void RungImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (image_.isNull())
        p.fillRect(rect(), palette().button());
    else
        p.drawImage(0, 0, image_);
}

void RungImage::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (rect().contains(at)) emit mouseMoved(slot_, Column(at.x()), Row(at.y()));
    QWidget::mouseMoveEvent(event);
}

void RungImage::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton && rect().contains(at))
        emit clicked(slot_, Column(at.x()), Row(at.y()));
    QWidget::mouseReleaseEvent(event);
}

void RungImage::mouseDoubleClickEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    if (event->button() == Qt::LeftButton) emit doubleClicked(slot_, Column(at.x()), Row(at.y()));
}

void RungImage::contextMenuEvent(QContextMenuEvent* event) {
    emit rightClicked(slot_, Column(event->pos().x()), Row(event->pos().y()), event->globalPos());
}

void RungImage::dragEnterEvent(QDragEnterEvent* event) {
    // Every drag is accepted, as the rest of the main window accepts it.
    event->acceptProposedAction();
}

void RungImage::dragMoveEvent(QDragMoveEvent* event) {
    event->acceptProposedAction();
}

void RungImage::dropEvent(QDropEvent* event) {
    const QPoint at = event->position().toPoint();
    bool ok = false;
    const int tool = QString::fromLatin1(event->mimeData()->data(PaletteMimeType())).toInt(&ok);
    event->acceptProposedAction();
    if (ok) emit toolDropped(slot_, Column(at.x()), Row(at.y()), tool);
}

}  // namespace torvex
