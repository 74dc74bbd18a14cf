// Lets GoogleTest print a QString as its text rather than as a list of UTF-16 units.
#pragma once

#include <QString>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
