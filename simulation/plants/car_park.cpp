#include "simulation/plants/car_park.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace torvex {

namespace {

using C = CarPark;

constexpr int kArrivalMean = 180;               // exchanges: a car every 18 s
constexpr int kStayShortest = 600;              // a car parks 1 ...
constexpr int kStayLongest = 3000;              // ... 5 minutes
constexpr int kGiveUpAfter = 300;               // exchanges of waiting at the entry
constexpr int kAgainstStopMost = 5;             // exchanges a motor may drive into an end stop
constexpr int kAccel = 4;                       // cm per exchange per exchange: 4 m/s²
constexpr int kDecel = 6;                       // braking gently
constexpr int kGap = 150;                       // between cars standing in a queue
constexpr int kStreetSpeed = 70;                // cm per exchange: 25 km/h
constexpr int kLaneSpeed = 30;                  // in the lanes and aisles
constexpr int kTurnSpeed = 15, kBaySpeed = 10;  // into a bay, and in it
constexpr int kReverseSpeed = 20;
constexpr int kFree = std::numeric_limits<int>::max() / 4;

// Pieces of the paths. An arc's length is rounded to the centimetre.
constexpr C::Path::Piece Straight(int length) {
    return {length, 0, 0};
}
constexpr C::Path::Piece Arc(int radius, int turn) {
    return {static_cast<int>((int64_t{radius} * (turn < 0 ? -turn : turn) * 314159 + 9000000) /
                             18000000),
            radius, turn};
}

constexpr int BayX(int bay) {
    return C::kBayLeft + bay * C::kBayWidth + C::kBayWidth / 2;
}

// The entry path: along the near lane, left into the entry lane, right into the lower aisle,
// left into the bay.
constexpr int kStreetRun = 900;  // from the start to the turn into the entry lane
constexpr int kEntryTurn = 400, kAisleTurn = 350, kBayTurn = 175, kParkRun = 530;
constexpr int kEntryBoom =
    kStreetRun + Arc(kEntryTurn, 90).length + (C::kUpperLane - kEntryTurn - C::kBoomY);
constexpr int kEntryWait = kEntryBoom - C::kWaitAt;
constexpr int kAisleStart = kStreetRun + Arc(kEntryTurn, 90).length +
                            (C::kUpperLane - kEntryTurn - C::kLowerAisle - kAisleTurn) +
                            Arc(kAisleTurn, 90).length;
constexpr int TurnIn(int bay) {
    return kAisleStart + BayX(bay) - kBayTurn - (C::kEntryX + kAisleTurn);
}
constexpr int Parked(int bay) {
    return TurnIn(bay) + Arc(kBayTurn, 90).length + kParkRun;
}

// The exit path: forwards out of the bay, right along the upper aisle, right into the exit
// lane, left into the near lane and away to the right.
constexpr int kBayOut = C::kBayTop + 30;  // a parked car's front
constexpr int kExitTurn = 350, kStreetTurn = 350;
constexpr int kIntoAisle = 30 + Arc(kBayTurn, 90).length;  // out of the bay, facing the exit
constexpr int ExitBoom(int bay) {
    return kIntoAisle + (C::kExitX - kExitTurn - BayX(bay) - kBayTurn) + Arc(kExitTurn, 90).length +
           (C::kBoomY - C::kUpperAisle - kExitTurn);
}

// From the exit boom to the street's near lane.
constexpr int kStreetJoin = C::kUpperLane - kStreetTurn - C::kBoomY + Arc(kStreetTurn, 90).length;

// Giving up: back out of the entry lane round into the far lane.
constexpr int kReverseRun = C::kLowerLane - kEntryTurn - (C::kBoomY + C::kWaitAt);
constexpr int kReverseEnd = C::kEntryX - kEntryTurn;  // x of the front in the far lane
constexpr int kLaneChange = 970;                      // radius of the two arcs of a lane change

// floor(sqrt(n)) for n >= 0, exactly.
int SquareRoot(int64_t n) {
    int64_t r = 0;
    for (int64_t bit = int64_t{1} << 40; bit > 0; bit >>= 2) {
        if (n >= r + bit) {
            n -= r + bit;
            r = (r >> 1) + bit;
        } else {
            r >>= 1;
        }
    }
    return static_cast<int>(r);
}

// The fastest a car may go and still slow to `after` within `distance`, braking gently.
int Limit(int after, int distance) {
    return SquareRoot(int64_t{after} * after + int64_t{2} * kDecel * std::max(0, distance));
}

PlantDescription MakeDescription() {
    PlantDescription d;
    d.number = 3;
    d.key = "carpark";
    d.name = "Car Park";
    d.summary = {
        "A car park of eight bays behind an entry barrier and an exit barrier. Each barrier has "
        "a loop where a car waits before it, a safety loop under it, a motor to raise it and a "
        "motor to lower it, and limit switches at fully up and fully down; a barrier takes 2 s "
        "to travel all the way. Cars arrive along the street at random (about one every 18 s): "
        "one that finds FULL lit or the car park closed drives on; the others queue at the "
        "entry, and one that has waited 30 s gives up and leaves. A waiting car drives on only "
        "when its barrier is fully up (and the car before it has left the safety loop), and "
        "spends at least 1 s under it; a car that sees the boom coming down before it reaches "
        "it stops. Cars park for 1 to 5 minutes and then leave through the exit. The SPACES and "
        "FULL signs, the attendant's reset and the key switch are for the diagram to use. The "
        "car park starts empty with both barriers fully down.",
        "Kahdeksanpaikkainen pysäköintialue sisäänajo- ja ulosajopuomin takana. Kummallakin "
        "puomilla on silmukka, jolla auto odottaa puomin edessä, turvasilmukka puomin alla, "
        "moottori puomin nostoon ja toinen laskuun sekä rajakytkimet täysin ylhäällä ja täysin "
        "alhaalla; puomi kulkee ääriasennosta toiseen 2 sekunnissa. Autoja saapuu katua pitkin "
        "satunnaisesti (keskimäärin yksi 18 sekunnin välein): auto, joka näkee TÄYNNÄ-valon tai "
        "suljetun alueen, ajaa ohi; muut jonottavat sisäänajolle, ja 30 sekuntia odottanut "
        "luovuttaa ja lähtee. Odottava auto lähtee liikkeelle vasta, kun puomi on täysin "
        "ylhäällä (ja edellinen auto on poistunut turvasilmukalta), ja viipyy puomin alla "
        "vähintään 1 s; auto, joka näkee puomin laskeutuvan ennen kuin on sen kohdalla, "
        "pysähtyy. Autot ovat pysäköitynä 1–5 minuuttia ja lähtevät sitten ulosajon kautta. "
        "TILAA- ja TÄYNNÄ-kyltit, valvojan kuittaus ja avainkytkin ovat kaavion käyttöön. Alue "
        "on aluksi tyhjä ja molemmat puomit täysin alhaalla."};
    d.width = 530;
    d.height = 305;
    auto sensor = [](const char* en, const char* fi) {
        return PointDescription{PointKind::Sensor, {en, fi}};
    };
    d.inputs = {
        sensor("Entry: a car waits at the barrier (loop before it)",
               "Sisäänajo: auto odottaa puomilla (silmukka puomin edessä)"),
        sensor("Entry barrier fully up (limit switch)",
               "Sisäänajopuomi täysin ylhäällä (rajakytkin)"),
        sensor("Entry barrier fully down (limit switch)",
               "Sisäänajopuomi täysin alhaalla (rajakytkin)"),
        sensor("Entry: a car is under the barrier (safety loop)",
               "Sisäänajo: auto on puomin alla (turvasilmukka)"),
        sensor("Exit: a car waits at the barrier (loop before it)",
               "Ulosajo: auto odottaa puomilla (silmukka puomin edessä)"),
        sensor("Exit barrier fully up (limit switch)", "Ulosajopuomi täysin ylhäällä (rajakytkin)"),
        sensor("Exit barrier fully down (limit switch)",
               "Ulosajopuomi täysin alhaalla (rajakytkin)"),
        sensor("Exit: a car is under the barrier (safety loop)",
               "Ulosajo: auto on puomin alla (turvasilmukka)"),
        PointDescription{PointKind::PushButton, {"Attendant reset", "Valvojan kuittaus"}},
        PointDescription{PointKind::Switch,
                         {"Car park closed (key switch): on while closed",
                          "Alue suljettu (avainkytkin): päällä, kun alue on suljettu"}},
    };
    auto actuator = [](const char* en, const char* fi) {
        return PointDescription{PointKind::Actuator, {en, fi}};
    };
    d.outputs = {
        actuator("Entry barrier: raise (motor)", "Sisäänajopuomi: nosto (moottori)"),
        actuator("Entry barrier: lower (motor)", "Sisäänajopuomi: lasku (moottori)"),
        actuator("Exit barrier: raise (motor)", "Ulosajopuomi: nosto (moottori)"),
        actuator("Exit barrier: lower (motor)", "Ulosajopuomi: lasku (moottori)"),
        PointDescription{PointKind::Lamp, {"FULL sign", "TÄYNNÄ-kyltti"}},
        PointDescription{PointKind::Lamp, {"SPACES sign", "TILAA-kyltti"}},
    };
    d.figures = {
        {"stopped",
         {"1 when the plant stopped the run, otherwise 0",
          "1, jos laitos pysäytti ajon, muuten 0"}},
        {"cars_in",
         {"cars let in: their front passed the entry barrier",
          "sisään päästetyt autot: niiden keula ohitti sisäänajopuomin"}},
        {"cars_out",
         {"cars let out: their front passed the exit barrier",
          "ulos päästetyt autot: niiden keula ohitti ulosajopuomin"}},
        {"turned_away",
         {"arriving cars that drove on because FULL was lit or the car park was closed",
          "saapuneet autot, jotka ajoivat ohi, koska TÄYNNÄ paloi tai alue oli suljettu"}},
        {"gave_up",
         {"cars that left the entry queue after waiting 30 s",
          "autot, jotka lähtivät sisäänajon jonosta odotettuaan 30 s"}},
        {"max_entry_wait",
         {"longest time in seconds a car waited from its arrival until its front passed the "
          "entry barrier (one that gave up or still waits counts too)",
          "pisin aika sekunteina, jonka auto odotti saapumisestaan siihen, kun sen keula ohitti "
          "sisäänajopuomin (myös luovuttanut tai yhä odottava)"}},
        {"occupied",
         {"bays taken now: by a parked car, or by a car let in on its way to it",
          "varatut paikat nyt: pysäköity auto tai sisään päästetty auto matkalla paikalleen"}},
        {"max_occupied",
         {"most bays taken at once",
          "suurin yhtä aikaa varattujen paikkojen "
          "määrä"}},
    };
    d.stopReasons = {
        {{"barrier lowered onto a car", "puomi laskettiin auton päälle"},
         {"a barrier's lower motor runs while a car is under the boom",
          "puomin laskumoottori käy, kun auto on puomin alla"}},
        {{"barrier raised and lowered at once", "puomia nostettiin ja laskettiin yhtä aikaa"},
         {"the raise and lower motors of one barrier are on together",
          "saman puomin nosto- ja laskumoottori ovat päällä yhtä aikaa"}},
        {{"barrier motor against its end stop", "puomin moottori ajaa päätyrajaa vasten"},
         {"a barrier's motor drives it on against its end stop (raise while fully up, lower "
          "while fully down) for more than 0.5 s",
          "puomin moottori ajaa sitä yli 0,5 s päätyrajaa vasten (nosto täysin ylhäällä, lasku "
          "täysin alhaalla)"}},
        {{"car park overfilled", "pysäköintialue ylitäytetty"},
         {"a car is let in (its front passes the entry barrier) while all eight bays are taken",
          "auto päästetään sisään (sen keula ohittaa sisäänajopuomin), kun kaikki kahdeksan "
          "paikkaa ovat varattuina"}},
    };
    d.pictureOutputs = 1u << C::SpacesSign;
    d.pictureSeconds = 25;
    return d;
}

}  // namespace

