// Diagram files hold 8-bit text written on Windows machines: the bytes of a comment are
// kept as they are in the model and shown through the Windows-1252 code page.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace torvex {

QString FromAnsi(std::string_view bytes);
// Characters outside the code page become '?'.
std::string ToAnsi(const QString& text);

}  // namespace torvex
