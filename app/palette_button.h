// One tool of the palette: drawn by its Up, Down or disabled image, pressed to select the
// tool and, for the control tools, dragged onto the rung view.
#pragma once

#include <QWidget>

namespace torvex {

class PaletteButton : public QWidget {
    Q_OBJECT
public:
    PaletteButton(int tool, const QString& hint, QWidget* parent = nullptr);

    int tool() const { return tool_; }
    // The Down image shows (the tool is selected) or the Up image.
    bool isDown() const { return down_; }
    void setDown(bool down);
    // The disabled look of a run in progress.
    bool showsDisabled() const { return disabled_; }
    void setShowsDisabled(bool disabled);

signals:
    // A press on the tool's image; the main window decides what it means.
    void pressed(int tool);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int tool_;
    bool down_ = false;
    bool disabled_ = false;
};

}  // namespace torvex
