// How the rung view draws a rung: its energised cells in red or not, and whether the Lit
// flags it drew from are cleared afterwards (so that the next picture shows only what the
// scans since have lit).
#pragma once

#include <cstdint>

namespace torvex {

enum class RungDraw : uint8_t {
    Plain = 0,     // every cell black
    Live = 1,      // cells whose Lit flag is set drawn in red
    ClearLit = 2,  // Lit flags cleared once drawn
    Values = 4,    // boxes show the elapsed time, the count or the register's bits
};

constexpr RungDraw operator|(RungDraw a, RungDraw b) {
    return static_cast<RungDraw>(static_cast<uint8_t>(a) | static_cast<uint8_t>(b));
}
constexpr bool Has(RungDraw set, RungDraw option) {
    return (static_cast<uint8_t>(set) & static_cast<uint8_t>(option)) != 0;
}

}  // namespace torvex
