// The picture of the Car Park: the plan from above with its bays, lanes, loops and barriers
// (each with a side view of its boom and its limit switches), the FULL and SPACES signs, the
// attendant's kiosk with the reset button and the key switch, and the street.
#pragma once

#include <QElapsedTimer>
#include <array>
#include <vector>

#include "simulation/plant_view.h"
#include "simulation/plants/car_park.h"

class QPainter;

namespace torvex {

class CarParkView : public PlantView {
    Q_OBJECT
public:
    CarParkView(CarPark& plant, bool finnish, QWidget* parent = nullptr);

    void refresh() override;

protected:
    PointRef pointAt(QPointF design) const override;
    void controlsWorked() override;
    void animationFrame() override;
    void paintEvent(QPaintEvent* event) override;

private:
    // A car, moving from where it was shown to where the model has it now.
    struct Mover {
        uint32_t id = 0;
        CarPark::Pose from, to;  // design coordinates and degrees
        bool braking = false;
        bool reversing = false;
    };
    qreal progress() const;
    // The ground, markings, kiosk and signs' housings, which never change: drawn once per size
    // and pixel ratio.
    void drawGround(QPainter& p) const;
    void drawLoops(QPainter& p) const;
    void drawCars(QPainter& p) const;
    void drawBarrier(QPainter& p, CarPark::Gate gate) const;
    void drawSigns(QPainter& p) const;
    void drawKiosk(QPainter& p) const;
    void drawStop(QPainter& p) const;

    CarPark& cp_;
    QElapsedTimer sinceRefresh_;
    std::vector<Mover> movers_;
    int64_t shownExchange_ = 0;
    bool fresh_ = true;  // nothing shown yet: the first refresh shows the plant as it is
    std::array<qreal, 2> boomFrom_{}, boomTo_{};  // 0 down ... 1 up
    int outOfSight_ = 0;
    std::array<bool, kPoints> inputs_{};
    std::array<bool, kPoints> outputs_{};
    CarPark::StopCause cause_ = CarPark::StopCause::None;
    CarPark::Gate stopGate_ = CarPark::Entry;
    QString stopText_;
};

}  // namespace torvex
