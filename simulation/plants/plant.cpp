#include "simulation/plants/plant.h"

#include <algorithm>
#include <charconv>

namespace torvex {

bool Plant::figure(std::string_view name, double& value) const {
    for (const auto& [figureName, figureValue] : figures()) {
        if (figureName == name) {
            value = figureValue;
            return true;
        }
    }
    return false;
}

uint16_t Plant::inputWord() const {
    uint16_t word = 0;
    for (int k = 0; k < kPoints; ++k)
        if (Input(k)) word |= static_cast<uint16_t>(1u << k);
    return word;
}

void Plant::setOutputWord(uint16_t word) {
    for (int k = 0; k < kPoints; ++k) setOutput(k, (word >> k) & 1u);
}

void PlantRegistry::add(const PlantDescription& description, Factory make) {
    entries_.push_back({&description, std::move(make)});
}

std::unique_ptr<Plant> PlantRegistry::make(int number, uint64_t seed) const {
    for (const Entry& e : entries_)
        if (e.description->number == number) return e.make(seed);
    return nullptr;
}

int PlantRegistry::find(std::string_view key) const {
    int number = 0;
    const auto [end, error] = std::from_chars(key.data(), key.data() + key.size(), number);
    const bool isNumber = error == std::errc{} && end == key.data() + key.size();
    for (const Entry& e : entries_)
        if (isNumber ? e.description->number == number : e.description->key == key)
            return e.description->number;
    return 0;
}

const PlantDescription* PlantRegistry::description(int number) const {
    for (const Entry& e : entries_)
        if (e.description->number == number) return e.description;
    return nullptr;
}

std::vector<const PlantDescription*> PlantRegistry::all() const {
    std::vector<const PlantDescription*> out;
    for (const Entry& e : entries_) out.push_back(e.description);
    std::sort(out.begin(), out.end(), [](const PlantDescription* a, const PlantDescription* b) {
        return a->number < b->number;
    });
    return out;
}

}  // namespace torvex