int CarPark::Path::length() const {
    int total = 0;
    for (int k = 0; k < count; ++k) total += pieces[k].length;
    return total;
}

CarPark::Pose CarPark::Path::pose(double s) const {
    constexpr double kDegree = M_PI / 180;
    double x = start.x, y = start.y, travel = start.heading;
    // The right-hand normal of a travel direction, on the picture.
    auto normal = [](double degrees, double& nx, double& ny) {
        nx = -std::sin(degrees * kDegree);
        ny = std::cos(degrees * kDegree);
    };
    for (int k = 0; k < count && s > 0; ++k) {
        const Piece& p = pieces[k];
        const double along = std::min<double>(s, p.length);
        s -= along;
        if (p.turn == 0) {
            x += along * std::cos(travel * kDegree);
            y += along * std::sin(travel * kDegree);
            continue;
        }
        const double side = p.turn > 0 ? 1 : -1;
        double nx, ny;
        normal(travel, nx, ny);
        const double cx = x + side * p.radius * nx, cy = y + side * p.radius * ny;
        travel += p.turn * along / p.length;
        normal(travel, nx, ny);
        x = cx - side * p.radius * nx;
        y = cy - side * p.radius * ny;
    }
    return {x, y, reverse ? travel + 180 : travel};
}

CarPark::Path CarPark::PathOf(const Car& car) {
    Path path;
    auto add = [&](Path::Piece p) { path.pieces[path.count++] = p; };
    switch (car.way) {
        case Way::Entry: {
            const int bay = std::max(car.bay, 0);  // before it has a bay: the way they share
            path.start = {-100, kUpperLane, 0};
            add(Straight(kStreetRun));
            add(Arc(kEntryTurn, -90));
            add(Straight(kUpperLane - kEntryTurn - kLowerAisle - kAisleTurn));
            add(Arc(kAisleTurn, 90));
            add(Straight(BayX(bay) - kBayTurn - (kEntryX + kAisleTurn)));
            add(Arc(kBayTurn, -90));
            add(Straight(kParkRun));
            break;
        }
        case Way::Exit:
            path.start = {static_cast<double>(BayX(car.bay)), kBayOut, -90};
            add(Straight(30));
            add(Arc(kBayTurn, 90));
            add(Straight(kExitX - kExitTurn - BayX(car.bay) - kBayTurn));
            add(Arc(kExitTurn, 90));
            add(Straight(kUpperLane - kStreetTurn - kUpperAisle - kExitTurn));
            add(Arc(kStreetTurn, -90));
            add(Straight(kWidth + 600 - (kExitX + kStreetTurn)));
            break;
        case Way::Reverse:
            // Backwards: the way it travels is down, then round to the left.
            path.start = {kEntryX, kBoomY + kWaitAt, 90};
            path.reverse = true;
            add(Straight(kReverseRun));
            add(Arc(kEntryTurn, 90));
            break;
        case Way::PullOut:
            path.start = {static_cast<double>(car.from), kUpperLane, 0};
            add(Arc(kLaneChange, 30));
            add(Arc(kLaneChange, -30));
            add(Straight(std::max(0, kWidth + 600 - car.from - kLaneChange)));
            break;
        case Way::Far:
            path.start = {static_cast<double>(car.from), kLowerLane, 0};
            add(Straight(std::max(0, kWidth + 600 - car.from)));
            break;
    }
    return path;
}

