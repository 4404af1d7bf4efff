#pragma once

namespace zuv {

// The Start button's tooltip while a run can start; it names the key that starts one.
inline constexpr const char* kStartToolTip = "Click to start simulation (Ctrl+R)";

// Object name of the "Exact odds (every deal)" box, which has no handle of its own.
inline constexpr const char* kExactOddsBoxName = "exactOdds";

}  // namespace zuv
