#pragma once

#include <QPointF>
#include <QString>
#include <QWidget>
#include <vector>

class QCloseEvent;
class QGraphicsItem;
class QGraphicsView;

namespace zuv {

class App;
class CommandScene;

// What a card-choosing window asks for. The hole-card, flop and turn windows
// want exactly N cards; the dead-cards window takes any number from one up to
// N and opens with the cards that are dead already picked.
struct CardRequest {
  int most = 0;              // N, which the window's command texts carry
  int least = 0;             // "Ok" is enabled from this many picked cards
  std::vector<int> picked;   // picked when the window opens
  static CardRequest Exactly(int n) { return {n, n, {}}; }
};

// The modal window in which the user picks free cards (2 hole cards, 3 flop
// cards, 1 turn card or up to 10 dead cards). It never changes the table: its
// only result is CHOOSECARDS.chosencards, which the opening command reads once
// it is gone.
class ChooseCardWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr QSize kSize{455, 400};
  static constexpr int kRaise = 15;  // pixels a picked card stands above its row

  ChooseCardWindow(App& app, int cardsToPick, int leastToPick, const QString& name);
  ~ChooseCardWindow() override;

  int cardsToPick() const { return cardsToPick_; }
  int leastToPick() const { return leastToPick_; }
  QGraphicsView* view() const { return view_; }

  // Marks the window as finished: it no longer counts as the open window and
  // ignores further close requests while its deletion is pending.
  void finish() { finished_ = true; }
  bool finished() const { return finished_; }

  // Where card n's picture sits in the window, in scene pixels (top-left
  // origin), with or without the raise of a picked card.
  static QPointF CellPosition(const App& app, int card, bool raised = false);

  // Moves card n's picture up (picked) or back to its row.
  void raiseCard(int card, bool raised);

 protected:
  // The close box counts as Cancel; the command deletes the window itself.
  void closeEvent(QCloseEvent* event) override;

 private:
  App& app_;
  int cardsToPick_;
  int leastToPick_;
  bool finished_ = false;
  CommandScene* scene_;
  QGraphicsView* view_;
};

// Builds and shows the window with every free card; returns it. The caller
// waits for it with uiwait.
ChooseCardWindow* CreateChooseCardWindow(App& app, const CardRequest& request, const QString& windowname);

// The card-choosing window that is open now, or null.
ChooseCardWindow* OpenChooseCardWindow(App& app);

// Deletes the open card-choosing window without running its close request
// again. The deletion is deferred, so the opening command's uiwait ends in
// its own loop.
void closefigurewindow(App& app);

}  // namespace zuv