const PlantDescription& CarPark::Description() {
    static const PlantDescription description = MakeDescription();
    return description;
}

CarPark::CarPark(uint64_t seed) : seed_(seed), random_(seed) {}

void CarPark::StartSimulation() {
    random_ = PlantRandom(seed_);
    controls_.reset();
    sensors_.reset();
    outputs_ = {};
    cause_ = StopCause::None;
    stopGate_ = Entry;
    time_ = 0;
    nextId_ = 1;
    barrier_ = {};
    againstStop_ = {};
    entering_.clear();
    parked_ = {};
    leaving_.clear();
    passing_.clear();
    pending_.clear();
    carsIn_ = carsOut_ = turnedAway_ = gaveUp_ = mostOccupied_ = 0;
    longestEntryWait_ = 0;
}

bool CarPark::Input(int k) const {
    switch (k) {
        case EntryWaiting:
        case EntryUnder:
        case ExitWaiting:
        case ExitUnder:
            return sensors_.value(k);
        case EntryUp:
            return barrier_[Entry] == kTravel;
        case EntryDown:
            return barrier_[Entry] == 0;
        case ExitUp:
            return barrier_[Exit] == kTravel;
        case ExitDown:
            return barrier_[Exit] == 0;
        case AttendantReset:
        case Closed:
            return controls_.value(k);
        default:
            return false;
    }
}

