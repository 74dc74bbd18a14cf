// The maker's addresses shown on the information forms and behind the logo menu.
#pragma once

namespace torvex {

inline constexpr const char* kMakerWebAddress = "https://www.quendale.example/torvex";
inline constexpr const char* kMakerContactPage = "https://www.quendale.example/contact";
inline constexpr const char* kMakerEmail = "torvex@quendale.example";

}  // namespace torvex
