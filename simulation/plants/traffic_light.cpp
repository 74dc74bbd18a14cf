#include "simulation/plants/traffic_light.h"

#include <algorithm>
#include <limits>

namespace torvex {

namespace {

constexpr int kCarMeanExchanges = 60;      // a car every 6 s on each approach
constexpr int kWalkerMeanExchanges = 200;  // a pedestrian every 20 s in each direction
constexpr int kAccel = 25;                 // mm per exchange per exchange: 2.5 m/s²
constexpr int kComfortBrake = 30;          // 3 m/s²
constexpr int kReaction = 4;               // exchanges before a standing car moves off
constexpr int kPressExchanges = 4;         // a pedestrian holds the button 400 ms
constexpr int kPressAgain = 150;           // and presses again after 15 s without a wait lamp
constexpr int kNightGrace = 20;            // 2 s to settle after the night switch goes off
constexpr int kSeenComing = 25000;         // a pedestrian does not step out before a car this near
constexpr int kCreep = 3000;               // giving way, a car rolls over the line slowly
constexpr int kNightTurn = 80;             // and one road has the junction for 8 s at a time

PointDescription Unused() {
    return {};
}

PlantDescription MakeDescription() {
    PlantDescription d;
    d.number = 1;
    d.key = "traffic";
    d.name = "Traffic Light";
    d.summary = {
        "A crossroads of a north-south and an east-west road. Each road has a three-lamp head "
        "(red, amber, green; red and amber together come before green). Pedestrians walking "
        "alongside each road cross the other road on walk; they have walk and don't-walk lamps, "
        "a request button and a wait lamp. Cars arrive at random on all four approaches (about "
        "one every 6 s on each), queue at red and drive on at green; they never pass a red and "
        "never start on amber. Pedestrians arrive about every 20 s in each direction, press the "
        "button and cross on walk. With the night switch on the junction should flash amber "
        "both ways and leave the walk lamps dark; cars and pedestrians then give way to each "
        "other. The plant starts with no cars and no pedestrians.",
        "Risteys, jossa pohjois-eteläsuuntainen ja itä-länsisuuntainen tie kohtaavat. "
        "Kummallakin tiellä on kolmivaloinen opastin (punainen, keltainen, vihreä; punainen ja "
        "keltainen yhdessä ennen vihreää). Tien suuntaan kulkevat jalankulkijat ylittävät "
        "toisen tien kävele-valolla; heillä on kävele- ja älä kävele -valot, pyyntöpainike ja "
        "kuittausvalo. Autoja saapuu satunnaisesti kaikilta neljältä suunnalta (keskimäärin "
        "yksi 6 sekunnin välein kultakin), ne jonottavat punaisella ja ajavat vihreällä; ne "
        "eivät koskaan aja punaista päin eivätkä lähde liikkeelle keltaisella. Jalankulkijoita "
        "tulee kumpaankin suuntaan noin 20 sekunnin välein; he painavat painiketta ja "
        "ylittävät tien kävele-valolla. Yökytkimen ollessa päällä risteyksen pitäisi vilkuttaa "
        "keltaista molempiin suuntiin ja jättää jalankulkijoiden valot pimeiksi; autot ja "
        "jalankulkijat väistävät silloin toisiaan. "
        "Risteyksessä ei aluksi ole autoja eikä jalankulkijoita."};
    d.width = 189;
    d.height = 174;
    d.inputs = {
        PointDescription{PointKind::Sensor,
                         {"N/S car waiting: a car stands at the north or south stop line",
                          "P/E-auto odottaa: auto seisoo pohjoisen tai etelän pysäytysviivalla"}},
        PointDescription{PointKind::Sensor,
                         {"E/W car waiting: a car stands at the east or west stop line",
                          "I/L-auto odottaa: auto seisoo idän tai lännen pysäytysviivalla"}},
        PointDescription{PointKind::PushButton,
                         {"N/S walk request button", "P/E-jalankulkijoiden pyyntöpainike"}},
        PointDescription{PointKind::PushButton,
                         {"E/W walk request button", "I/L-jalankulkijoiden pyyntöpainike"}},
        PointDescription{
            PointKind::Switch,
            {"Night switch: on asks for night operation (amber flashing both ways)",
             "Yökytkin: päällä pyytää yökäyttöä (keltainen vilkkuu molempiin suuntiin)"}},
        Unused(),
        Unused(),
        Unused(),
        Unused(),
        Unused(),
        Unused(),
        Unused(),
        Unused(),
        Unused(),
        Unused(),
        Unused()};
    auto lamp = [](const char* en, const char* fi) {
        return PointDescription{PointKind::Lamp, {en, fi}};
    };
    d.outputs = {
        lamp("N/S red", "P/E punainen"),
        lamp("N/S amber", "P/E keltainen"),
        lamp("N/S green", "P/E vihreä"),
        lamp("E/W red", "I/L punainen"),
        lamp("E/W amber", "I/L keltainen"),
        lamp("E/W green", "I/L vihreä"),
        lamp("N/S walk (pedestrians walking north-south, crossing the E/W road)",
             "P/E kävele (pohjois-eteläsuuntaan kulkevat jalankulkijat, jotka ylittävät I/L-tien)"),
        lamp("N/S don't walk", "P/E älä kävele"),
        lamp("E/W walk (pedestrians walking east-west, crossing the N/S road)",
             "I/L kävele (itä-länsisuuntaan kulkevat jalankulkijat, jotka ylittävät P/E-tien)"),
        lamp("E/W don't walk", "I/L älä kävele"),
        lamp("N/S wait lamp at the buttons: request registered",
             "P/E kuittausvalo painikkeissa: pyyntö rekisteröity"),
        lamp("E/W wait lamp at the buttons: request registered",
             "I/L kuittausvalo painikkeissa: pyyntö rekisteröity"),
        Unused(),
        Unused(),
        Unused(),
        Unused()};
    d.figures = {
        {"stopped",
         {"1 when the plant stopped the run, otherwise 0",
          "1, jos laitos pysäytti "
          "ajon, muuten 0"}},
        {"cars", {"cars through the junction", "risteyksen läpi ajaneet autot"}},
        {"cars_ns", {"cars through the junction on the N/S road", "P/E-tietä ajaneet autot"}},
        {"cars_ew", {"cars through the junction on the E/W road", "I/L-tietä ajaneet autot"}},
        {"max_car_wait",
         {"longest time in seconds a car stood at a stop line (one still standing counts too)",
          "pisin aika sekunteina, jonka auto seisoi pysäytysviivalla (myös yhä seisova)"}},
        {"max_queue",
         {"most cars standing in the queue of one approach, those not yet in sight included",
          "suurin yhden tulosuunnan jonossa seisovien autojen määrä, näkyvistä puuttuvat mukaan "
          "luettuina"}},
        {"peds", {"pedestrians who crossed", "tien ylittäneet jalankulkijat"}},
        {"max_ped_wait",
         {"longest time in seconds a pedestrian waited to cross (one still waiting counts too)",
          "pisin aika sekunteina, jonka jalankulkija odotti ylitystä (myös yhä odottava)"}},
        {"head_faults",
         {"exchanges (100 ms) outside night operation in which a head showed no lamp or an "
          "aspect other than red, red+amber, green or amber; night operation lasts while the "
          "night switch is on and 2 s after",
          "jaksot (100 ms) yökäytön ulkopuolella, joissa opastin oli pimeä tai näytti muuta kuin "
          "punaista, punaista ja keltaista, vihreää tai keltaista; yökäyttö kestää yökytkimen "
          "ollessa päällä ja 2 s sen jälkeen"}},
    };
    d.stopReasons = {
        {{"conflicting greens", "ristiriitaiset vihreät"},
         {"N/S amber or green is on together with E/W amber or green; amber both ways is the "
          "night's flashing and allowed while the night switch is on (and 2 s after)",
          "P/E keltainen tai vihreä palaa yhtä aikaa I/L keltaisen tai vihreän kanssa; "
          "keltainen molempiin suuntiin on yön vilkku ja sallittu yökytkimen ollessa päällä (ja "
          "2 s sen jälkeen)"}},
        {{"pedestrians in the path of traffic", "jalankulkijat liikenteen tiellä"},
         {"N/S walk is on together with E/W amber or green, or E/W walk together with N/S amber "
          "or green",
          "P/E kävele palaa yhtä aikaa I/L keltaisen tai vihreän kanssa, tai I/L kävele P/E "
          "keltaisen tai vihreän kanssa"}}};
    using T = TrafficLight;
    d.pictureOutputs = static_cast<uint16_t>(1u << T::NsGreen | 1u << T::EwRed | 1u << T::NsWalk |
                                             1u << T::EwDontWalk | 1u << T::EwWait);
    d.pictureSeconds = 50;
    return d;
}

// floor(sqrt(n)) for n >= 0, exactly.
int64_t SquareRoot(int64_t n) {
    int64_t r = 0;
    for (int64_t bit = int64_t{1} << 40; bit > 0; bit >>= 2) {
        if (n >= r + bit) {
            n -= r + bit;
            r = (r >> 1) + bit;
        } else {
            r >>= 1;
        }
    }
    return r;
}

// The fastest a car may go now and still stop, braking gently, within `room`.
int SafeSpeed(int room) {
    return room <= 0 ? 0 : static_cast<int>(SquareRoot(int64_t{2} * kComfortBrake * room));
}

// The first car of a lane that has not passed its stop line, or null.
const TrafficLight::Car* FirstBeforeLine(const std::vector<TrafficLight::Car>& lane) {
    for (const TrafficLight::Car& c : lane)
        if (c.front >= 0) return &c;
    return nullptr;
}

bool Overlaps(int front, int from, int to) {
    return front < to && front + TrafficLight::kCarLength > from;
}

TrafficLight::Road Other(TrafficLight::Road r) {
    return r == TrafficLight::NorthSouth ? TrafficLight::EastWest : TrafficLight::NorthSouth;
}

}  // namespace

const PlantDescription& TrafficLight::Description() {
    static const PlantDescription description = MakeDescription();
    return description;
}

TrafficLight::TrafficLight(uint64_t seed) : seed_(seed), random_(seed) {}

void TrafficLight::StartSimulation() {
    random_ = PlantRandom(seed_);
    controls_.reset();
    sensors_.reset();
    outputs_ = {};
    cause_ = StopCause::None;
    time_ = 0;
    nextId_ = 1;
    for (auto& lane : lanes_) lane.clear();
    pending_ = {};
    walkers_.clear();
    buttonPressed_ = {};
    nightAfter_ = 0;
    turn_ = NorthSouth;
    turnSince_ = 0;
    cars_[0] = cars_[1] = 0;
    peds_ = 0;
    longestCarWait_ = longestWalkerWait_ = 0;
    headFaults_ = longestQueue_ = 0;
}

bool TrafficLight::Input(int k) const {
    switch (k) {
        case NsCarWaiting:
        case EwCarWaiting:
            return sensors_.value(k);
        case NsWalkButton:
        case EwWalkButton:
            return controls_.value(k) || buttonPressed_[k - NsWalkButton] > 0;
        case NightSwitch:
            return controls_.value(k);
        default:
            return false;
    }
}

Bilingual TrafficLight::stopReason() const {
    switch (cause_) {
        case StopCause::ConflictingGreens:
            return Description().stopReasons[0].reason;
        case StopCause::PedestriansInPath:
            return Description().stopReasons[1].reason;
        case StopCause::None:
            break;
    }
    return {};
}

bool TrafficLight::operate(int input, bool on) {
    return controls_.operate(Description(), input, on);
}

std::vector<std::pair<std::string, double>> TrafficLight::figures() const {
    int64_t carWait = longestCarWait_, walkerWait = longestWalkerWait_;
    for (const auto& lane : lanes_)
        for (const Car& c : lane)
            if (c.standingSince >= 0) carWait = std::max(carWait, time_ - c.standingSince);
    for (const Walker& w : walkers_)
        if (w.walked < 0) walkerWait = std::max(walkerWait, time_ - w.arrived);
    return {
        {"stopped", Stopped() ? 1 : 0},
        {"cars", cars_[0] + cars_[1]},
        {"cars_ns", cars_[NorthSouth]},
        {"cars_ew", cars_[EastWest]},
        {"max_car_wait", static_cast<double>(carWait) / 10},
        {"max_queue", longestQueue_},
        {"peds", peds_},
        {"max_ped_wait", static_cast<double>(walkerWait) / 10},
        {"head_faults", headFaults_},
    };
}

TrafficLight::Head TrafficLight::head(Road road) const {
    const int red = road == NorthSouth ? NsRed : EwRed;
    return {outputs_[red], outputs_[red + 1], outputs_[red + 2]};
}

void TrafficLight::stop(StopCause cause) {
    cause_ = cause;
}

// A car of `road` past its stop line that still covers part of [from, 0].
bool TrafficLight::carsPast(Road road, int from) const {
    for (int a = 0; a < 4; ++a)
        if (RoadOf(Approach(a)) == road)
            for (const Car& c : lanes_[a])
                if (c.front < 0 && Overlaps(c.front, from, 0)) return true;
    return false;
}

// A car of `road` stands at its stop line.
bool TrafficLight::carStanding(Road road) const {
    for (int a = 0; a < 4; ++a)
        if (RoadOf(Approach(a)) == road)
            if (const Car* first = FirstBeforeLine(lanes_[a]))
                if (first->speed == 0 && first->front <= kDetector) return true;
    return false;
}

// A pedestrian on a crossing that car from `a` drives over, still to pass its lane.
bool TrafficLight::walkerAhead(Approach a) const {
    // The lane across each crossing, measured from the north or west kerb.
    const bool farHalf = a == FromSouth || a == FromWest;
    const int laneFrom = farHalf ? kWalk / 2 : 0, laneTo = farHalf ? kWalk : kWalk / 2;
    const Crossing near = a == FromNorth   ? NorthArm
                          : a == FromSouth ? SouthArm
                          : a == FromEast  ? EastArm
                                           : WestArm;
    const Crossing far = Crossing((near + 2) % 4);
    return std::any_of(walkers_.begin(), walkers_.end(), [&](const Walker& w) {
        if (w.walked < 0 || (w.crossing != near && w.crossing != far)) return false;
        // What the walker still has to walk, with a step of room either way.
        constexpr int kRoom = 1000;
        const int at = w.side == 0 ? w.walked : kWalk - w.walked;
        const int from = w.side == 0 ? at - kRoom : 0, to = w.side == 0 ? kWalk : at + kRoom;
        return from < laneTo && to > laneFrom;
    });
}

// How far a car that has not reached its stop line may go: to the line when it must stop
// there, further when it may pass it.
int TrafficLight::lineRoom(Approach a, const Car& car) const {
    constexpr int kFree = std::numeric_limits<int>::max() / 2;
    const Road road = RoadOf(a);
    const Head h = head(road);
    const bool clear = !carsPast(Other(road), kBoxFar) && !walkerAhead(a);
    if (h.red) return car.front;
    if (h.go()) return clear ? kFree : car.front;
    if (nightSwitch()) {
        // Night: give way. The road that had the junction last keeps it for a while when its
        // cars follow each other; then whoever waits at the other road's line goes.
        if (!clear) return car.front;
        const bool othersWait = carStanding(Other(road));
        const bool turnOver = time_ - turnSince_ >= kNightTurn;
        const bool mine = turn_ == road ? !(othersWait && turnOver) : !othersWait || turnOver;
        return mine ? car.front + kCreep : car.front;
    }
    // Amber, or a dark head: stop unless too near to stop gently.
    const int brakingDistance = car.speed * car.speed / (2 * kComfortBrake);
    return car.speed > 0 && brakingDistance > car.front ? kFree : car.front;
}

void TrafficLight::arrive() {
    for (int a = 0; a < 4; ++a)
        if (random_.oneIn(kCarMeanExchanges)) ++pending_[a];
    for (int road = 0; road < 2; ++road) {
        if (!random_.oneIn(kWalkerMeanExchanges)) continue;
        const int where = random_.below(4);
        Walker w;
        w.id = nextId_++;
        // N/S pedestrians cross the E/W road on the east and west arms.
        const Crossing choices[2][2] = {{EastArm, WestArm}, {NorthArm, SouthArm}};
        w.crossing = choices[road][where / 2];
        w.side = where % 2;
        w.arrived = time_;
        w.pressed = time_;
        if (!walkLit(Road(road))) buttonPressed_[road] = kPressExchanges;
        walkers_.push_back(w);
    }
}

void TrafficLight::moveCars() {
    for (int a = 0; a < 4; ++a) {
        auto& lane = lanes_[a];
        // A car comes into sight when there is room behind the last one.
        if (pending_[a] > 0 &&
            (lane.empty() || lane.back().front + kCarLength + kStandingGap <= kSpawn)) {
            Car car;
            car.id = nextId_++;
            const int room = lane.empty()
                                 ? std::numeric_limits<int>::max() / 2
                                 : kSpawn - (lane.back().front + kCarLength + kStandingGap);
            car.speed = std::min(kMaxSpeed, SafeSpeed(room));
            lane.push_back(car);
            --pending_[a];
        }
        int queue = pending_[a];
        for (size_t i = 0; i < lane.size(); ++i) {
            Car& car = lane[i];
            // Behind another car: never nearer than a metre, and no nearer than it could
            // stop behind the car ahead braking gently.
            int room = std::numeric_limits<int>::max() / 2, hard = room;
            if (i > 0) {
                const Car& ahead = lane[i - 1];
                hard = car.front - (ahead.front + kCarLength + kStandingGap / 2);
                room = car.front - (ahead.front + kCarLength + kStandingGap) +
                       ahead.speed * ahead.speed / (2 * kComfortBrake);
            }
            // Only the first car before the line decides; those behind follow it.
            const bool first = i == 0 || lane[i - 1].front < 0;
            if (car.front >= 0 && first) {
                const int line = lineRoom(Approach(a), car);
                room = std::min(room, line);
                hard = std::min(hard, line);
            }
            room = std::max(room, 0);
            hard = std::max(hard, 0);
            int speed = std::min({car.speed + kAccel, kMaxSpeed, SafeSpeed(room), hard});
            if (car.speed == 0) {
                // Moving off takes a moment, and only when there is somewhere to go.
                car.ready = hard >= kStandingGap / 4 ? car.ready + 1 : 0;
                if (car.ready < kReaction) speed = 0;
            } else {
                car.ready = 0;
            }
            car.braking = speed < car.speed;
            const bool wasBefore = car.front >= 0;
            car.front -= speed;
            car.speed = speed;
            if (speed == 0 && car.front >= 0) {
                ++queue;
                if (car.front <= kDetector && car.standingSince < 0) car.standingSince = time_;
            }
            if (wasBefore && car.front < 0) {
                if (car.standingSince >= 0)
                    longestCarWait_ = std::max(longestCarWait_, time_ - car.standingSince);
                car.standingSince = -1;
                if (turn_ != RoadOf(Approach(a))) {
                    turn_ = RoadOf(Approach(a));
                    turnSince_ = time_;
                }
            }
            if (!car.counted && car.front + kCarLength < kFarCrossingFar) {
                car.counted = true;
                ++cars_[RoadOf(Approach(a))];
            }
        }
        longestQueue_ = std::max(longestQueue_, queue);
        while (!lane.empty() && lane.front().front < kExit) lane.erase(lane.begin());
    }
}

void TrafficLight::moveWalkers() {
    for (Walker& w : walkers_) {
        const Road road = CrossedRoad(w.crossing) == NorthSouth ? EastWest : NorthSouth;
        if (w.walked >= 0) {
            w.walked += kWalkSpeed;
            continue;
        }
        const Road crossed = CrossedRoad(w.crossing);
        const int walk = road == NorthSouth ? NsWalk : EwWalk;
        const bool carsOnCrossings = carsPast(crossed, kFarCrossingFar);
        bool go = outputs_[walk] && !carsOnCrossings;
        if (!outputs_[walk] && !outputs_[walk + 1] && nightSwitch() && !carsOnCrossings) {
            // Night and dark lamps: step out when no car is coming.
            go = true;
            for (int a = 0; a < 4; ++a)
                if (RoadOf(Approach(a)) == crossed)
                    for (const Car& c : lanes_[a])
                        if (c.speed > 0 && c.front >= 0 && c.front < kSeenComing) go = false;
        }
        if (go) {
            w.walked = 0;
            longestWalkerWait_ = std::max(longestWalkerWait_, time_ - w.arrived);
            continue;
        }
        const int wait = road == NorthSouth ? NsWait : EwWait;
        if (!outputs_[wait] && time_ - w.pressed >= kPressAgain) {
            buttonPressed_[road] = std::max(buttonPressed_[road], kPressExchanges);
            w.pressed = time_;
        }
    }
    const auto done = std::remove_if(walkers_.begin(), walkers_.end(),
                                     [](const Walker& w) { return w.walked >= kWalk; });
    peds_ += static_cast<int>(walkers_.end() - done);
    walkers_.erase(done, walkers_.end());
    // Those still waiting close up at their kerb.
    std::array<std::array<int, 2>, 4> waiting{};
    for (Walker& w : walkers_)
        if (w.walked < 0) w.place = waiting[w.crossing][w.side]++;
}

void TrafficLight::UpdateSimulation() {
    if (Stopped()) return;
    const Head ns = head(NorthSouth), ew = head(EastWest);
    const bool nsMoving = ns.amber || ns.green, ewMoving = ew.amber || ew.green;
    // Amber both ways is the flashing of night operation, not a conflict.
    const bool flashing = !ns.green && !ew.green && (nightSwitch() || nightAfter_ > 0);
    if (nsMoving && ewMoving && !flashing) return stop(StopCause::ConflictingGreens);
    if ((outputs_[NsWalk] && ewMoving) || (outputs_[EwWalk] && nsMoving))
        return stop(StopCause::PedestriansInPath);

    ++time_;
    nightAfter_ = nightSwitch() ? kNightGrace : std::max(0, nightAfter_ - 1);
    auto valid = [](Head h) { return (h.red && !h.green) || (!h.red && (h.green != h.amber)); };
    if (nightAfter_ == 0 && (!valid(ns) || !valid(ew))) ++headFaults_;

    arrive();
    moveCars();
    moveWalkers();

    for (int road = 0; road < 2; ++road) {
        sensors_.set(road == NorthSouth ? NsCarWaiting : EwCarWaiting, carStanding(Road(road)));
        buttonPressed_[road] = std::max(0, buttonPressed_[road] - 1);
    }
    controls_.exchange();
}

}  // namespace torvex