Bilingual CarPark::stopReason() const {
    if (cause_ == StopCause::None) return {};
    return Description().stopReasons[static_cast<int>(cause_) - 1].reason;
}

bool CarPark::operate(int input, bool on) {
    return controls_.operate(Description(), input, on);
}

int CarPark::occupied() const {
    int taken = 0;
    for (const Car& c : parked_) taken += c.id != 0;
    for (const Car& c : entering_) taken += c.bay >= 0;
    return taken;
}

std::vector<std::pair<std::string, double>> CarPark::figures() const {
    int64_t wait = longestEntryWait_;
    for (const Car& c : entering_)
        if (c.s < kEntryBoom) wait = std::max(wait, time_ - c.arrived);
    for (int64_t arrived : pending_) wait = std::max(wait, time_ - arrived);
    return {
        {"stopped", Stopped() ? 1 : 0}, {"cars_in", carsIn_},
        {"cars_out", carsOut_},         {"turned_away", turnedAway_},
        {"gave_up", gaveUp_},           {"max_entry_wait", static_cast<double>(wait) / 10},
        {"occupied", occupied()},       {"max_occupied", mostOccupied_},
    };
}

std::vector<const CarPark::Car*> CarPark::cars() const {
    std::vector<const Car*> all;
    for (const auto* list : {&entering_, &leaving_, &passing_})
        for (const Car& c : *list) all.push_back(&c);
    for (const Car& c : parked_)
        if (c.id != 0) all.push_back(&c);
    return all;
}

