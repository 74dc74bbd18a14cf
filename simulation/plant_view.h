// The picture of a plant: paints its model in our own vector artwork, moves what moves
// smoothly between exchanges, and lets a person work the plant's operator controls.
//
// The model, like the view, belongs to the user-interface thread: the run thread reaches it
// only through the calls it marshals there, so the view may read it and work its controls in
// its own events at any time. refresh() follows each exchange and each start.
#pragma once

#include <QWidget>
#include <memory>

#include "simulation/plants/plant.h"

namespace torvex {

class PlantView : public QWidget {
    Q_OBJECT
public:
    explicit PlantView(Plant& plant, QWidget* parent = nullptr) : QWidget(parent), plant_(plant) {}

    Plant& plant() const { return plant_; }
    // The model has moved on (an exchange, a start): take its new state and show it.
    virtual void refresh() = 0;

signals:
    // A person worked an operator control on the picture.
    void operated(int input, bool on);

private:
    Plant& plant_;
};

// The view of `plant`, by its description's number; null when the program has none.
PlantView* MakePlantView(Plant& plant, QWidget* parent = nullptr);

}  // namespace torvex
