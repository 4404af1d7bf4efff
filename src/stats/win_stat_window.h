#pragma once

#include <QWidget>
#include <vector>

#include "stats/hands_view.h"
#include "stats/win_stat_context.h"
#include "stats/win_stat_table.h"

class QCheckBox;
class QTabBar;
class QToolButton;
class QCPBars;
class QCustomPlot;

namespace zuv {

class App;
class MovableFrame;
struct WinStatFigures;

// Opens a new statistics window of the last run: per active seat and hand
// class, the share of all hands it won alone (coloured bars) and the pots it
// shared (light-yellow bars in front), with legend, heading and class names.
// Stores the window in FIGURE.WinStatFigHandle, its check box in
// UICONTROLS.handle(8) and its split bars in SPLITBARHANDLES. `counted`
// names what the run counted in the heading: "simulated hands", or the deals
// of an exact run.
// `hands`: the run's table and statistics for the "Hands" view.
void PlotWinStat(App& app, const QString& counted = "simulated hands", const HandsRun& hands = {});

// The check box "Show splitted hands": shows or hides the split bars of
// SPLITBARHANDLES and fits the y axis to what is shown.
void CBShowSplittedHands(App& app);

// One statistics window. Windows accumulate, one per run; each one closes on
// its own and goes with the main window.
class WinStatWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr QSize kDefaultSize{760, 520};
  // Below this size the legend of ten seats meets the check box, the class
  // names run into each other and tall bars have no room under the legend.
  static constexpr QSize kMinimumSize{700, 460};

  WinStatWindow(App& app, const WinStatFigures& figures, const HandsRun& hands = {});
  ~WinStatWindow() override;

  QCustomPlot* plot() const { return plot_; }
  QCheckBox* checkBox() const { return box_; }
  MovableFrame* checkBoxFrame() const { return frame_; }
  const std::vector<QCPBars*>& winBars() const { return winBars_; }
  const std::vector<QCPBars*>& splitBars() const { return splitBars_; }
  // The button whose menu saves or copies the results.
  QToolButton* resultsButton() const { return results_; }
  // The numbers the chart shows, as a table.
  const WinStatTable& table() const { return table_; }
  // The tabs "Chart" and "Hands", and the second view.
  QTabBar* viewTabs() const { return tabs_; }
  HandsView* handsView() const { return hands_; }
  bool showsHands() const;
  // What Results saves or copies: the per-hand table while "Hands" shows.
  WinStatTable shownTable() const { return showsHands() ? hands_->table() : table_; }
  // Where the numbers come from; the chart shows it as a caption.
  const WinStatContext& context() const { return context_; }

  // Fits the y axis to the bars that are shown and redraws.
  void fitValueAxis();

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void build(const WinStatFigures& figures);
  void addCaption();
  void addResultsMenu();
  void addHandsTab(const HandsRun& hands);
  void placePlotArea();
  // The tallest shown bar of the groups between two keys.
  double tallestBar(double fromKey, double toKey) const;

  App& app_;
  QCustomPlot* plot_;
  QCheckBox* box_;
  MovableFrame* frame_;
  QToolButton* results_ = nullptr;
  QTabBar* tabs_ = nullptr;
  HandsView* hands_ = nullptr;
  WinStatTable table_;
  WinStatContext context_;
  std::vector<QCPBars*> winBars_;
  std::vector<QCPBars*> splitBars_;
};

}  // namespace zuv
