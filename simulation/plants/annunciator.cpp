#include "simulation/plants/annunciator.h"

#include <algorithm>

namespace torvex {

namespace {

constexpr int kSecond = 1000 / Plant::kExchangeMs;  // exchanges
constexpr int kGrace = kSecond / 2;                 // after a change of the reference
constexpr int kAnnounceWithin = kSecond;

PlantDescription MakeDescription() {
    PlantDescription d;
    d.number = 2;
    d.key = "annunciator";
    d.name = "Annunciator";
    d.summary = {
        "An alarm panel of six windows over six process alarm points, with a horn, a common "
        "alarm beacon and the operator's Acknowledge, Reset, Lamp test and Silence buttons. The "
        "field contacts are fail-safe: closed (input on) while the process is normal, open "
        "(input off) on an alarm, so a broken wire alarms too. The process starts normal; click "
        "a point's switch under the panel to upset the process there and again to make it "
        "normal. The plant never stops the run. It follows the ISA-18.1 sequence A beside the "
        "diagram, fed by the same contacts and buttons, and counts the seconds in which the "
        "diagram's windows or horn differ from it: an alarm makes its window flash and the horn "
        "sound; Acknowledge makes every flashing window steady and the horn quiet; a window goes "
        "out when its alarm has been acknowledged and its process is normal again (an alarm "
        "that clears before it is acknowledged flashes on until it is); Lamp test lights every "
        "window while it is held; Silence quietens the horn and leaves the windows flashing. "
        "Sequence A needs no Reset; the reference ignores it. The beacon is left to the "
        "diagram.",
        "Hälytystaulu, jossa on kuusi ikkunaa kuudelle prosessin hälytyspisteelle, äänimerkki, "
        "yhteinen hälytysmajakka ja käyttäjän painikkeet Kuittaus, Palautus, Lampputesti ja "
        "Hiljennys. Kenttäkoskettimet ovat vikaturvallisia: kiinni (tulo päällä), kun prosessi "
        "on normaali, auki (tulo pois) hälytyksessä, joten myös katkennut johdin hälyttää. "
        "Prosessi on aluksi normaali; pisteen kytkimen napsautus taulun alla häiritsee "
        "prosessia siinä ja uusi napsautus palauttaa sen normaaliksi. Laitos ei koskaan "
        "pysäytä ajoa. Se seuraa kaavion rinnalla ISA-18.1-sekvenssiä A samoista "
        "koskettimista ja painikkeista ja laskee sekunnit, joina kaavion ikkunat tai "
        "äänimerkki poikkeavat siitä: hälytys saa ikkunansa vilkkumaan ja äänimerkin soimaan; "
        "Kuittaus tekee vilkkuvista ikkunoista tasaisesti palavia ja vaientaa äänimerkin; "
        "ikkuna sammuu, kun sen hälytys on kuitattu ja prosessi on taas normaali (ennen "
        "kuittausta poistunut hälytys vilkkuu, kunnes se kuitataan); Lampputesti sytyttää "
        "kaikki ikkunat niin kauan kuin sitä painetaan; Hiljennys vaientaa äänimerkin ja "
        "jättää ikkunat vilkkumaan. Sekvenssi A ei tarvitse palautusta; vertailu ei "
        "välitä siitä. Majakka on kaavion päätettävissä."};
    d.width = 149;
    d.height = 157;
    const Bilingual points[Annunciator::kWindows] = {
        {"high pressure", "korkea paine"},   {"high temperature", "korkea lämpötila"},
        {"low level", "matala pinta"},       {"low flow", "pieni virtaus"},
        {"pump tripped", "pumppu lauennut"}, {"gas detected", "kaasua havaittu"}};
    for (int w = 0; w < Annunciator::kWindows; ++w) {
        const std::string n = std::to_string(w + 1);
        d.inputs[w] = {PointKind::Switch,
                       {"Field contact of alarm point " + n + " (" + points[w].en +
                            "): on while normal, off in alarm",
                        "Hälytyspisteen " + n + " kenttäkosketin (" + points[w].fi +
                            "): päällä normaalisti, pois hälytyksessä"}};
        d.outputs[w] = {PointKind::Lamp,
                        {"Window of alarm point " + n + " (" + points[w].en +
                             "); the diagram makes it flash by switching it",
                         "Hälytyspisteen " + n + " ikkuna (" + points[w].fi +
                             "); kaavio vilkuttaa sitä kytkemällä sen päälle ja pois"}};
    }
    d.inputs[Annunciator::Acknowledge] = {PointKind::PushButton, {"Acknowledge", "Kuittaus"}};
    d.inputs[Annunciator::Reset] = {
        PointKind::PushButton,
        {"Reset (sequence A needs none)", "Palautus (sekvenssi A ei tarvitse sitä)"}};
    d.inputs[Annunciator::LampTest] = {PointKind::PushButton, {"Lamp test", "Lampputesti"}};
    d.inputs[Annunciator::Silence] = {
        PointKind::PushButton,
        {"Silence: quietens the horn, the windows go on flashing",
         "Hiljennys: vaientaa äänimerkin, ikkunat jatkavat vilkkumista"}};
    d.outputs[Annunciator::Horn] = {PointKind::Actuator,
                                    {"Horn (a short sound in the program when the sound is on)",
                                     "Äänimerkki (lyhyt ääni ohjelmassa, kun äänet ovat päällä)"}};
    d.outputs[Annunciator::Beacon] = {PointKind::Lamp,
                                      {"Common alarm beacon", "Yhteinen hälytysmajakka"}};
    d.figures = {
        {"stopped",
         {"always 0: the annunciator never stops the run",
          "aina 0: hälytystaulu ei "
          "koskaan pysäytä ajoa"}},
        {"alarms",
         {"alarm starts: a field contact opened while its window was out in the reference",
          "hälytysten alut: kenttäkosketin aukesi, kun sen ikkuna oli vertailussa sammunut"}},
        {"announced",
         {"alarm starts whose window lit and horn sounded within 1 s",
          "hälytysten alut, joiden ikkuna syttyi ja äänimerkki soi 1 s:n kuluessa"}},
        {"missed",
         {"alarms - announced (an alarm counts here during its first second until it is "
          "announced)",
          "alarms - announced (hälytys lasketaan tähän ensimmäisen sekuntinsa ajan, kunnes se "
          "on ilmoitettu)"}},
        {"acks",
         {"presses of Acknowledge that acknowledged a flashing window of the reference",
          "Kuittauksen painallukset, jotka kuittasivat vertailun vilkkuvan ikkunan"}},
        {"horn_s", {"seconds the horn sounded", "sekunnit, jotka äänimerkki soi"}},
        {"sequence_errors",
         {"whole seconds in which some window (off; flashing: it changed at least once in that "
          "second; steady on) or the horn differed from the reference, with 0.5 s of grace "
          "after each change of the reference",
          "kokonaiset sekunnit, joina jokin ikkuna (sammunut; vilkkuva: se muuttui sekunnin "
          "aikana ainakin kerran; tasaisesti palava) tai äänimerkki poikkesi vertailusta; "
          "jokaisen vertailun muutoksen jälkeen 0,5 s armonaikaa"}},
    };
    // An alarm on point 2 waiting for acknowledgement, point 5 acknowledged and standing.
    d.pictureControls = {{1, false}, {4, false}};
    d.pictureOutputs = static_cast<uint16_t>(1u << 1 | 1u << 4 | 1u << Annunciator::Horn |
                                             1u << Annunciator::Beacon);
    d.pictureSeconds = 1;
    return d;
}

}  // namespace

const PlantDescription& Annunciator::Description() {
    static const PlantDescription description = MakeDescription();
    return description;
}

Annunciator::Annunciator(uint64_t) {}

void Annunciator::StartSimulation() {
    controls_.reset();
    // Every process normal: every field contact closed.
    for (int w = 0; w < kWindows; ++w) controls_.operate(Description(), w, true);
    outputs_ = {};
    time_ = 0;
    state_ = {};
    hornArmed_ = ackCounted_ = false;
    checks_ = {};
    announcing_.clear();
    alarms_ = announced_ = acks_ = sequenceErrors_ = 0;
    hornExchanges_ = 0;
}

bool Annunciator::Input(int k) const {
    return k <= Silence && controls_.value(k);
}

bool Annunciator::operate(int input, bool on) {
    return controls_.operate(Description(), input, on);
}

Annunciator::Look Annunciator::referenceLook(int w) const {
    if (Input(LampTest) || state_[w] == State::Acknowledged) return Look::Steady;
    return state_[w] == State::Alert ? Look::Flashing : Look::Off;
}

bool Annunciator::referenceHorn() const {
    return hornArmed_ &&
           std::any_of(state_.begin(), state_.end(), [](State s) { return s == State::Alert; });
}

std::vector<std::pair<std::string, double>> Annunciator::figures() const {
    return {
        {"stopped", 0},
        {"alarms", alarms_},
        {"announced", announced_},
        {"missed", alarms_ - announced_},
        {"acks", acks_},
        {"horn_s", static_cast<double>(hornExchanges_) / kSecond},
        {"sequence_errors", sequenceErrors_},
    };
}

// One exchange of one item: `look` is what the reference wants now, `output` what the diagram
// drives.
void Annunciator::judge(Check& c, int look, bool output, bool isHorn) {
    if (look != c.lastLook) c.graceUntil = time_ + kGrace - 1;
    c.lastLook = look;
    if (output != c.lastOutput) c.lastChange = time_;
    c.lastOutput = output;
    if (time_ > c.graceUntil) {
        if (!isHorn && look == static_cast<int>(Look::Flashing)) {
            c.flashSeen = true;
            c.flashOk = c.lastChange > time_ - kSecond;
        } else {
            const bool wanted = isHorn ? look != 0 : look == static_cast<int>(Look::Steady);
            if (output != wanted) c.wrong = true;
        }
    }
}

void Annunciator::UpdateSimulation() {
    bool normal[kWindows];
    for (int w = 0; w < kWindows; ++w) normal[w] = Input(w);

    // The reference: sequence A.
    for (int w = 0; w < kWindows; ++w)
        if (state_[w] == State::Normal && !normal[w]) {
            state_[w] = State::Alert;
            hornArmed_ = true;
            ++alarms_;
            announcing_.push_back({w, time_, false, false});
        }
    if (Input(Acknowledge)) {
        bool acknowledged = false;
        for (int w = 0; w < kWindows; ++w)
            if (state_[w] == State::Alert) {
                state_[w] = normal[w] ? State::Normal : State::Acknowledged;
                acknowledged = true;
            }
        // A press held down counts once, however many alarms it acknowledges.
        if (acknowledged && !ackCounted_) ++acks_;
        ackCounted_ = ackCounted_ || acknowledged;
        hornArmed_ = false;
    } else {
        ackCounted_ = false;
    }
    if (Input(Silence)) hornArmed_ = false;
    for (int w = 0; w < kWindows; ++w)
        if (state_[w] == State::Acknowledged && normal[w]) state_[w] = State::Normal;

    // The diagram against it.
    for (int w = 0; w < kWindows; ++w)
        judge(checks_[w], static_cast<int>(referenceLook(w)), outputs_[w], false);
    judge(checks_[kWindows], referenceHorn() ? 1 : 0, outputs_[Horn], true);
    if (outputs_[Horn]) ++hornExchanges_;
    for (Announcing& a : announcing_) {
        a.lit = a.lit || outputs_[a.window];
        a.sounded = a.sounded || outputs_[Horn];
        if (a.lit && a.sounded) ++announced_;
    }
    std::erase_if(announcing_, [&](const Announcing& a) {
        return (a.lit && a.sounded) || time_ - a.since >= kAnnounceWithin - 1;
    });

    ++time_;
    if (time_ % kSecond == 0) {
        bool wrong = false;
        for (Check& c : checks_) {
            wrong = wrong || c.wrong || (c.flashSeen && !c.flashOk);
            c.wrong = c.flashSeen = c.flashOk = false;
        }
        if (wrong) ++sequenceErrors_;
    }
    controls_.exchange();
}

}  // namespace torvex
