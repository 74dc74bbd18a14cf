// The picture of the Traffic Light: the crossroads from above, with its heads, walk lamps,
// buttons, detector loops and the controller cabinet holding the night switch.
#pragma once

#include <QElapsedTimer>
#include <array>
#include <vector>

#include "simulation/plant_view.h"
#include "simulation/plants/traffic_light.h"

class QPainter;

namespace torvex {

class TrafficLightView : public PlantView {
    Q_OBJECT
public:
    TrafficLightView(TrafficLight& plant, bool finnish, QWidget* parent = nullptr);

    void refresh() override;

protected:
    PointRef pointAt(QPointF design) const override;
    void controlsWorked() override;
    void animationFrame() override;
    void paintEvent(QPaintEvent* event) override;

private:
    // A car or a walker, moving from where it was shown to where the model has it now.
    struct Mover {
        uint32_t id = 0;
        bool car = true;
        int way = 0;       // the car's approach, or the walker's crossing
        QPointF from, to;  // design coordinates
        bool braking = false;
    };
    qreal progress() const;
    // The roads and their markings, which never change: drawn once per size and pixel ratio.
    void drawGround(QPainter& p) const;
    void drawLoops(QPainter& p) const;
    void drawMovers(QPainter& p) const;
    void drawFurniture(QPainter& p) const;
    void drawStop(QPainter& p) const;

    TrafficLight& tl_;
    QElapsedTimer sinceRefresh_;
    std::vector<Mover> movers_;
    int64_t shownExchange_ = 0;
    std::array<int, 4> outOfSight_{};  // cars queuing beyond the picture, per approach
    std::array<bool, kPoints> inputs_{};
    std::array<bool, kPoints> outputs_{};
    TrafficLight::StopCause cause_ = TrafficLight::StopCause::None;
    QString stopText_;
};

}  // namespace torvex
