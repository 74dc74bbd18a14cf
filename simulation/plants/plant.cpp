#include "simulation/plants/plant.h"

#include <algorithm>
#include <charconv>

#include "simulation/plants/annunciator.h"
#include "simulation/plants/car_park.h"
#include "simulation/plants/elevator.h"
#include "simulation/plants/traffic_light.h"

namespace torvex {

Bilingual KindName(PointKind kind) {
    switch (kind) {
        case PointKind::Sensor:
            return {"sensor", "anturi"};
        case PointKind::PushButton:
            return {"push button", "painike"};
        case PointKind::Switch:
            return {"switch", "kytkin"};
        case PointKind::Lamp:
            return {"lamp", "merkkivalo"};
        case PointKind::Actuator:
            return {"actuator", "toimilaite"};
        case PointKind::Unused:
            break;
    }
    return {"not used", "ei käytössä"};
}

std::string PointName(bool input, int k) {
    return (input ? "IP" : "OP") + std::to_string(k);
}

namespace {

constexpr size_t kTextWidth = 92;

// `text` wrapped at word ends to kTextWidth columns, the first line after `first` and the
// others after `rest` (which are both counted in the width).
std::string Wrap(const std::string& first, const std::string& rest, const std::string& text) {
    std::string out = first, word;
    size_t column = first.size();
    bool lineEmpty = true;
    auto put = [&] {
        if (word.empty()) return;
        if (!lineEmpty && column + 1 + word.size() > kTextWidth) {
            out += "\n" + rest;
            column = rest.size();
            lineEmpty = true;
        }
        if (!lineEmpty) {
            out += ' ';
            ++column;
        }
        out += word;
        column += word.size();
        lineEmpty = false;
        word.clear();
    };
    for (char ch : text) {
        if (ch == ' ') {
            put();
        } else {
            word += ch;
        }
    }
    put();
    return out + "\n";
}

void Points(std::string& text, const std::array<PointDescription, kPoints>& points, bool input) {
    for (int k = 0; k < kPoints; ++k) {
        const PointDescription& p = points[k];
        if (p.kind == PointKind::Unused) {
            int last = k;
            while (last + 1 < kPoints && points[last + 1].kind == PointKind::Unused) ++last;
            text += "  " + PointName(input, k);
            if (last > k) text += " ... " + PointName(input, last);
            text += "  not used\n";
            k = last;
            continue;
        }
        std::string name = PointName(input, k), kind = KindName(p.kind).en;
        name.resize(std::max<size_t>(name.size(), 6), ' ');
        kind.resize(std::max<size_t>(kind.size(), 13), ' ');
        text += Wrap("  " + name + kind, std::string(21, ' '), p.meaning.en);
    }
}

}  // namespace

std::string DescriptionText(const PlantDescription& d) {
    std::string text = d.name + " (simulation " + std::to_string(d.number) + ", --plant " + d.key +
                       ")\n\n" + Wrap("", "", d.summary.en) + "\nInputs:\n";
    Points(text, d.inputs, true);
    text += "\nOutputs:\n";
    Points(text, d.outputs, false);
    text +=
        "\nOperator controls (in a scenario 'at T set IPk=1' presses or switches on, '=0' "
        "releases\nor switches off; the plant drives every other input itself):\n";
    bool any = false;
    for (int k = 0; k < kPoints; ++k)
        if (IsOperatorControl(d.inputs[k].kind)) {
            text += Wrap("  " + PointName(true, k) + "  " + KindName(d.inputs[k].kind).en + ": ",
                         "      ", d.inputs[k].meaning.en);
            any = true;
        }
    if (!any) text += "  none\n";
    text += "\nFigures (in a scenario 'at T expect plant.NAME<OP>VALUE', OP one of = < <= > >=):\n";
    size_t width = 0;
    for (const PlantFigure& f : d.figures) width = std::max(width, f.name.size());
    for (const PlantFigure& f : d.figures) {
        std::string name = f.name;
        name.resize(width + 2, ' ');
        text += Wrap("  " + name, std::string(width + 4, ' '), f.meaning.en);
    }
    text += d.stopReasons.empty() ? "\nThe plant never stops the run.\n"
                                  : "\nThe plant stops the run for:\n";
    for (const PlantStopReason& stop : d.stopReasons)
        text += Wrap("  " + stop.reason.en + ": ", "    ", stop.when.en);
    return text;
}

bool Plant::figure(std::string_view name, double& value) const {
    for (const auto& [n, v] : figures())
        if (n == name) {
            value = v;
            return true;
        }
    return false;
}

void Plant::setOutput(int k, bool on) {
    if (k >= 0 && k < kPoints) outputs_[k] = on;
}

bool Plant::Output(int k) const {
    return k >= 0 && k < kPoints && outputs_[k];
}

uint16_t Plant::inputWord() const {
    uint16_t word = 0;
    for (int k = 0; k < kPoints; ++k)
        if (Input(k)) word = static_cast<uint16_t>(word | 1u << k);
    return word;
}

void Plant::setOutputWord(uint16_t word) {
    for (int k = 0; k < kPoints; ++k) setOutput(k, (word >> k & 1) != 0);
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
    const bool numeric = error == std::errc() && end == key.data() + key.size();
    for (const Entry& e : entries_)
        if ((numeric && e.description->number == number) || (!numeric && e.description->key == key))
            return e.description->number;
    return 0;
}

const PlantDescription* PlantRegistry::description(int number) const {
    for (const Entry& e : entries_)
        if (e.description->number == number) return e.description;
    return nullptr;
}

std::vector<const PlantDescription*> PlantRegistry::all() const {
    std::vector<const PlantDescription*> list;
    for (const Entry& e : entries_) list.push_back(e.description);
    std::sort(list.begin(), list.end(), [](auto* a, auto* b) { return a->number < b->number; });
    return list;
}

PlantRegistry StandardPlants() {
    PlantRegistry registry;
    registry.add(TrafficLight::Description(),
                 [](uint64_t seed) { return std::make_unique<TrafficLight>(seed); });
    registry.add(Annunciator::Description(),
                 [](uint64_t seed) { return std::make_unique<Annunciator>(seed); });
    registry.add(CarPark::Description(),
                 [](uint64_t seed) { return std::make_unique<CarPark>(seed); });
    registry.add(Elevator::Description(),
                 [](uint64_t seed) { return std::make_unique<Elevator>(seed); });
    return registry;
}

uint64_t PlantRandom::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15u);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9u;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBu;
    return z ^ (z >> 31);
}

int PlantRandom::below(int n) {
    return static_cast<int>(next() % static_cast<uint64_t>(n));
}

void SensorPulses::set(int k, bool raw) {
    if (k < 0 || k >= kPoints) return;
    if (raw || (shown_[k] && onFor_[k] < kMinimumExchanges)) {
        onFor_[k] = shown_[k] ? std::min(onFor_[k] + 1, kMinimumExchanges) : 1;
        shown_[k] = true;
    } else {
        shown_[k] = false;
        onFor_[k] = 0;
    }
}

bool OperatorControls::operate(const PlantDescription& description, int input, bool on) {
    if (input < 0 || input >= kPoints || !IsOperatorControl(description.inputs[input].kind))
        return false;
    held_[input] = on;
    if (on && description.inputs[input].kind == PointKind::PushButton)
        pressLeft_[input] = SensorPulses::kMinimumExchanges;
    return true;
}

void OperatorControls::exchange() {
    for (int& left : pressLeft_) left = std::max(0, left - 1);
}

bool OperatorControls::value(int k) const {
    return k >= 0 && k < kPoints && (held_[k] || pressLeft_[k] > 0);
}

}  // namespace torvex
