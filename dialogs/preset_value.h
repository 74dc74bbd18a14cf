// The preset fields of the timer and counter dialogs: what they accept and how a timer's
// seconds become the milliseconds it keeps.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace torvex {

// A number typed as seconds, read as single precision ("2.5", "2,5", "1e-3", spaces around
// allowed); nothing when the text is not a finite number.
std::optional<float> SecondsFromText(const QString& text);

// Trunc(seconds x 1000 + 0.5): 999.9 s is 999 900 ms, 0.0004 s 0 ms, 0.0005 s 1 ms.
// Meant for the accepted range, above 0 and below 1000 seconds.
int32_t PresetMilliseconds(float seconds);

// A preset in milliseconds as seconds in the shortest form: 5000 as "5", 2500 as "2.5".
QString SecondsText(int32_t milliseconds);

// A whole number in 32 bits ("12", " -3 "); nothing for any other text.
std::optional<int32_t> WholeFromText(const QString& text);

}  // namespace torvex
