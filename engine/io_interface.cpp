#include "engine/io_interface.h"

namespace torvex {

void InterfaceTable::RegisterInterfaces(std::vector<std::unique_ptr<IoInterface>> extra) {
    for (auto& entry : table_) entry.reset();
    count_ = 0;
    Register(std::make_unique<NullInterface>());
    for (auto& descriptor : extra) Register(std::move(descriptor));
    current_ = 0;
    for (int i = 0; i < count_; ++i) BaseAddresses[i] = table_[i]->DefaultAddress();
    Open();
}

bool InterfaceTable::Register(std::unique_ptr<IoInterface> descriptor) {
    if (!descriptor || count_ >= kCapacity) return false;
    table_[count_++] = std::move(descriptor);
    return true;
}

bool InterfaceTable::Select(int j) {
    if (!inTable(j)) return false;
    if (j != current_) {
        Close();
        current_ = j;
        Open();
    }
    return true;
}

void InterfaceTable::Open() {
    if (IoInterface* i = current()) i->Open();
}

void InterfaceTable::Close() {
    if (IoInterface* i = current()) i->Close();
}

int32_t InterfaceTable::ReadInputs() {
    IoInterface* i = current();
    return i ? i->ReadInputs(BaseAddresses[current_]) : 0;
}

void InterfaceTable::WriteOutputs(int32_t value) {
    if (IoInterface* i = current()) i->WriteOutputs(BaseAddresses[current_], value);
}

namespace {
bool BitSet(int32_t word, int bit) {
    return (word & (int32_t{1} << bit)) > 0;
}
}  // namespace

void SetInputsFromWord(MemoryImage& memory, int32_t word) {
    for (int i = 0; i < kPoints; ++i) memory.Inputs[i].Raw = BitSet(word, i);
}

void SetOutputsFromWord(MemoryImage& memory, int32_t word) {
    for (int i = 0; i < kPoints; ++i) memory.Outputs[i].State = BitSet(word, i);
}

int32_t OutputWord(const MemoryImage& memory) {
    int32_t word = 0;
    for (int i = 0; i < kPoints; ++i) word |= int32_t{memory.Outputs[i].State} << i;
    return word;
}

int32_t InputWord(const MemoryImage& memory) {
    int32_t word = 0;
    for (int i = 0; i < kPoints; ++i) word |= int32_t{memory.Inputs[i].Raw} << i;
    return word;
}

}  // namespace torvex
