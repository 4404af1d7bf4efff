#pragma once

namespace zuv {

class App;

// The "Set shuffle random seed:" check box: flips SETUP.SetSeed (the box
// flips itself) and enables the seed field only while it is set.
void CBSetRandomSeed(App& app);

// The seed field: takes a single whole number into SETUP.Seed, refuses
// anything else with "Random seed must be an integer", and always shows
// SETUP.Seed again in plain form.
void CBValidateSeed(App& app);

}  // namespace zuv