bool CarPark::span(const Car& car, Gate gate, int& front, int& rear) const {
    if (gate == Entry && car.way == Way::Entry) {
        front = kEntryBoom - car.s;
    } else if (gate == Entry && car.way == Way::Reverse && car.s <= kReverseRun) {
        front = kWaitAt + car.s;
        rear = front + kCarLength;
        return true;
    } else if (gate == Exit && car.way == Way::Exit) {
        front = ExitBoom(car.bay) - car.s;
    } else {
        return false;
    }
    rear = front + kCarLength;
    return true;
}

// Some car covers part of [near, far] before the gate's boom.
bool CarPark::carIn(Gate gate, int near, int far) const {
    for (const auto* list : {&entering_, &leaving_, &passing_})
        for (const Car& c : *list) {
            int front, rear;
            if (span(c, gate, front, rear) && front < far && rear > near) return true;
        }
    return false;
}

void CarPark::stop(StopCause cause, Gate gate) {
    cause_ = cause;
    stopGate_ = gate;
}

CarPark::Car CarPark::newCar(Way way) {
    Car car;
    car.id = nextId_++;
    car.way = way;
    car.reaction = 5 + random_.below(10);
    car.creep = 10 + random_.below(9);
    car.arrived = time_;
    return car;
}

// Moves the car on by what the way ahead allows: `room` to stop in braking gently, `hard`
// at the very most, and no faster than `most`.
void CarPark::drive(Car& car, int room, int hard, int most) {
    const int speed = std::max(0, std::min({car.speed + kAccel, most, Limit(0, room), hard}));
    car.braking = speed < car.speed;
    car.speed = speed;
    car.s += speed;
}

// Where a car on the street is, as the x of its front, for those in the far lane.
int CarPark::streetX(const Car& car) const {
    if (car.way == Way::Reverse) return kReverseEnd;
    return car.from + car.s;
}

// No car in the far lane (or coming into it) has its front in [from, to].
bool CarPark::farLaneClear(int from, int to) const {
    return std::none_of(passing_.begin(), passing_.end(), [&](const Car& c) {
        const int x = streetX(c);
        return x >= from && x <= to;
    });
}

