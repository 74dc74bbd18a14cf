// The picture of the Elevator: the building cut open, four landings beside the shaft with
// their call buttons and indicators, the car with its glass door, light curtain and door
// operator, the counterweight and the drive on top, and the panel inside the car drawn large.
#pragma once

#include <QElapsedTimer>
#include <QPixmap>
#include <array>
#include <vector>

#include "simulation/plant_view.h"
#include "simulation/plants/elevator.h"

class QPainter;

namespace torvex {

class ElevatorView : public PlantView {
    Q_OBJECT
public:
    ElevatorView(Elevator& plant, bool finnish, QWidget* parent = nullptr);

    void refresh() override;

protected:
    PointRef pointAt(QPointF design) const override;
    void controlsWorked() override;
    void animationFrame() override;
    void paintEvent(QPaintEvent* event) override;

private:
    // A passenger, moving from where it was shown to where the model has it now.
    struct Mover {
        uint32_t id = 0;
        Elevator::Where where = Elevator::Where::Landing;
        int to = 0;        // the floor it wants
        QPointF from, at;  // its feet, in design coordinates
    };
    qreal progress() const;
    qreal shownCar() const;  // the car's height in millimetres, as shown now
    qreal shownDoor() const;
    // The building, the shaft and the panels' bodies, which never change: drawn once per size
    // and pixel ratio.
    void drawBuilding(QPainter& p) const;
    void drawDrive(QPainter& p, qreal car) const;
    void drawCar(QPainter& p, qreal car, qreal door) const;
    void drawPeople(QPainter& p, Elevator::Where where) const;
    void drawRiderTags(QPainter& p) const;
    void drawLandings(QPainter& p) const;
    void drawCarPanel(QPainter& p) const;
    void drawStop(QPainter& p, qreal car) const;

    Elevator& lift_;
    QElapsedTimer sinceRefresh_;
    std::vector<Mover> movers_;
    int64_t shownExchange_ = 0;
    int carFrom_ = 0, carTo_ = 0;
    int doorFrom_ = 0, doorTo_ = 0;
    std::array<bool, kPoints> inputs_{};
    std::array<bool, kPoints> outputs_{};
    Elevator::StopCause cause_ = Elevator::StopCause::None;
    QString stopText_;
    QPixmap lamps_;  // drawLandings and drawCarPanel on a clear ground
    bool lampsStale_ = true;
};

}  // namespace torvex
