#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <vector>

#include "sim/hand_range.h"

class QCloseEvent;
class QDoubleSpinBox;
class QGraphicsView;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSlider;
class QSpinBox;

namespace zuv {

class App;
class RangeGridScene;
class RangeSuitsPanel;

// The modal window in which the user sets the range of hands that a seat is
// dealt from: a grid of starting hands and the range as text, kept in step
// both ways, the top X % of hands at one go, a weight for what clicks add,
// the suits of one cell, and the ranges saved by name. Like the
// card-choosing window it never changes the table; the opening command takes
// the range from `accepted` once the window is gone.
class ChooseRangeWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr QSize kSize{672, 600};

  // `blocked`: cards fixed elsewhere on the table, which no combination of
  // this seat can use. `range`: the seat's range text now (may be empty).
  ChooseRangeWindow(App& app, int seat, const std::array<bool, 53>& blocked, const QString& range);

  int seat() const { return seat_; }
  // Whether the text parses into a range that can be dealt.
  bool acceptable() const;
  // The range as last parsed or clicked: its combinations, sorted, and their
  // weights (empty when all are whole).
  std::vector<sim::Combo> combos() const;
  std::vector<sim::Weight> weights() const;
  QString text() const;
  QString problem() const;
  // "34 combos, 2.6 %": the combinations left after the blocked cards; with
  // weights also what they weigh together, "34 combos (17 weighted), 1.3 %".
  QString countText() const;
  int possibleCombos() const;

  // Cell (row, column), both 0..12, on (all its combinations, at the click
  // weight) or off; the text is rewritten in its shortest form.
  void setCell(int row, int column, bool on);
  // Whether every combination of the cell is held at the click weight.
  bool cellOn(int row, int column) const;
  // One combination on (at the click weight) or off.
  void setCombo(const sim::Combo& combo, bool on);
  // Whether the combination is held at the click weight.
  bool comboOn(const sim::Combo& combo) const;
  // The weight the range gives the combination (0: left out).
  sim::Weight heldWeight(const sim::Combo& combo) const { return held_[sim::ComboIndex(combo)]; }
  // The weight 0..100 % that clicks, the suits and the top X % give.
  void setClickWeight(int percent);
  int clickWeight() const;
  // The range becomes the strongest hands up to `tenths` / 10 % of all
  // combinations (sim::StrongestCells).
  void setTop(int tenths);
  // Shows the suits of cell (row, column) beside the grid.
  void showSuits(int row, int column);
  // The text as typed: when it parses the grid follows it, otherwise it is
  // marked and the problem is shown under it.
  void setText(const QString& text);

  // Saved ranges: saving keeps the range in its shortest form (a range that
  // does not parse is not saved), loading is as typing it.
  void saveRange(const QString& name);
  void loadRange(const QString& name);
  // Without a name: the one chosen in the list.
  void deleteRange(const QString& name);
  // Asks for a name and saves the range under it.
  void askAndSaveRange();

  QPushButton* okButton() const { return ok_; }
  QLineEdit* textField() const { return field_; }
  QGraphicsView* view() const { return view_; }
  QSlider* topSlider() const { return topSlider_; }
  QDoubleSpinBox* topField() const { return topField_; }
  QSpinBox* weightField() const { return weightField_; }
  RangeSuitsPanel* suitsPanel() const { return suits_; }
  QListWidget* savedList() const { return saved_; }

  // Ends the window with the range (Ok) or without (Cancel, close box).
  void accept();
  void cancel();
  bool finished() const { return finished_; }

 signals:
  // The range in its shortest form ("" for any two cards), sent by Ok.
  void accepted(const QString& range);

 protected:
  // The close box counts as Cancel.
  void closeEvent(QCloseEvent* event) override;

 private:
  void placeControls();
  void connectControls();
  void showCombos(bool rewriteText);
  void showSavedRanges();
  sim::Weight clickWeightValue() const;
  void finish();

  App& app_;
  int seat_;
  std::array<bool, 53> blocked_;
  // The weight of every combination in the range as last parsed or clicked (0: out).
  std::array<sim::Weight, sim::kAllCombos> held_{};
  bool parses_ = true;
  bool finished_ = false;
  RangeGridScene* grid_;
  QGraphicsView* view_;
  RangeSuitsPanel* suits_;
  QLabel* savedTitle_;
  QListWidget* saved_;
  QPushButton* save_;
  QPushButton* delete_;
  QLabel* topLabel_;
  QSlider* topSlider_;
  QDoubleSpinBox* topField_;
  QLabel* weightLabel_;
  QSpinBox* weightField_;
  QLabel* count_;
  QLineEdit* field_;
  QLabel* problem_;
  QPushButton* cancel_;
  QPushButton* ok_;
};

// The range window that is open now, or null.
ChooseRangeWindow* OpenChooseRangeWindow();

}  // namespace zuv
