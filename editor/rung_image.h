// One rung slot's picture in the rung view: shows its image and reports the mouse.
#pragma once

#include <QImage>
#include <QWidget>

#include "editor/rung_geometry.h"

namespace torvex {

class RungImage : public QWidget {
    Q_OBJECT
public:
    RungImage(int slot, QWidget* parent = nullptr);

    int slot() const { return slot_; }
    QImage& image() { return image_; }
    void setImage(const QImage& image);

    // The figures the picture is drawn at: its size, and the cell a point selects.
    void setFigures(const RungGeometry& geometry);
    const RungGeometry& figures() const { return geometry_; }
    int Column(qreal x) const { return geometry_.Column(x); }
    int Row(qreal y) const { return geometry_.Row(y); }

    // The cell grid in faint lines, and the cell (control column, row) the mouse is over
    // outlined when `column` is not -1; `shown` false takes both away.
    void showGrid(bool shown, int column = -1, int row = -1);
    bool gridShown() const { return grid_; }

signals:
    void mouseMoved(int slot, int column, int row);
    void clicked(int slot, int column, int row);
    void doubleClicked(int slot, int column, int row);
    void rightClicked(int slot, int column, int row, QPoint globalPos);
    void toolDropped(int slot, int column, int row, int tool);
    // A drag is over the cell, or has left the picture (column -1).
    void dragOver(int slot, int column, int row);
    // Ctrl + wheel: steps up (positive) or down.
    void zoomWheel(int steps);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

    void wheelEvent(QWheelEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;

private:
    int slot_;
    QImage image_;
    RungGeometry geometry_;
    bool grid_ = false;
    int gridColumn_ = -1;
    int gridRow_ = -1;
    bool pressedHere_ = false;
};

// The MIME type of a palette drag; its data is the tool number as text.
QString PaletteMimeType();

}  // namespace torvex
