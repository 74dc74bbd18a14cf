// The six groups of the memory image as the debugger and the I/O monitor show them: inputs
// with an ON and an OFF button each, outputs as lamps, flags, timers, counters and the
// shift registers' bits.
#pragma once

#include <QCoreApplication>
#include <QString>
#include <array>
#include <functional>
#include <vector>

#include "engine/ladder.h"
#include "engine/memory_image.h"
#include "files/io_comments.h"

class QGridLayout;

class QGroupBox;
class QLabel;
class QPushButton;

namespace torvex {

class MemoryGroups {
public:
    // Group boxes that each hold a grid layout; the timers', counters' and registers' boxes
    // carry their headings in the grid's first row already.
    struct Boxes {
        QGroupBox* inputs;
        QGroupBox* outputs;
        QGroupBox* flags;
        QGroupBox* timers;
        QGroupBox* counters;
        QGroupBox* registers;
    };

    // Wide: each point's name beside its button, lamp or value, register bits in frames (the
    // debugger). Compact: names above buttons and lamps, bits unframed (the I/O monitor,
    // which shows two groups side by side in a small window).
    enum class Arrangement { Wide, Compact };

    // Fills the boxes; `registerRow` names the row of register 1 ... 4.
    MemoryGroups(const Boxes& boxes, const std::function<QString(int)>& registerRow,
                 Arrangement arrangement = Arrangement::Wide);

    QPushButton* onButton(int input) const { return btnON_[input]; }
    QPushButton* offButton(int input) const { return btnOFF_[input]; }
    // Input `input`'s OFF button shows, or its ON button.
    void showOff(int input, bool shown);

    // Outputs, flags, timers, counters and registers from the memory image (not the inputs).
    void update(const MemoryImage& memory);

    // Each point's label carries its I/O comment as a tooltip; with `beside` the label also
    // shows the comment after the point's name.
    void setNames(const IOComments& comments, bool beside);

    // Seconds with one decimal, as presets and elapsed times show: 2500 ms is "2.5".
    static QString Seconds(int32_t milliseconds);

private:
    std::array<QPushButton*, kPoints> btnON_{};
    std::array<QPushButton*, kPoints> btnOFF_{};
    std::array<QLabel*, kPoints> imgOPOn_{};
    std::array<QLabel*, kPoints> imgOPOff_{};
    std::array<QLabel*, kPoints> lblFON_{};
    std::array<QLabel*, kTimers> lblTPre_{}, lblTAcc_{}, lblTDN_{};
    std::array<QLabel*, kCounters> lblCPre_{}, lblCAcc_{}, lblCDN_{}, lblCUP_{};
    std::array<std::array<QLabel*, kPoints>, kRegisters> lblRegister_{};  // [register - 1][bit]
    // The points' own labels, by the comment table they belong to (IOCommentGroups order),
    // and the texts they show without names.
    std::array<std::vector<QLabel*>, kIOCommentGroups> names_;
    std::array<std::vector<QString>, kIOCommentGroups> plainNames_;
};

}  // namespace torvex
