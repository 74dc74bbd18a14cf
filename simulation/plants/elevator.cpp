#include "simulation/plants/elevator.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace torvex {

namespace {

using E = Elevator;

constexpr int kArrivalMean = 120;     // a passenger every 12 s somewhere in the building
constexpr int kMostWaiting = 12;      // on one landing; a thirteenth takes the stairs
constexpr int kPressExchanges = 4;    // a passenger holds a button 400 ms
constexpr int kPressAgain = 50;       // and presses again after 5 s while its lamp is dark
constexpr int kDoorwayExchanges = 8;  // to step through the door
constexpr int kClosingOnBody = 5;     // exchanges the door may push against someone: 0.5 s
constexpr int kQueueFront = -2600;    // the first place on a landing, by the hall button
constexpr int kQueueGap = 500;
constexpr int kCarSlots[E::kCapacity] = {-900, 900, -540, 540, -180, 180};

PlantDescription MakeDescription() {
    PlantDescription d;
    d.number = 4;
    d.key = "elevator";
    d.name = "Elevator";
    d.summary = {
        "A lift serving four floors: a car in a shaft, run up and down by a motor, with a door "
        "that a door motor opens and closes. Each floor has a hall call button, the car a "
        "button for each floor, and each floor one call lamp, lit by the diagram when a call "
        "for that floor is registered. Passengers arrive at random, about one every 12 s, two "
        "in five of them at floor 1; half of the others go down to floor 1. They press "
        "the hall button when its lamp is dark (again every 5 s while it stays dark), board "
        "when the door is fully open at their floor, press the button of the floor they want "
        "and leave the car there. Those getting off go first; the car holds six, and those it "
        "leaves behind call again once it has gone. Stepping through the door takes 0.8 s, in "
        "the light curtain; someone who reaches the door when it is less than half open waits "
        "for it to open again. The car travels a floor in 3 s and stops the moment its motor "
        "is off. A level sensor is on while the car is within 10 cm of its floor, 0.3 s as the "
        "car passes, and a car stopped while it is on is level. The door takes 2 s to open or "
        "close fully. The plant starts with the car level at floor 1, the door fully closed "
        "and nobody waiting.",
        "Neljän kerroksen hissi: kuilussa kori, jota moottori ajaa ylös ja alas, ja korin ovi, "
        "jonka oven moottori avaa ja sulkee. Joka kerroksessa on ulkokutsupainike, korissa "
        "painike kullekin kerrokselle ja kullakin kerroksella yksi kutsun kuittausvalo, jonka "
        "kaavio sytyttää, kun kutsu kerrokseen on rekisteröity. Matkustajia saapuu "
        "satunnaisesti, noin yksi 12 sekunnin välein, heistä kaksi viidestä kerrokseen 1; "
        "muista puolet menevät alas kerrokseen 1. He painavat "
        "ulkokutsupainiketta, kun sen valo on pimeä (uudelleen 5 sekunnin välein valon "
        "pysyessä pimeänä), nousevat koriin, kun ovi on heidän kerroksessaan täysin auki, "
        "painavat haluamansa kerroksen painiketta ja poistuvat korista siellä. Poistujat "
        "menevät ensin; koriin mahtuu kuusi, ja ne, jotka jäävät täyden korin jälkeen, "
        "kutsuvat uudelleen, kun kori on lähtenyt. Ovesta kulkeminen kestää 0,8 s "
        "valoverhossa; joka tulee ovelle sen ollessa alle puoliksi auki, odottaa sen "
        "aukeamista uudelleen. Kori kulkee kerrosvälin 3 sekunnissa ja pysähtyy heti, kun sen "
        "moottori sammuu. Tasoanturi on päällä, kun kori on 10 cm:n päässä kerroksensa "
        "tasosta, ohi kulkiessa 0,3 s, ja kori, joka pysähtyy anturin ollessa päällä, on "
        "tasossa. Ovi aukeaa tai sulkeutuu kokonaan 2 sekunnissa. Aluksi kori on tasossa "
        "kerroksessa 1, ovi täysin kiinni eikä kukaan odota."};
    d.width = 530;
    d.height = 348;
    auto sensor = [](std::string en, std::string fi) {
        return PointDescription{PointKind::Sensor, {std::move(en), std::move(fi)}};
    };
    for (int f = 0; f < E::kFloors; ++f) {
        const std::string n = std::to_string(f + 1);
        d.inputs[E::Level1 + f] =
            sensor("car level at floor " + n, "kori kerroksen " + n + " tasolla");
        d.inputs[E::HallCall1 + f] = {
            PointKind::PushButton,
            {"hall call button, floor " + n, "ulkokutsupainike, kerros " + n}};
        d.inputs[E::CarButton1 + f] = {
            PointKind::PushButton, {"car button for floor " + n, "korin painike kerrokseen " + n}};
        d.outputs[E::CallLamp1 + f] = {
            PointKind::Lamp,
            {"call registered lamp, floor " + n, "kutsun kuittausvalo, kerros " + n}};
        d.outputs[E::Position1 + f] = {
            PointKind::Lamp, {"position indicator, floor " + n, "kerrosnäyttö, kerros " + n}};
    }
    d.inputs[E::DoorOpen] =
        sensor("door fully open (limit switch)", "ovi täysin auki (rajakytkin)");
    d.inputs[E::DoorClosed] =
        sensor("door fully closed (limit switch)", "ovi täysin kiinni (rajakytkin)");
    d.inputs[E::DoorObstructed] = sensor("door obstruction (light curtain: someone in the doorway)",
                                         "oven este (valoverho: joku oviaukossa)");
    auto actuator = [](std::string en, std::string fi) {
        return PointDescription{PointKind::Actuator, {std::move(en), std::move(fi)}};
    };
    d.outputs[E::MotorUp] = actuator("motor up", "moottori ylös");
    d.outputs[E::MotorDown] = actuator("motor down", "moottori alas");
    d.outputs[E::DoorOpenMotor] = actuator("door open (door motor)", "ovi auki (oven moottori)");
    d.outputs[E::DoorCloseMotor] =
        actuator("door close (door motor)", "ovi kiinni (oven moottori)");
    d.outputs[E::ArrowUp] = {PointKind::Lamp, {"direction arrow up", "suuntanuoli ylös"}};
    d.outputs[E::ArrowDown] = {PointKind::Lamp, {"direction arrow down", "suuntanuoli alas"}};
    d.outputs[E::Chime] = actuator("arrival chime (sounder)", "saapumisgongi (äänimerkki)");
    d.figures = {
        {"stopped",
         {"1 when the plant stopped the run, otherwise 0",
          "1, jos laitos pysäytti ajon, muuten 0"}},
        {"delivered",
         {"passengers delivered: stepped out of the car at the floor they wanted",
          "perille viedyt matkustajat: astuneet ulos korista haluamassaan kerroksessa"}},
        {"waiting",
         {"passengers waiting now on the landings", "kerrostasanteilla nyt odottavat matkustajat"}},
        {"max_wait",
         {"longest time in seconds a passenger waited for the car, from coming onto the "
          "landing to stepping into the car (one still waiting counts too)",
          "pisin aika sekunteina, jonka matkustaja odotti koria, tasanteelle tulosta koriin "
          "astumiseen (myös yhä odottava)"}},
        {"mean_wait",
         {"mean of those waits, in seconds, over the passengers who have boarded",
          "noiden odotusten keskiarvo sekunteina koriin nousseista matkustajista"}},
        {"max_ride",
         {"longest time in seconds a passenger spent in the car, from stepping in to stepping "
          "out (one still riding counts too)",
          "pisin aika sekunteina, jonka matkustaja oli korissa, sisään astumisesta ulos "
          "astumiseen (myös yhä korissa oleva)"}},
    };
    d.stopReasons = {
        {{"up and down together", "ylös ja alas yhtä aikaa"},
         {"motor up (OP0) and motor down (OP1) are on together",
          "moottori ylös (OP0) ja moottori alas (OP1) ovat päällä yhtä aikaa"}},
        {{"car moving with the door open", "kori liikkui ovi auki"},
         {"the car moves (OP0 or OP1 on) while the door is not fully closed, or the door starts "
          "to open as it moves",
          "kori liikkuu (OP0 tai OP1 päällä), kun ovi ei ole täysin kiinni, tai ovi alkaa "
          "aueta sen liikkuessa"}},
        {{"overtravel", "yliajo"},
         {"the car travels more than half a floor above floor 4 or below floor 1",
          "kori kulkee yli puoli kerrosväliä kerroksen 4 yläpuolelle tai kerroksen 1 "
          "alapuolelle"}},
        {{"door closed on a passenger", "ovi sulkeutui matkustajan päälle"},
         {"the door keeps closing (OP3 on, OP2 off) for more than 0.5 s while someone is in the "
          "doorway (IP14 on)",
          "ovi jatkaa sulkeutumista (OP3 päällä, OP2 pois) yli 0,5 s, kun joku on oviaukossa "
          "(IP14 päällä)"}},
    };
    d.pictureOutputs = static_cast<uint16_t>(1u << E::DoorOpenMotor | 1u << E::Position1 |
                                             1u << E::ArrowUp | 1u << (E::CallLamp1 + 2));
    d.pictureSeconds = 45;
    return d;
}

int Towards(int from, int to, int step) {
    return from + std::clamp(to - from, -step, step);
}

}  // namespace

