#include "stats/win_stat_figures.h"

#include <cmath>

#include "state/app.h"
#include "state/number_text.h"

namespace zuv {

namespace {

QString Symbol(const App& app, int card) {
  if (card < 1 || card > kCards) return "??";
  return QString::fromStdString(app.DECK.symbol[card - 1]);
}

QString BoardText(const App& app, bool simulated, std::size_t from, std::size_t count) {
  // An exact run deals every card that is not fixed in turn rather than at random.
  if (simulated) return app.SIM.exact == 1 ? "Enumerated" : "Simulated";
  QString text;
  const auto& board = app.TABLE.boardcards;
  for (std::size_t i = from; i < from + count; ++i) text += i < board.size() ? Symbol(app, board[i]) : "??";
  return text;
}

}  // namespace

// Long ranges are cut so that the legend keeps its width.
constexpr int kLegendRangeLength = 16;

QString HoleCardText(const App& app, int p) {
  const auto& cards = app.player(p).Cards;
  const QString range = QString::fromStdString(app.player(p).Range);
  if (app.TABLE.simulateplayers[p - 1] == 1 && !range.isEmpty()) {
    return range.size() <= kLegendRangeLength ? range : range.left(kLegendRangeLength - 1) + QChar(0x2026);
  }
  if (app.TABLE.simulateplayers[p - 1] == 1 || cards.size() != 2) return " - - ";
  return Symbol(app, cards[0]) + Symbol(app, cards[1]);
}

WinStatFigures WinStatFigures::Read(const App& app) {
  WinStatFigures figures;
  for (int p = 1; p <= kSeats; ++p) {
    if (app.TABLE.activeplayers[p - 1] == 1) figures.players.push_back(p);
  }
  const auto& stat = app.SIM.WinStat2;
  const std::size_t layers = stat.size() / (kSeats * kHandClasses);
  for (double v : stat) figures.total += v;
  // Shares of split pots can miss the whole number of hands by rounding alone.
  const double whole = std::round(figures.total);
  if (std::abs(figures.total - whole) < 1e-6 * std::max(1.0, whole)) figures.total = whole;
  if (figures.total <= 0) return figures;

  std::array<std::array<double, 9>, 10> alone{}, split{};
  for (std::size_t k = 1; k <= layers; ++k) {
    for (int h = 0; h < kHandClasses; ++h) {
      for (int i = 0; i < kSeats; ++i) {
        const double won = stat[i + kSeats * h + kSeats * kHandClasses * (k - 1)];
        // A shared pot pays 1/k; k times that counts the pot once for each winner.
        if (k == 1) {
          alone[i][h] += won;
        } else {
          split[i][h] += static_cast<double>(k) * won;
        }
      }
    }
  }
  for (int i = 0; i < kSeats; ++i) {
    for (int h = 0; h < kHandClasses; ++h) {
      figures.aloneShare[i][h] = 100.0 * alone[i][h] / figures.total;
      figures.splitShare[i][h] = 100.0 * split[i][h] / figures.total;
    }
  }
  return figures;
}

QString WinStatFigures::yLabel() const { return "Percentage of " + PlainNumber(total) + " " + counted; }

QStringList WinStatFigures::legendRows(const App& app) const {
  QStringList rows;
  for (int p : players) {
    double alone = 0, split = 0;
    for (int h = 0; h < kHandClasses; ++h) {
      alone += aloneShare[p - 1][h];
      split += splitShare[p - 1][h];
    }
    rows << QString("Player %1 (%2): %3% (+%4% split)")
                .arg(p)
                .arg(HoleCardText(app, p), QString::asprintf("%3.1f", alone), QString::asprintf("%3.1f", split));
  }
  rows << "Flop: " + BoardText(app, app.SETUP.SimulateFlop == 1, 0, 3);
  rows << "Turn: " + BoardText(app, app.SETUP.SimulateTurn == 1, 3, 1);
  return rows;
}

QStringList StackedClassLabel(const std::string& name) {
  const QStringList words = QString::fromStdString(name).split(' ', Qt::SkipEmptyParts);
  QStringList lines;
  for (qsizetype i = 0; i < words.size(); ++i) {
    if (words[i] == "of" && i + 1 < words.size()) {
      lines << words[i] + " " + words[i + 1];
      ++i;
    } else {
      lines << words[i];
    }
  }
  return lines;
}

}  // namespace zuv
