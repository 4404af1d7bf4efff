#pragma once

#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "sim/hand_range.h"

class QLabel;
class QPushButton;

namespace zuv {

// Beside the range grid: the suit combinations of one cell (6 for a pair, 4
// suited, 12 offsuit), each a button that is down while the range holds it,
// so that a cell can be taken in part ("AKs" without the spades).
class RangeSuitsPanel : public QWidget {
 public:
  static constexpr int kMostCombos = 12;

  RangeSuitsPanel(const QColor& felt, const QColor& lit, QWidget* parent);

  // Shows cell (row, column) with the weight the range gives each of its
  // combinations (0: left out).
  void showCell(int row, int column, const std::function<sim::Weight(const sim::Combo&)>& weightOf);
  // The cell shown, if any.
  std::optional<std::array<int, 2>> cell() const { return cell_; }
  // The button of the cell's combination k (in the order of RangeCellCombos).
  QPushButton* button(int k) const { return buttons_.at(k); }

  // Receives "CBRangeCombo('AsKs', on)" for each button pressed.
  std::function<void(const QString& command)> runCommand;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  std::optional<std::array<int, 2>> cell_;
  QLabel* title_;
  std::array<QPushButton*, kMostCombos> buttons_{};
};

}  // namespace zuv
