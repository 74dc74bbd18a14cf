// External I/O interfaces: pluggable descriptors of driver routines in a small fixed table,
// through which the External Device and External PLC modes exchange 16 inputs and outputs.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/ladder.h"
#include "engine/memory_image.h"

namespace torvex {

// One interface: its routines. ReadInputs and WriteOutputs are called on the run thread,
// everything else on the user-interface thread; the table does not change while a run uses it.
// The routines report no errors: one that cannot reach its hardware still returns, with an
// input word of 0 as the neutral answer.
class IoInterface {
public:
    virtual ~IoInterface() = default;

    virtual std::string Name() = 0;
    virtual int32_t DefaultAddress() = 0;
    virtual int32_t AddressCount() = 0;
    virtual int32_t AddressValue(int32_t choice) = 0;
    virtual std::string AddressText(int32_t choice) = 0;
    virtual bool HasRoutine() = 0;
    virtual std::string RoutineCaption() = 0;
    // A positive result is the index of the address choice to select.
    virtual int32_t Routine() = 0;
    virtual void Open() = 0;
    virtual void Close() = 0;
    virtual void SetAddress(int32_t address) = 0;
    // Bit i (value AND 2^i greater than 0) is input i, i = 0 ... 15.
    virtual int32_t ReadInputs(int32_t baseAddress) = 0;
    // Bit i is output i.
    virtual void WriteOutputs(int32_t baseAddress, int32_t value) = 0;
};

// The interface the system always has: reads 0, ignores output, talks to nothing.
class NullInterface final : public IoInterface {
public:
    std::string Name() override { return "Non-active Demo interface"; }
    int32_t DefaultAddress() override { return 0; }
    int32_t AddressCount() override { return 1; }
    int32_t AddressValue(int32_t) override { return 0; }
    std::string AddressText(int32_t) override { return "0 - 0*"; }
    bool HasRoutine() override { return false; }
    std::string RoutineCaption() override { return {}; }
    int32_t Routine() override { return 1; }
    void Open() override {}
    void Close() override {}
    void SetAddress(int32_t) override {}
    int32_t ReadInputs(int32_t) override { return 0; }
    void WriteOutputs(int32_t, int32_t) override {}
};

// The registered interfaces, the one in use and the base address in use for each. One instance,
// owned by the main window and handed by reference to whatever needs it.
class InterfaceTable {
public:
    static constexpr int kCapacity = 11;

    // The start-up registration: the null interface as entry 0, then `extra` in order as far as
    // there is room; entry 0 current; every base address its interface's default; the current
    // interface opened. Whatever the table held before is dropped.
    void RegisterInterfaces(std::vector<std::unique_ptr<IoInterface>> extra = {});

    // Appends a descriptor; refused (false, nothing changed) when the table is full or it is null.
    bool Register(std::unique_ptr<IoInterface> descriptor);

    int32_t InterfaceCount() const { return count_; }
    int32_t CurrentInterface() const { return current_; }
    // Entry i, or nullptr outside 0 ... InterfaceCount - 1.
    IoInterface* at(int i) const { return inTable(i) ? table_[i].get() : nullptr; }

    // Makes entry j current: when it differs from the current one, closes that and opens j.
    // Refused (false) for a j outside the table.
    bool Select(int j);

    // The current interface's routines, with its base address where they take one. With an
    // empty table they do nothing and read 0.
    void Open();
    void Close();
    int32_t ReadInputs();
    void WriteOutputs(int32_t value);

    // The base address in use for each entry.
    std::array<int32_t, kCapacity> BaseAddresses{};

private:
    bool inTable(int i) const { return i >= 0 && i < count_; }
    IoInterface* current() const { return at(current_); }

    std::array<std::unique_ptr<IoInterface>, kCapacity> table_;
    int32_t count_ = 0;
    int32_t current_ = 0;
};

// Input Raw 0 ... 15 from the bits of an interface word.
void SetInputsFromWord(MemoryImage& memory, int32_t word);
// Output State 0 ... 15 from the bits of an interface word.
void SetOutputsFromWord(MemoryImage& memory, int32_t word);
// The word whose bit i is output i's State.
int32_t OutputWord(const MemoryImage& memory);
// The word whose bit i is input i's Raw.
int32_t InputWord(const MemoryImage& memory);

}  // namespace torvex
