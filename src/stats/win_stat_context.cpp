#include "stats/win_stat_context.h"

#include <algorithm>

#include "state/app.h"
#include "state/number_text.h"
#include "stats/win_stat_figures.h"

namespace zuv {

namespace {

QString CardsText(const App& app, const std::vector<int>& cards) {
  QString text;
  for (int card : cards) text += card >= 1 && card <= kCards ? QString::fromStdString(app.DECK.symbol[card - 1]) : "??";
  return text.isEmpty() ? "none" : text;
}

// No commas: a spreadsheet reads the rows as they are.
QString Odds(const App& app, const WinStatFigures& figures) {
  // The run names a stopped enumeration in what the figures count.
  if (app.SIM.exact == 1) {
    return figures.counted.contains("stopped") ? "exact: stopped early (an estimate from a random part of the deals)"
                                               : "exact: every deal";
  }
  if (figures.total < app.SETUP.NrOfSims) {
    return QString("sampled: stopped after %1 of %2 hands").arg(PlainNumber(figures.total)).arg(app.SETUP.NrOfSims);
  }
  return "sampled: complete";
}

}  // namespace

WinStatContext WinStatContext::Of(const App& app, const WinStatFigures& figures) {
  // After a run the board holds its fixed cards only.
  const std::size_t fixed = app.SETUP.SimulateFlop == 1 ? 0 : app.SETUP.SimulateTurn == 1 ? 3 : 4;
  const auto& board = app.TABLE.boardcards;
  const std::vector<int> fixedBoard(board.begin(),
                                    board.begin() + static_cast<std::ptrdiff_t>(std::min(fixed, board.size())));
  WinStatContext context;
  context.rows << QStringList{"Odds", Odds(app, figures)} << QStringList{"Seed", QString::number(app.random.last())}
               << QStringList{"Fixed board", CardsText(app, fixedBoard)}
               << QStringList{"Dead cards", CardsText(app, app.TABLE.deadcards)};
  return context;
}

QString WinStatContext::caption() const {
  QStringList parts;
  for (const QStringList& row : rows) parts << row.join(": ");
  return parts.join("; ");
}

}  // namespace zuv
