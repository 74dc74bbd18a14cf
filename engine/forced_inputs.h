// The inputs the user forces on in the debugger: the input source of the Debugger mode.
#pragma once

#include <array>
#include <atomic>

#include "engine/ladder.h"
#include "engine/memory_image.h"

namespace torvex {

// The debugger window writes these on the user-interface thread (its input buttons show
// them); the run thread reads them each cycle. Each is one atomic flag, so neither side
// ever needs the other to wait. Owned by the main window, so the forced states outlive a
// debugger window that is closed and made anew (its creation clears them).
class ForcedInputs {
public:
    bool isOn(int input) const {
        return valid(input) && on_[input].load(std::memory_order_relaxed);
    }
    void set(int input, bool on) {
        if (valid(input)) on_[input].store(on, std::memory_order_relaxed);
    }
    void clear() {
        for (auto& on : on_) on.store(false, std::memory_order_relaxed);
    }

    // The debugger's UpdateInputs: input Raw = forced state, for every input.
    void UpdateInputs(MemoryImage& memory) const {
        for (int i = 0; i < kPoints; ++i) memory.Inputs[i].Raw = isOn(i);
    }

private:
    static bool valid(int input) { return input >= 0 && input < kPoints; }
    std::array<std::atomic<bool>, kPoints> on_{};
};

}  // namespace torvex
