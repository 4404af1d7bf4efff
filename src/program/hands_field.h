#pragma once

namespace zuv {

class App;

constexpr int kMaxHandsToSimulate = 1000000000;

// The number-of-hands field: takes a whole number from 1 to 1000000000 into
// SETUP.NrOfSims, refuses anything else with a message, and always shows
// SETUP.NrOfSims again in plain form.
void CBValidateHandsToSimulate(App& app);

}  // namespace zuv
