#include "stats/hands_view.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "sim/card.h"
#include "sim/hand_key.h"
#include "sim/hand_range.h"
#include "sim/range_on_board.h"
#include "stats/hands_grid.h"

namespace zuv {

namespace {

QString Percent(double x) { return QString::number(100 * x, 'f', 2); }

// "Player 2: QQ+, AKs", or "Player 3: random", as the table names its seats.
QString SeatName(const sim::Scenario& table, int seat) {
  const auto& range = table.range[seat];
  return QString("Player %1: %2").arg(seat + 1).arg(range.empty() ? "random" : QString::fromStdString(sim::FormatRange(range, table.weight[seat])));
}

// A seat dealt from a range or any two cards: one with per-hand figures when the run keeps them.
bool AnySeatDealt(const sim::Scenario& table) {
  for (std::size_t seat = 0; seat < table.active.size(); ++seat) {
    if (table.active[seat] && table.fixed[seat][0] == 0) return true;
  }
  return false;
}

}  // namespace

HandsView::HandsView(const HandsRun& run, const QColor& felt, const QColor& ink, QWidget* parent)
    : QWidget(parent), run_(run), seats_(new QComboBox), grid_(new HandsGrid(felt, ink)), combos_(new QLabel), board_(new QLabel),
      caption_(new QLabel) {
  dealtSeats_ = run_.stats.perHand.seats;
  for (int seat : dealtSeats_) seats_->addItem(SeatName(run_.table, seat));
  seats_->setToolTip("The seat whose hands the grid shows");
  seats_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  seats_->setMinimumContentsLength(14);
  // The window's light-yellow ink is for the felt; the chooser keeps dark text, as the Results button does.
  QPalette plain = seats_->palette();
  for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) plain.setColor(role, Qt::black);
  for (auto role : {QPalette::Window, QPalette::Button, QPalette::Base}) plain.setColor(role, QColor(240, 240, 240));
  seats_->setPalette(plain);
  for (QLabel* label : {combos_, board_}) {
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setTextFormat(Qt::RichText);
  }
  combos_->setText(!dealtSeats_.empty()     ? "Point at a cell or click it to list its combinations."
                   : AnySeatDealt(run_.table) ? "No per-hand results: this table's exact odds fit only without them."
                                              : "No per-hand results: every seat held fixed cards.");

  auto* right = new QVBoxLayout;
  right->addWidget(seats_);
  right->addWidget(board_);
  right->addWidget(combos_, 1);
  auto* columns = new QHBoxLayout;
  columns->addWidget(grid_, 3);
  columns->addLayout(right, 2);
  // As small as the chart's caption, and wrapped: the view's smallest width
  // is less than the caption's one line.
  QFont small = caption_->font();
  small.setPointSizeF(small.pointSizeF() * 0.8);
  caption_->setFont(small);
  caption_->setTextFormat(Qt::PlainText);
  caption_->setWordWrap(true);
  caption_->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
  caption_->hide();
  auto* layout = new QVBoxLayout(this);
  // Room above for the window's Results button and tabs.
  layout->setContentsMargins(8, 36, 8, 6);
  layout->addLayout(columns, 1);
  layout->addWidget(caption_);

  board_->setText(boardText());
  board_->setVisible(!board_->text().isEmpty());
  connect(seats_, &QComboBox::currentIndexChanged, this, &HandsView::showSeat);
  connect(grid_, &HandsGrid::cellHovered, this, &HandsView::listCell);
  connect(grid_, &HandsGrid::cellClicked, this, [this](int row, int column) {
    grid_->setSelected(std::array<int, 2>{row, column});
    listCell(row, column);
  });
  showSeat(0);
}

void HandsView::setCaption(const QString& text) {
  caption_->setText(text);
  caption_->setVisible(!text.isEmpty());
}

