#pragma once
// The ground of the statistics window's tests: pots written straight into
// SIM.WinStat2 and the window opened on them.

#include <vector>

#include "stats/win_stat_window.h"
#include "support/app_fixture.h"

namespace zuv::testing {

class WinStatTest : public AppTest {
 protected:
  // Adds `times` pots of hand class h (1..9) won by `winners`, split evenly.
  void pot(int h, const std::vector<int>& winners, int times = 1) {
    const int k = static_cast<int>(winners.size());
    for (int p : winners) app->SIM.WinStat2[(p - 1) + 10 * (h - 1) + 90 * (k - 1)] += times * 1.0 / k;
  }
  WinStatWindow* open() {
    PlotWinStat(*app);
    return qobject_cast<WinStatWindow*>(app->FIGURE.WinStatFigHandle.data());
  }
};

}  // namespace zuv::testing
