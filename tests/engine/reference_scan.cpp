#include "tests/engine/reference_scan.h"

#include "engine/control_semantics.h"

namespace torvex::test {

void ReferenceSingleStep(Plc& plc, int r) {
    RungRecord& rung = plc.diagram.Rungs[r];
    MemoryImage& m = plc.memory;
    for (int c = 1; c < kColumns; ++c)
        for (int w = 0; w < kRows; ++w) rung.Power[c][w] = false;
    for (int c = 1; c < kColumns; ++c) {
        if (c % 2 == 1) {
            for (int w = 0; w < kRows; ++w) {
                const bool in = rung.Power[c - 1][w];
                const int32_t k = rung.Kind(c, w), n = rung.Index(c, w);
                bool p = false;
                switch (rung.Code(c, w)) {
                    case Control::NOC:
                        p = in && InputValue(m, k, n);
                        break;
                    case Control::NCC:
                        p = in && !InputValue(m, k, n);
                        break;
                    case Control::OUT:
                        p = OutputValue(m, in, k, n);
                        break;
                    case Control::RES:
                        p = ResetValue(m, in, k, n);
                        break;
                    case Control::LAT:
                        p = in && LatchValue(m, k, n);
                        break;
                    case Control::UNL:
                        p = UnlatchValue(m, in, k, n);
                        break;
                    case Control::TIM:
                        p = TimerValue(m, in, n);
                        break;
                    case Control::ODT:
                        p = ONDelayValue(m, in, n);
                        break;
                    case Control::CUP:
                        p = CounterValue(m, in, true, n);
                        break;
                    case Control::CDN:
                        p = CounterValue(m, in, false, n);
                        break;
                    case Control::BL1:
                    case Control::BL2:
                    case Control::BL3:
                    case Control::BL4:
                        p = BitshiftleftValue(m, in, rung.Code(c, w) - Control::BL1 + 1, k, n);
                        break;
                    case Control::BR1:
                    case Control::BR2:
                    case Control::BR3:
                    case Control::BR4:
                        p = BitshiftrightValue(m, in, rung.Code(c, w) - Control::BR1 + 1, k, n);
                        break;
                    case Control::TBT:
                    case Control::CBT:
                    case Control::BBT:
                    case Control::LNK:
                        p = in;
                        break;
                    default:
                        p = false;
                        break;
                }
                rung.Power[c][w] = p;
            }
        } else {
            for (int w = 0; w < kRows; ++w)
                rung.Power[c][w] = LinkTakesLeft(rung.Code(c, w)) && rung.Power[c - 1][w];
            for (int w = 1; w <= 3; ++w)
                if (!rung.Power[c][w] && LinkJoinedAbove(rung.Code(c, w)) && rung.Power[c][w - 1])
                    rung.Power[c][w] = true;
            for (int w = 2; w >= 0; --w)
                if (!rung.Power[c][w] && LinkJoinedBelow(rung.Code(c, w)) && rung.Power[c][w + 1])
                    rung.Power[c][w] = true;
        }
    }
    for (int c = 0; c < kColumns; ++c) {
        for (int w = 0; w < kRows; ++w) {
            const int32_t code = rung.Code(c, w);
            const bool value = InputValue(m, rung.Kind(c, w), rung.Index(c, w));
            if (rung.Power[c][w] || (c % 2 == 1 && ((code == Control::NOC && value) ||
                                                    (code == Control::NCC && !value))))
                rung.Lit[c][w] = true;
        }
    }
}

void ReferenceRunStep(Plc& plc) {
    plc.PreStep();
    for (int r = 0; r < plc.diagram.RungCount(); ++r) ReferenceSingleStep(plc, r);
    plc.PostStep();
}

}  // namespace torvex::test