void CarPark::arrive() {
    if (random_.oneIn(kArrivalMean)) {
        if (outputs_[FullSign] || controls_.value(Closed)) {
            ++turnedAway_;
            Car car = newCar(Way::Far);
            car.from = -100;
            car.speed = kStreetSpeed;
            if (farLaneClear(-kWidth, kCarLength + kGap - 100)) passing_.push_back(car);
        } else {
            pending_.push_back(time_);
        }
    }
    // An arrival comes into sight when there is room behind the last car of the queue.
    if (!pending_.empty() &&
        (entering_.empty() || entering_.back().s >= kCarLength + kGap + kStreetSpeed)) {
        Car car = newCar(Way::Entry);
        car.arrived = pending_.front();
        const int room = entering_.empty() ? kFree : entering_.back().s - kCarLength - kGap;
        car.speed = std::min(kStreetSpeed, Limit(0, room));
        entering_.push_back(car);
        pending_.erase(pending_.begin());
    }
}

void CarPark::giveUp() {
    auto waited = [&](int64_t arrived) { return time_ - arrived >= kGiveUpAfter; };
    while (!pending_.empty() && waited(pending_.front())) {
        longestEntryWait_ = std::max(longestEntryWait_, time_ - pending_.front());
        pending_.erase(pending_.begin());
        ++gaveUp_;
    }
    const bool reversing = std::any_of(passing_.begin(), passing_.end(),
                                       [](const Car& c) { return c.way == Way::Reverse; });
    for (size_t i = 0; i < entering_.size(); ++i) {
        Car& car = entering_[i];
        if (car.committed || car.s >= kEntryBoom || car.speed != 0 || !waited(car.arrived))
            continue;
        Car out = car;
        if (car.s == kEntryWait) {
            // At the barrier: back out round into the far lane, when nothing comes along it.
            if (reversing || !farLaneClear(kReverseEnd - 1500, kReverseEnd + 600)) continue;
            out.way = Way::Reverse;
        } else if (car.s <= kStreetRun) {
            // Still on the street: pull out into the far lane.
            out.from = car.s - 100;
            if (!farLaneClear(out.from - 1500, out.from + 600)) continue;
            out.way = Way::PullOut;
        } else {
            continue;  // in the turn: it gives up once it stands at the barrier
        }
        out.s = 0;
        out.speed = 0;
        longestEntryWait_ = std::max(longestEntryWait_, time_ - car.arrived);
        ++gaveUp_;
        passing_.push_back(out);
        entering_.erase(entering_.begin() + static_cast<long>(i));
        --i;
    }
}

