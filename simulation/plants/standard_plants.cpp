#include "simulation/plants/plant.h"

namespace torvex {

PlantRegistry StandardPlants() {
    return {};
}

}  // namespace torvex