const PlantDescription& Elevator::Description() {
    static const PlantDescription description = MakeDescription();
    return description;
}

Elevator::Elevator(uint64_t seed) : seed_(seed), random_(seed) {}

void Elevator::StartSimulation() {
    random_ = PlantRandom(seed_);
    controls_.reset();
    outputs_ = {};
    pressLeft_ = {};
    cause_ = StopCause::None;
    time_ = 0;
    nextId_ = 1;
    car_ = 0;
    door_ = 0;
    closingOnBody_ = 0;
    people_.clear();
    delivered_ = boardings_ = 0;
    totalWait_ = longestWait_ = longestRide_ = 0;
}

int Elevator::levelFloor() const {
    for (int f = 0; f < kFloors; ++f)
        if (std::abs(car_ - f * kFloorHeight) <= kLevelZone) return f;
    return -1;
}

bool Elevator::doorwayTaken() const {
    return std::any_of(people_.begin(), people_.end(),
                       [](const Passenger& p) { return p.where == Where::Doorway; });
}

bool Elevator::Input(int k) const {
    if (k >= Level1 && k < Level1 + kFloors) return levelFloor() == k - Level1;
    if (k >= HallCall1 && k < DoorOpen) return controls_.value(k) || pressLeft_[k] > 0;
    switch (k) {
        case DoorOpen:
            return door_ == kDoorTravel;
        case DoorClosed:
            return door_ == 0;
        case DoorObstructed:
            return doorwayTaken();
        default:
            return false;
    }
}