void CarPark::moveEntering() {
    const bool reversing = std::any_of(passing_.begin(), passing_.end(),
                                       [](const Car& c) { return c.way == Way::Reverse; });
    for (size_t i = 0; i < entering_.size(); ++i) {
        Car& car = entering_[i];
        int room = kFree, hard = kFree;
        auto limitTo = [&](int roomTo, int hardTo) {
            room = std::min(room, roomTo - car.s);
            hard = std::min(hard, hardTo - car.s);
        };
        // Behind the nearest car ahead still on the way they share (a car turning into its
        // bay holds up those behind until its rear is out of the aisle).
        const bool shared = car.bay < 0 || car.s < TurnIn(car.bay);
        for (size_t j = i; shared && j-- > 0;) {
            const Car& ahead = entering_[j];
            if (ahead.bay >= 0 && ahead.s >= TurnIn(ahead.bay) + kCarLength) continue;
            const int rear =
                (ahead.bay >= 0 ? std::min(ahead.s, TurnIn(ahead.bay) + kCarLength) : ahead.s) -
                kCarLength;
            if (car.bay >= 0 && TurnIn(car.bay) + 200 < rear - kGap) break;
            limitTo(rear - kGap + ahead.speed * ahead.speed / (2 * kDecel), rear - kGap / 2);
            break;
        }
        // Behind a car pulling out of the queue ahead.
        for (const Car& out : passing_)
            if (out.way == Way::PullOut && out.s < Arc(kLaneChange, 30).length) {
                const int front = out.from + 100 + out.s;
                if (front > car.s) limitTo(front - kCarLength - kGap, front - kCarLength);
            }
        // Into the entry lane only when it is empty, and not when about to give up.
        if (car.s <= kStreetRun - 100) {
            const bool laneTaken = reversing || (i > 0 && entering_[i - 1].s < kEntryBoom) ||
                                   time_ - car.arrived >= kGiveUpAfter;
            if (laneTaken) limitTo(kStreetRun - 100, kStreetRun - 100);
        }
        int most = car.s < kStreetRun
                       ? std::min(kStreetSpeed, Limit(kLaneSpeed, kStreetRun - car.s))
                       : kLaneSpeed;
        if (car.s < kEntryBoom) {
            if (!car.committed) {
                limitTo(kEntryWait, kEntryWait);
                if (car.s == kEntryWait && car.speed == 0) {
                    const bool clear = fullyUp(Entry) && !carIn(Entry, -kSafety, kSafety);
                    car.ready = clear ? car.ready + 1 : 0;
                    car.committed = car.ready >= car.reaction;
                }
            } else if (!fullyUp(Entry)) {
                // The boom is coming down: stop before it.
                const int before = kEntryBoom - 30;
                limitTo(std::max(before, car.s), std::max(before, car.s));
            }
        }
        if (car.committed && car.s < kEntryBoom + kCarLength + kSafety)
            most = std::min(most, car.creep);
        if (car.bay >= 0) {
            if (car.s >= TurnIn(car.bay) + Arc(kBayTurn, 90).length)
                most = std::min(most, kBaySpeed);
            else if (car.s >= TurnIn(car.bay))
                most = std::min(most, kTurnSpeed);
            else
                most = std::min(most, Limit(kTurnSpeed, TurnIn(car.bay) - car.s));
            limitTo(Parked(car.bay), Parked(car.bay));
        }
        const bool before = car.s < kEntryBoom;
        drive(car, std::max(0, room), std::max(0, hard), most);
        if (before && car.s >= kEntryBoom) {
            // Let in: it takes a free bay, if there is one.
            longestEntryWait_ = std::max(longestEntryWait_, time_ - car.arrived);
            std::vector<int> free;
            for (int b = 0; b < kBays; ++b) {
                const bool taken =
                    parked_[b].id != 0 || std::any_of(entering_.begin(), entering_.end(),
                                                      [&](const Car& c) { return c.bay == b; });
                if (!taken) free.push_back(b);
            }
            if (free.empty()) return stop(StopCause::Overfilled, Entry);
            car.bay = free[random_.below(static_cast<int>(free.size()))];
            ++carsIn_;
        }
        if (car.bay >= 0 && car.s >= Parked(car.bay)) {
            car.speed = 0;
            car.braking = false;
            car.leaveAt = time_ + kStayShortest + random_.below(kStayLongest - kStayShortest + 1);
            parked_[car.bay] = car;
            entering_.erase(entering_.begin() + static_cast<long>(i));
            --i;
        }
    }
}

void CarPark::leaveBays() {
    for (int b = 0; b < kBays; ++b) {
        Car& car = parked_[b];
        if (car.id == 0 || time_ < car.leaveAt) continue;
        // Out into the upper aisle only when it is clear about the bay.
        const int start = ExitBoom(b), aisle = start - kIntoAisle;
        const bool clear = std::none_of(leaving_.begin(), leaving_.end(), [&](const Car& c) {
            const int w = ExitBoom(c.bay) - c.s;
            return w > aisle - kCarLength - kGap - 100 && w < start + kCarLength + kGap + 400;
        });
        if (!clear) continue;
        Car out = car;
        out.way = Way::Exit;
        out.s = 0;
        out.committed = false;
        out.ready = 0;
        car = Car();
        const auto at = std::find_if(leaving_.begin(), leaving_.end(),
                                     [&](const Car& c) { return ExitBoom(c.bay) - c.s > start; });
        leaving_.insert(at, out);
    }
}

