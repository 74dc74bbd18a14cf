// The picture of a plant: paints its model in our own vector artwork, moves what moves
// smoothly between exchanges, and lets a person work the plant's operator controls.
//
// The model, like the view, belongs to the user-interface thread: the run thread reaches it
// only through the calls it marshals there, so the view may read it and work its controls in
// its own events at any time. refresh() follows each exchange and each start; the view
// copies what it shows then and paints from its copy.
//
// A view draws in design coordinates, the description's size at 100 %, scaled to whatever
// size the widget is given, so it is crisp at any zoom and pixel ratio.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <functional>
#include <memory>

#include "simulation/plants/plant.h"

class QPainter;
class QTimer;

namespace torvex {

class PlantView : public QWidget {
    Q_OBJECT
public:
    Plant& plant() const { return plant_; }
    bool finnish() const { return finnish_; }
    // Whether the picture makes its plant's sounds (the Annunciator's horn) through the
    // system's bell; on, so the horn is heard wherever the desktop's sound is on.
    bool sound() const { return sound_; }
    void setSound(bool on) { sound_ = on; }
    // The model has moved on (an exchange, a start): take its new state and show it.
    virtual void refresh() = 0;

    // The description's size: the host window's client size at 100 %.
    QSize sizeHint() const override;
    // "IP2 — N/S walk request button", in the view's language.
    QString pointText(bool input, int k) const;
    // The tooltip at `pos` (widget coordinates): the text of the sensor or actuator drawn
    // there, or empty.
    QString toolTipAt(QPointF pos) const;

signals:
    // A person worked an operator control on the picture. The view has already worked it on
    // the model (Plant::operate); the host may show the input at once.
    void operated(int input, bool on);

protected:
    PlantView(Plant& plant, bool finnish, QWidget* parent);

    struct PointRef {
        bool input = false;
        int k = -1;  // -1: none
    };
    // The sensor or actuator drawn at `design` (design coordinates), if any.
    virtual PointRef pointAt(QPointF design) const = 0;
    // A control was worked on the picture: show it.
    virtual void controlsWorked() = 0;

    // Design coordinates to the widget's.
    QTransform designTransform() const;
    // Repaints in every `frames`th frame of the screen while `moving`, or no more.
    void animate(bool moving, int frames = 1);
    // A frame of a motion; a view stops the motion here once it has arrived.
    virtual void animationFrame() { update(); }
    // What `draw` paints in design coordinates and never changes, painted once per size and
    // pixel ratio.
    const QPixmap& background(const std::function<void(QPainter&)>& draw);

    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    PointRef controlAt(QPointF widgetPos) const;
    void work(int input, bool on);
    void releaseHeld();

    Plant& plant_;
    bool finnish_;
    QTimer* tmrAnimate_;
    QPixmap background_;
    bool sound_ = true;
    int held_ = -1;  // the push button the mouse holds down
};

// Text of any size in design units, however the picture is scaled: drawn in a large font and
// scaled down.
void PlantText(QPainter& p, const QRectF& r, int flags, const QString& text, qreal pixels,
               const QColor& colour, bool bold = true);

// The view of `plant`, by its description's number, with texts in Finnish when `finnish`;
// null when the program has none.
PlantView* MakePlantView(Plant& plant, QWidget* parent = nullptr, bool finnish = false);

}  // namespace torvex