void HandsView::showSeat(int index) {
  if (index < 0 || index >= static_cast<int>(dealtSeats_.size())) {
    grid_->setClasses({});
    return;
  }
  grid_->setClasses(sim::PerClassRows(run_.stats, dealtSeats_[index]));
  hands_ = sim::PerHandRows(run_.stats, dealtSeats_[index]);
  weights_ = sim::SeatComboWeights(run_.table, dealtSeats_[index]);
  grid_->setSelected(std::nullopt);
}

void HandsView::listCell(int row, int column) {
  const QString name = QString::fromStdString(sim::RangeCellName(row, column));
  const sim::HandFigures* cell = grid_->classAt(row, column);
  if (!cell) {
    combos_->setText(QString("<b>%1</b>: not in the range").arg(name));
    return;
  }
  QString text = QString("<b>%1</b>: win %2 %, held in %3 % of the hands<br>").arg(name, Percent(cell->winRate), Percent(cell->share));
  for (const sim::HandFigures& hand : hands_) {
    if (hand.startClass != cell->startClass) continue;
    QString name = QString::fromStdString(hand.name);
    // A lighter combination is named with its weight, as a range writes it.
    if (const double weight = weights_[sim::ComboIndex(hand.combo[0], hand.combo[1])]; weight < 1) {
      name += ":" + QString::number(weight);
    }
    text += QString("%1&nbsp;&nbsp;%2 %").arg(name, Percent(hand.winRate));
    if (hand.winRateSe > 0) text += QString(" &plusmn; %1").arg(Percent(hand.winRateSe));
    text += "<br>";
  }
  combos_->setText(text);
}

QString HandsView::boardText() const {
  const sim::Scenario& table = run_.table;
  if (table.board.size() < 3) return {};
  std::vector<int> seats;
  std::vector<sim::RangeOnBoard> made;
  for (int seat = 0; seat < 10; ++seat) {
    if (auto onBoard = sim::SeatOnBoard(table, seat)) {
      seats.push_back(seat);
      made.push_back(*onBoard);
    }
  }
  QString board;
  for (int card : table.board) board += QString::fromStdString(sim::CardSymbol(card));
  // Ten seats' columns must fit beside the grid at the window's smallest size.
  const int fontSize = seats.size() > 5 ? 10 : 12;
  QString html = QString("<b>On %1</b>, % of each seat's hands<table cellspacing=0 cellpadding=0 style='font-size:%2px'>"
                         "<tr><td>Seat</td>")
                     .arg(board)
                     .arg(fontSize);
  for (int seat : seats) html += QString("<td align=right>&nbsp;%1</td>").arg(seat + 1);
  html += "</tr>";
  auto line = [&](const QString& name, auto share) {
    html += "<tr><td nowrap>" + name + "</td>";
    for (const auto& m : made) html += "<td align=right>&nbsp;" + QString::number(100 * share(m), 'f', 0) + "</td>";
    html += "</tr>";
  };
  for (int h = 1; h <= sim::kHandClasses; ++h) {
    line(QString::fromStdString(std::string(sim::HandClassName(h))), [h](const sim::RangeOnBoard& m) { return m.made[h - 1]; });
  }
  for (std::size_t d = 0; d < sim::kDrawNames.size(); ++d) {
    line("<i>" + QString::fromStdString(std::string(sim::kDrawNames[d])) + "</i>",
         [d](const sim::RangeOnBoard& m) { return m.draws[d]; });
  }
  return html + "</table>";
}

WinStatTable HandsView::table() const {
  WinStatTable table;
  table.rows << QStringList{"Seat", "Hand", "Combos", "Share %", "Win %", "SE %"};
  for (int seat : dealtSeats_) {
    for (const auto& rows : {sim::PerClassRows(run_.stats, seat), sim::PerHandRows(run_.stats, seat)}) {
      for (const sim::HandFigures& row : rows) {
        table.rows << QStringList{QString::number(seat + 1), QString::fromStdString(row.name), QString::number(row.combos),
                                  QString::number(100 * row.share, 'f', 5), QString::number(100 * row.winRate, 'f', 5),
                                  QString::number(100 * row.winRateSe, 'f', 5)};
      }
    }
  }
  return table;
}

}  // namespace zuv
