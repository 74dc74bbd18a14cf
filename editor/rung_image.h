// One rung slot's picture in the rung view: shows its image and reports the mouse.
#pragma once

#include <QImage>
#include <QWidget>

namespace torvex {

class RungImage : public QWidget {
    Q_OBJECT
public:
    RungImage(int slot, QWidget* parent = nullptr);

    int slot() const { return slot_; }
    QImage& image() { return image_; }
    void setImage(const QImage& image);

    // The control column (0 ... 10) and row (0 ... 3) a point in the image selects.
    static int Column(int x) { return x / 43; }
    static int Row(int y) { return y / 26; }

signals:
    void mouseMoved(int slot, int column, int row);
    void clicked(int slot, int column, int row);
    void doubleClicked(int slot, int column, int row);
    void rightClicked(int slot, int column, int row, QPoint globalPos);
    void toolDropped(int slot, int column, int row, int tool);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    int slot_;
    QImage image_;
    bool pressedHere_ = false;
};

// The MIME type of a palette drag; its data is the tool number as text.
QString PaletteMimeType();

}  // namespace torvex
