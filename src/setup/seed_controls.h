#pragma once

namespace zuv {

class App;

// Seeds run from -kLargestSeed to kLargestSeed: every whole number in that
// range is held exactly, so two seeds the user types never become one, and
// the longest of them still fits the seed field.
inline constexpr double kLargestSeed = 9007199254740991.0;  // 2^53 - 1

// The "Set shuffle random seed:" check box: flips SETUP.SetSeed (the box
// flips itself) and enables the seed field only while it is set.
void CBSetRandomSeed(App& app);

// The seed field: takes a single whole number into SETUP.Seed, refuses
// anything else with "Random seed must be an integer" (and a whole number
// beyond kLargestSeed with a message giving the range), and always shows
// SETUP.Seed again in plain form.
void CBValidateSeed(App& app);

}  // namespace zuv