void CarPark::moveLeaving() {
    for (size_t i = 0; i < leaving_.size(); ++i) {
        Car& car = leaving_[i];
        const int boom = ExitBoom(car.bay);
        int room = kFree, hard = kFree;
        auto limitTo = [&](int roomTo, int hardTo) {
            room = std::min(room, roomTo - car.s);
            hard = std::min(hard, hardTo - car.s);
        };
        if (i > 0) {
            // The car ahead, measured back from the boom.
            const Car& ahead = leaving_[i - 1];
            const int rear = boom - (ExitBoom(ahead.bay) - ahead.s) - kCarLength;
            limitTo(rear - kGap + ahead.speed * ahead.speed / (2 * kDecel), rear - kGap / 2);
        }
        int most = car.s < kIntoAisle ? kBaySpeed : kLaneSpeed;
        if (car.s < boom) {
            if (!car.committed) {
                limitTo(boom - kWaitAt, boom - kWaitAt);
                if (car.s == boom - kWaitAt && car.speed == 0) {
                    const bool clear = fullyUp(Exit) && !carIn(Exit, -kSafety, kSafety);
                    car.ready = clear ? car.ready + 1 : 0;
                    car.committed = car.ready >= car.reaction;
                }
            } else if (!fullyUp(Exit)) {
                const int before = boom - 30;
                limitTo(std::max(before, car.s), std::max(before, car.s));
            }
        }
        if (car.committed && car.s < boom + kCarLength + kSafety)
            most = std::min(most, car.creep);
        else if (car.s >= boom + kStreetJoin)
            most = kStreetSpeed;
        const bool before = car.s < boom;
        drive(car, std::max(0, room), std::max(0, hard), most);
        if (before && car.s >= boom) ++carsOut_;
        if (car.s >= PathOf(car).length()) {
            leaving_.erase(leaving_.begin() + static_cast<long>(i));
            --i;
        }
    }
}

void CarPark::movePassing() {
    for (size_t i = 0; i < passing_.size(); ++i) {
        Car& car = passing_[i];
        int room = kFree;
        if (car.way != Way::Reverse) {
            // Behind the nearest car ahead in the far lane.
            const int x = streetX(car);
            for (const Car& other : passing_) {
                const int ahead = streetX(other);
                if (&other != &car && ahead > x &&
                    (other.way != Way::Reverse || other.s > kReverseRun))
                    room = std::min(room, ahead - kCarLength - kGap - x);
            }
        }
        const int most = car.way == Way::Reverse ? kReverseSpeed : kStreetSpeed;
        drive(car, std::max(0, room), std::max(0, room + kGap / 2), most);
        if (car.s < PathOf(car).length()) continue;
        if (car.way == Way::Reverse) {
            // Round in the far lane: drive away.
            car.way = Way::Far;
            car.from = kReverseEnd;
            car.s = 0;
            car.speed = 0;
            continue;
        }
        passing_.erase(passing_.begin() + static_cast<long>(i));
        --i;
    }
}

void CarPark::UpdateSimulation() {
    if (Stopped()) return;
    for (Gate gate : {Entry, Exit}) {
        const bool raise = outputs_[2 * gate], lower = outputs_[2 * gate + 1];
        if (raise && lower) return stop(StopCause::RaisedAndLowered, gate);
        if (lower && barrier_[gate] > 0 && carIn(gate, -kUnder, kUnder))
            return stop(StopCause::LoweredOntoCar, gate);
        const bool against = (raise && barrier_[gate] == kTravel) || (lower && barrier_[gate] == 0);
        againstStop_[gate] = against ? againstStop_[gate] + 1 : 0;
        if (againstStop_[gate] > kAgainstStopMost) return stop(StopCause::AgainstEndStop, gate);
    }
    for (Gate gate : {Entry, Exit}) {
        if (outputs_[2 * gate]) barrier_[gate] = std::min(kTravel, barrier_[gate] + 1);
        if (outputs_[2 * gate + 1]) barrier_[gate] = std::max(0, barrier_[gate] - 1);
    }

    ++time_;
    arrive();
    giveUp();
    moveEntering();
    if (Stopped()) return;
    leaveBays();
    moveLeaving();
    movePassing();
    mostOccupied_ = std::max(mostOccupied_, occupied());

    sensors_.set(EntryWaiting, carIn(Entry, kLoopNear, kLoopFar));
    sensors_.set(EntryUnder, carIn(Entry, -kSafety, kSafety));
    sensors_.set(ExitWaiting, carIn(Exit, kLoopNear, kLoopFar));
    sensors_.set(ExitUnder, carIn(Exit, -kSafety, kSafety));
    controls_.exchange();
}

}  // namespace torvex
