#pragma once

#include <QString>
#include <QTimer>
#include <functional>
#include <numeric>
#include <vector>

#include "support/app_fixture.h"

namespace zuv {
class WinStatWindow;
}

namespace zuv::testing {

inline double Sum(const std::vector<double>& values) { return std::accumulate(values.begin(), values.end(), 0.0); }

// Lays out the table through the records, as the card commands leave them.
void ActivateSeat(App& app, int seat);
void FixSeatCards(App& app, int seat, std::vector<int> cards);
// Three cards fix the flop, four the flop and the turn.
void FixBoard(App& app, std::vector<int> cards);

// The panel's counter, "12,345 of 1,000,000 hands · 1 % · 0:04 left", and
// the count it starts with (12345).
QString Counter(App& app);
long long CounterDone(App& app);

// The statistics windows that are open, in no particular order.
std::vector<WinStatWindow*> WinStatWindows();

// A started program whose runs can be watched from inside: `duringRun`
// calls `step` each time the run serves events, until it returns true.
class RunTest : public AppTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  void duringRun(std::function<bool()> step);
  // Pots won so far, as the chart reads them at every refresh point.
  double handsSoFar() const { return Sum(app->SIM.WinRecord); }

  QTimer* poll = nullptr;
};

}  // namespace zuv::testing