Bilingual Elevator::stopReason() const {
    if (cause_ == StopCause::None) return {};
    return Description().stopReasons[static_cast<int>(cause_) - 1].reason;
}

bool Elevator::operate(int input, bool on) {
    return controls_.operate(Description(), input, on);
}

std::vector<std::pair<std::string, double>> Elevator::figures() const {
    int waiting = 0;
    int64_t wait = longestWait_, ride = longestRide_;
    for (const Passenger& p : people_) {
        if (p.where == Where::Landing) {
            ++waiting;
            wait = std::max(wait, time_ - p.arrived);
        } else if (p.where == Where::Car || (p.where == Where::Doorway && p.inbound)) {
            ride = std::max(ride, time_ - p.boarded);
        }
    }
    return {
        {"stopped", Stopped() ? 1 : 0},
        {"delivered", delivered_},
        {"waiting", waiting},
        {"max_wait", static_cast<double>(wait) / 10},
        {"mean_wait", boardings_ ? static_cast<double>(totalWait_) / boardings_ / 10 : 0.0},
        {"max_ride", static_cast<double>(ride) / 10},
    };
}

void Elevator::press(Passenger& p, int input) {
    pressLeft_[input] = kPressExchanges;
    p.pressed = time_;
}

void Elevator::arrive() {
    if (!random_.oneIn(kArrivalMean)) return;
    // Two in five arrive at floor 1 and go up; half of the others go down to floor 1.
    const int where = random_.below(5);
    Passenger p;
    p.from = std::max(0, where - 1);
    if (p.from == 0) {
        p.to = 1 + random_.below(3);
    } else if (random_.oneIn(2)) {
        p.to = 0;
    } else {
        const int other = 1 + random_.below(2);  // one of the two other upper floors
        p.to = 1 + (p.from - 1 + other) % 3;
    }
    const auto onLanding = std::count_if(people_.begin(), people_.end(), [&](const Passenger& q) {
        return q.where == Where::Landing && q.from == p.from;
    });
    if (onLanding >= kMostWaiting) return;
    p.id = nextId_++;
    p.arrived = time_;
    people_.push_back(p);
}

// The one stepping through the door goes on while the door is open enough.
void Elevator::moveDoorway() {
    for (Passenger& p : people_) {
        if (p.where != Where::Doorway || door_ < kDoorPassable || --p.through > 0) continue;
        p.moving = false;
        p.x = 0;
        if (p.inbound) {
            p.where = Where::Car;
            bool taken[kCapacity] = {};
            for (const Passenger& q : people_)
                if (q.where == Where::Car && q.slot >= 0) taken[q.slot] = true;
            p.slot = static_cast<int>(std::find(taken, taken + kCapacity, false) - taken);
            p.pressed = -1;
        } else {
            p.where = Where::Leaving;
            ++delivered_;
        }
    }
}

