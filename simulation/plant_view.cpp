#include "simulation/plant_view.h"

namespace torvex {

PlantView* MakePlantView(Plant&, QWidget*) {
    return nullptr;
}

}  // namespace torvex
