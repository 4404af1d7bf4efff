#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <string>
#include <vector>

namespace zuv {

class App;

// The numbers and texts of a statistics window, read from the run's records.
struct WinStatFigures {
  std::vector<int> players;  // active seats, ascending
  double total = 0;          // hands of the run: the sum of all of SIM.WinStat2
  QString counted = "simulated hands";  // what `total` counts
  // Per seat index and class index, in percent of all hands (0 when no hands):
  // pots the seat won alone, and pots it shared (each counted whole).
  std::array<std::array<double, 9>, 10> aloneShare{};
  std::array<std::array<double, 9>, 10> splitShare{};

  static WinStatFigures Read(const App& app);

  // "Percentage of 50000 simulated hands", or "... 1712304 deals (exact)".
  QString yLabel() const;
  // "Player 1 (AsKh): 41.7% (+2.3% split)", one per active seat, then
  // "Flop: ..." and "Turn: ...".
  QStringList legendRows(const App& app) const;
};

// Seat p's fixed hole cards as the legend names them ("AsKh"), " - - " for a random seat.
QString HoleCardText(const App& app, int p);

// The words of a hand-class name stacked under its group, "of" kept with the
// word after it: "Four of a kind" gives "Four", "of a", "kind".
QStringList StackedClassLabel(const std::string& name);

}  // namespace zuv