void Elevator::moveRiders(int level) {
    for (Passenger& p : people_) {
        if (p.where != Where::Car) continue;
        const bool here = level == p.to;
        if (here && door_ == kDoorTravel) p.moving = true;
        if (!here || door_ < kDoorPassable) p.moving = false;
        p.x = Towards(p.x, p.moving ? 0 : kCarSlots[p.slot], kWalk);
        if (p.moving && p.x == 0 && !doorwayTaken()) {
            p.where = Where::Doorway;
            p.inbound = false;
            p.through = kDoorwayExchanges;
            longestRide_ = std::max(longestRide_, time_ - p.boarded);
        } else if (!p.moving && !(here && door_ > 0) && !lampLit(p.to) &&
                   (p.pressed < 0 || time_ - p.pressed >= kPressAgain)) {
            press(p, CarButton1 + p.to);
        }
    }
}

void Elevator::moveLanding(int level) {
    // Those getting off go first, and no more get on than the car holds.
    int load = 0;
    bool gettingOff = false;
    for (const Passenger& p : people_) {
        if (p.where == Where::Car || (p.where == Where::Doorway && p.inbound) ||
            (p.where == Where::Landing && p.moving))
            ++load;
        if (p.where == Where::Car && p.to == level) gettingOff = true;
    }
    constexpr int kNobody = 1 << 30;
    std::array<int, kFloors> queued{};
    std::array<int, kFloors> ahead;  // where the one ahead walking to the door is
    ahead.fill(kNobody);
    for (Passenger& p : people_) {
        if (p.where == Where::Leaving) {
            p.x = Towards(p.x, kStairDoor, kWalk);
            continue;
        }
        if (p.where != Where::Landing) continue;
        const bool here = level == p.from;
        if (!p.moving && here && door_ == kDoorTravel && !gettingOff) {
            p.moving = load < kCapacity;
            p.leftBehind = !p.moving;
            load += p.moving;
        }
        if (!here) p.leftBehind = false;
        if (!here || door_ < kDoorPassable) p.moving = false;
        int target = 0;
        if (p.moving) {
            if (ahead[p.from] != kNobody) target = std::min(0, ahead[p.from] - kQueueGap);
        } else {
            target = kQueueFront - kQueueGap * std::min(queued[p.from]++, kMostWaiting - 1);
        }
        p.x = Towards(p.x, target, kWalk);
        if (p.moving) ahead[p.from] = p.x;
        if (p.moving && p.x == 0 && !doorwayTaken()) {
            p.where = Where::Doorway;
            p.inbound = true;
            p.through = kDoorwayExchanges;
            p.boarded = time_;
            ++boardings_;
            totalWait_ += time_ - p.arrived;
            longestWait_ = std::max(longestWait_, time_ - p.arrived);
        } else if (!p.moving && p.x == target && !(here && door_ > 0) && !p.leftBehind &&
                   !lampLit(p.from) && (p.pressed < 0 || time_ - p.pressed >= kPressAgain)) {
            press(p, HallCall1 + p.from);
        }
    }
    std::erase_if(
        people_, [](const Passenger& p) { return p.where == Where::Leaving && p.x == kStairDoor; });
}

void Elevator::UpdateSimulation() {
    if (Stopped()) return;
    const bool up = outputs_[MotorUp], down = outputs_[MotorDown];
    const bool opening = outputs_[DoorOpenMotor] && !outputs_[DoorCloseMotor];
    const bool closing = outputs_[DoorCloseMotor] && !outputs_[DoorOpenMotor];
    const bool obstructed = doorwayTaken();
    int door = std::clamp(door_ + (opening ? 1 : 0) - (closing ? 1 : 0), 0, kDoorTravel);
    if (obstructed) door = std::max(door, std::min(door_, kDoorOnBody));
    const int car = car_ + (up ? kCarStep : 0) - (down ? kCarStep : 0);
    if (up && down) return stop(StopCause::UpAndDown);
    if (car != car_ && (door_ > 0 || door > 0)) return stop(StopCause::MovingDoorOpen);
    if (car > (kFloors - 1) * kFloorHeight + kOvertravel || car < -kOvertravel)
        return stop(StopCause::Overtravel);
    closingOnBody_ = closing && obstructed ? closingOnBody_ + 1 : 0;
    if (closingOnBody_ > kClosingOnBody) return stop(StopCause::DoorOnPassenger);

    ++time_;
    door_ = door;
    car_ = car;
    const int level = levelFloor();
    arrive();
    moveDoorway();
    moveRiders(level);
    moveLanding(level);
    for (int& left : pressLeft_) left = std::max(0, left - 1);
    controls_.exchange();
}

}  // namespace torvex
