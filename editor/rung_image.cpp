#include "editor/rung_image.h"

#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace torvex {

namespace {

// The cells a control may take: ten columns of four rows.
constexpr int kGridColumns = 10;
constexpr int kGridRows = 4;

}  // namespace

QString PaletteMimeType() {
    return QStringLiteral("application/x-torvex-palette-tool");
}

RungImage::RungImage(int slot, QWidget* parent) : QWidget(parent), slot_(slot) {
    setFixedSize(geometry_.imageSize());
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

void RungImage::setFigures(const RungGeometry& geometry) {
    geometry_ = geometry;
    setFixedSize(geometry.imageSize());
    update();
}

void RungImage::showGrid(bool shown, int column, int row) {
    if (!shown) column = row = -1;
    if (shown == grid_ && column == gridColumn_ && row == gridRow_) return;
    grid_ = shown;
    gridColumn_ = column;
    gridRow_ = row;
    update();
}

void RungImage::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (image_.isNull())
        p.fillRect(rect(), palette().button());
    else
        p.drawImage(0, 0, image_);
    if (!grid_) return;
    // Faint lines between the cells a control may take, one device pixel wide.
    const qreal pixel = 1.0 / devicePixelRatioF();
    p.setPen(QPen(QColor(0, 0, 0, 40), 0));
    const QRectF first = geometry_.controlRect(0, 0);
    const QRectF last = geometry_.controlRect(kGridColumns - 1, kGridRows - 1);
    for (int c = 0; c < kGridColumns; ++c) {
        const QRectF cell = geometry_.controlRect(c, 0);
        p.drawLine(QPointF(cell.left(), first.top()), QPointF(cell.left(), last.bottom()));
        p.drawLine(QPointF(cell.right() - pixel, first.top()),
                   QPointF(cell.right() - pixel, last.bottom()));
    }
    for (int r = 0; r <= kGridRows; ++r) {
        const qreal y = r < kGridRows ? geometry_.controlRect(0, r).top() : last.bottom() - pixel;
        p.drawLine(QPointF(first.left(), y), QPointF(last.right(), y));
    }
    if (gridColumn_ < 0 || gridColumn_ >= kGridColumns || gridRow_ < 0 || gridRow_ >= kGridRows)
        return;
    const QRectF cell = geometry_.controlRect(gridColumn_, gridRow_);
    p.setPen(QPen(QColor(0, 90, 200), 2 * pixel));
    p.setBrush(QColor(0, 90, 200, 40));
    p.drawRect(cell.adjusted(pixel, pixel, -pixel, -pixel));
}

void RungImage::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QWidget::wheelEvent(event);
        return;
    }
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) emit zoomWheel(steps);
    event->accept();
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
    const QPointF at = event->position();
    emit dragOver(slot_, Column(at.x()), Row(at.y()));
}

void RungImage::dragLeaveEvent(QDragLeaveEvent* event) {
    QWidget::dragLeaveEvent(event);
    emit dragOver(slot_, -1, -1);
}

void RungImage::dropEvent(QDropEvent* event) {
    const QPoint at = event->position().toPoint();
    bool ok = false;
    const int tool = QString::fromLatin1(event->mimeData()->data(PaletteMimeType())).toInt(&ok);
    event->acceptProposedAction();
    emit dragOver(slot_, -1, -1);
    if (ok) emit toolDropped(slot_, Column(at.x()), Row(at.y()), tool);
}

}  // namespace torvex
