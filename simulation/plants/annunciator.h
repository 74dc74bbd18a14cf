// The Annunciator (simulation 2): an alarm panel of six windows over six process alarm
// points, with a horn, a common alarm beacon and the operator's buttons.
//
// The field contacts are fail-safe: closed while the process is normal, open on an alarm, so
// a broken wire alarms too. The operator upsets the process on the picture. The plant never
// stops a run; it carries a reference of the ISA-18.1 sequence A, fed by the same contacts
// and buttons, and holds the diagram's lamps and horn against it.
#pragma once

#include <array>
#include <vector>

#include "simulation/plants/plant.h"

namespace torvex {

class Annunciator final : public Plant {
public:
    static constexpr int kWindows = 6;
    // IP0 ... IP5 are the field contacts of alarm points 1 ... 6.
    enum Inputs : int { Acknowledge = 6, Reset, LampTest, Silence };
    // OP0 ... OP5 are the windows of alarm points 1 ... 6.
    enum Outputs : int { Horn = 6, Beacon };
    // A window of the reference sequence.
    enum class State { Normal, Alert, Acknowledged };
    // What a window does for a whole second.
    enum class Look { Off, Flashing, Steady };

    explicit Annunciator(uint64_t seed = 1);

    static const PlantDescription& Description();
    const PlantDescription& description() const override { return Description(); }

    void StartSimulation() override;
    void UpdateSimulation() override;
    bool Input(int k) const override;
    bool Stopped() const override { return false; }
    Bilingual stopReason() const override { return {}; }
    bool operate(int input, bool on) override;
    std::vector<std::pair<std::string, double>> figures() const override;

    // The reference, as it stands after the last exchange.
    State state(int window) const { return state_[window]; }
    Look referenceLook(int window) const;
    bool referenceHorn() const;
    int64_t exchanges() const { return time_; }

private:
    // One item the diagram is held against: a window, or the horn.
    struct Check {
        bool lastOutput = false;
        int64_t lastChange = -100;  // exchange the output last changed in
        int lastLook = 0;           // the reference: a Look, or the horn on (1) / off (0)
        int64_t graceUntil = -1;    // exchanges up to this one are not judged
        bool wrong = false;         // in the second so far
        bool flashSeen = false;     // a judged exchange of this second wanted flashing ...
        bool flashOk = false;       // ... and at the last of them the lamp had changed within 1 s
    };
    struct Announcing {
        int window;
        int64_t since;
        bool lit, sounded;
    };
    void judge(Check& check, int look, bool output, bool isHorn);

    OperatorControls controls_;
    int64_t time_ = 0;
    std::array<State, kWindows> state_{};
    bool hornArmed_ = false;   // a new alarm sounds the horn until Acknowledge or Silence
    bool ackCounted_ = false;  // this press of Acknowledge has been counted
    std::array<Check, kWindows + 1> checks_{};  // the windows, then the horn
    std::vector<Announcing> announcing_;
    // Figures.
    int alarms_ = 0;
    int announced_ = 0;
    int acks_ = 0;
    int64_t hornExchanges_ = 0;
    int sequenceErrors_ = 0;
};

}  // namespace torvex
