#pragma once

#include <QString>
#include <QWidget>
#include <array>
#include <map>
#include <vector>

#include "sim/hand_range.h"

class QCloseEvent;
class QGraphicsView;
class QLabel;
class QLineEdit;
class QPushButton;

namespace zuv {

class App;
class RangeGridScene;

// The modal window in which the user sets the range of hands that a seat is
// dealt from: a grid of starting hands and the range as text, kept in step
// both ways. Like the card-choosing window it never changes the table; the
// opening command takes the range from `accepted` once the window is gone.
class ChooseRangeWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr QSize kSize{448, 566};

  // `blocked`: cards fixed elsewhere on the table, which no combination of
  // this seat can use. `range`: the seat's range text now (may be empty).
  ChooseRangeWindow(App& app, int seat, const std::array<bool, 53>& blocked, const QString& range);

  int seat() const { return seat_; }
  // Whether the text parses into a range that can be dealt.
  bool acceptable() const;
  const std::vector<sim::Combo>& combos() const { return combos_; }
  QString text() const;
  QString problem() const;
  // "34 combos, 2.6 %": the combinations left after the blocked cards.
  QString countText() const;
  int possibleCombos() const;

  // Cell (row, column), both 0..12, on (all its combinations) or off; the
  // text is rewritten in its shortest form.
  void setCell(int row, int column, bool on);
  bool cellOn(int row, int column) const;
  // The text as typed: when it parses the grid follows it, otherwise it is
  // marked and the problem is shown under it.
  void setText(const QString& text);

  QPushButton* okButton() const { return ok_; }
  QPushButton* cancelButton() const { return cancel_; }
  QLineEdit* textField() const { return field_; }
  QGraphicsView* view() const { return view_; }

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
  void showCombos(bool rewriteText);
  // The weight of each combination in combos_, or empty when all are whole.
  std::vector<sim::Weight> weights() const;
  void finish();

  App& app_;
  int seat_;
  std::array<bool, 53> blocked_;
  std::vector<sim::Combo> combos_;  // the range as last parsed or clicked
  // Combinations held part of the time; a click gives a cell's whole weight back.
  std::map<sim::Combo, sim::Weight> partWeights_;
  bool parses_ = true;
  bool finished_ = false;
  RangeGridScene* grid_;
  QGraphicsView* view_;
  QLabel* count_;
  QLineEdit* field_;
  QLabel* problem_;
  QPushButton* cancel_;
  QPushButton* ok_;
};

// The range window that is open now, or null.
ChooseRangeWindow* OpenChooseRangeWindow();

}  // namespace zuv
