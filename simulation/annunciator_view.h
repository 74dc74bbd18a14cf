// The picture of the Annunciator: the alarm panel with its six windows, the horn and the
// beacon above them, the operator's four buttons below, and under the panel the six field
// contacts, each a switch that upsets its process.
#pragma once

#include <QElapsedTimer>
#include <array>

#include "simulation/plant_view.h"
#include "simulation/plants/annunciator.h"

class QPainter;

namespace torvex {

class AnnunciatorView : public PlantView {
    Q_OBJECT
public:
    AnnunciatorView(Annunciator& plant, bool finnish, QWidget* parent = nullptr);

    void refresh() override;

protected:
    PointRef pointAt(QPointF design) const override;
    void controlsWorked() override;
    void paintEvent(QPaintEvent* event) override;

private:
    // The panel, its engravings and the frames, which never change: drawn once per size and
    // pixel ratio.
    void drawPanel(QPainter& p) const;
    void drawWindows(QPainter& p) const;
    void drawHorn(QPainter& p, qreal phase) const;
    void drawBeacon(QPainter& p, qreal phase) const;
    void drawButtons(QPainter& p) const;
    void drawContacts(QPainter& p) const;

    Annunciator& an_;
    QElapsedTimer clock_;  // the beacon turns and the horn's sound spreads by it
    std::array<bool, kPoints> inputs_{};
    std::array<bool, kPoints> outputs_{};
};

}  // namespace torvex
