#pragma once

#include <QWidget>
#include <array>
#include <optional>
#include <vector>

#include "sim/per_hand_figures.h"
#include "sim/run_stats.h"
#include "sim/scenario.h"
#include "stats/win_stat_table.h"

class QComboBox;
class QLabel;

namespace zuv {

class HandsGrid;

// What the "Hands" view shows: a run's table and its statistics with the
// per-hand results of the seats dealt from a range or at random.
struct HandsRun {
  sim::Scenario table;
  sim::RunStats stats;
};

// The statistics window's "Hands" view: for a seat chosen among those dealt
// from a range or at random, its starting-hand grid coloured by win rate, the
// combinations of the cell under the mouse or last clicked, and on a fixed
// flop what every seat's hands make there and the draws they hold.
class HandsView : public QWidget {
  Q_OBJECT
 public:
  HandsView(const HandsRun& run, const QColor& felt, const QColor& ink, QWidget* parent = nullptr);

  QComboBox* seatChooser() const { return seats_; }
  HandsGrid* grid() const { return grid_; }
  QLabel* comboList() const { return combos_; }
  QLabel* boardTable() const { return board_; }
  // Where the numbers come from, along the bottom edge as on the chart, so
  // that a saved picture of the view still says it.
  QLabel* caption() const { return caption_; }
  void setCaption(const QString& text);
  // The per-hand table for "Save table..." and "Copy": per seat its classes
  // and its combinations, strongest first.
  WinStatTable table() const;
  // Shows the combinations of grid cell {row, column} below the grid.
  void listCell(int row, int column);

 private:
  void showSeat(int index);
  QString boardText() const;

  HandsRun run_;
  std::vector<int> dealtSeats_;  // seat indexes with per-hand results
  std::vector<sim::HandFigures> hands_;  // the chosen seat's combinations
  std::vector<double> weights_;          // their weights, by ComboIndex
  QComboBox* seats_;
  HandsGrid* grid_;
  QLabel* combos_;
  QLabel* board_;
  QLabel* caption_;
};

}  // namespace zuv
