#include "scenario/choose_range_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <algorithm>

#include "platform/callback.h"
#include "platform/graphics_items.h"
#include "scenario/range_grid.h"
#include "state/app.h"
#include "state/main_window.h"

namespace zuv {

namespace {

constexpr int kMargin = 16;
const QColor kLightText(255, 255, 204);

QString CloseCommand(const char* button, int seat) {
  return QString("CBCloseRangeFigure('%1', %2)").arg(button).arg(seat);
}

// A command text that carries `text` as a quoted argument.
QString TextCommand(const QString& text) {
  QString quoted = text;
  quoted.replace('\'', "''");
  return QString("CBRangeText('%1')").arg(quoted);
}

QLabel* Label(QWidget* window, const QRect& where, const QColor& color) {
  auto* label = new QLabel(window);
  label->setGeometry(where);
  label->setAlignment(Qt::AlignCenter);
  label->setWordWrap(true);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, color);
  label->setPalette(palette);
  return label;
}

std::size_t PairIndex(const sim::Combo& combo) { return static_cast<std::size_t>(combo[0]) * 53 + combo[1]; }

}  // namespace

ChooseRangeWindow::ChooseRangeWindow(App& app, int seat, const std::array<bool, 53>& blocked, const QString& range)
    // A child window of the main window, as the card-choosing window is.
    : QWidget(app.FIGURE.mainfigurehandle, Qt::Dialog),
      app_(app),
      seat_(seat),
      blocked_(blocked),
      grid_(new RangeGridScene(app.TABLE.backgroundcolor.toQColor(), app.TABLE.lightyellow.toQColor(), this)),
      view_(new QGraphicsView(grid_, this)),
      count_(Label(this, QRect(kMargin, 434, kSize.width() - 2 * kMargin, 20), kLightText)),
      field_(new QLineEdit(this)),
      problem_(Label(this, QRect(kMargin, 490, kSize.width() - 2 * kMargin, 32), QColor(255, 150, 120))),
      cancel_(new QPushButton("Cancel", this)),
      ok_(new QPushButton("Ok", this)) {
  setWindowTitle(QString("Choose range for player %1").arg(seat));
  count_->setObjectName("combos");
  // Modal by hand, like the card-choosing window, so that the main window's
  // close box keeps working.
  setWindowModality(Qt::NonModal);
  setFixedSize(kSize);
  const QColor felt = app.TABLE.backgroundcolor.toQColor();
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, felt);
  setPalette(palette);
  setAutoFillBackground(true);

  const int side = RangeGridScene::kSide * RangeGridScene::kCell;
  view_->setGeometry((kSize.width() - side) / 2, 12, side, side);
  view_->setFrameShape(QFrame::NoFrame);
  view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view_->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  view_->setCursor(Qt::PointingHandCursor);
  grid_->runCommand = [&app](const QString& command) { app.run(command.toStdString()); };

  field_->setGeometry(kMargin, 460, kSize.width() - 2 * kMargin, 26);
  field_->setPlaceholderText("Range, e.g. QQ+, AKs, A5s-A2s, KhQh");
  field_->setText(range);
  connect(field_, &QLineEdit::textEdited, this,
          [&app](const QString& text) { app.run(TextCommand(text).toStdString()); });

  auto place = [&](QPushButton* button, int left, const char* name) {
    button->setGeometry(left, kSize.height() - 38, 80, 25);
    SetCallback(button, CloseCommand(name, seat));
    connect(button, &QPushButton::clicked, button, [&app, button] { app.run(Callback(button).toStdString()); });
  };
  place(cancel_, kSize.width() / 2 - 100, "Cancel");
  place(ok_, kSize.width() / 2 + 20, "Ok");
  ok_->setDefault(true);
  // Return in the text field is Ok, as the default button promises.
  connect(field_, &QLineEdit::returnPressed, ok_, &QPushButton::click);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, [&app, seat] { app.run(CloseCommand("Cancel", seat).toStdString()); });

  setText(range);
  if (range.isEmpty()) problem_->clear();

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.left() + 200, std::max(area.top(), area.bottom() - 200 - kSize.height()));
  }
}

QString ChooseRangeWindow::text() const { return field_->text(); }
QString ChooseRangeWindow::problem() const { return problem_->text(); }

int ChooseRangeWindow::possibleCombos() const {
  return static_cast<int>(std::count_if(combos_.begin(), combos_.end(),
                                        [this](const sim::Combo& c) { return !blocked_[c[0]] && !blocked_[c[1]]; }));
}

bool ChooseRangeWindow::acceptable() const { return parses_ && possibleCombos() > 0; }

QString ChooseRangeWindow::countText() const {
  const int n = possibleCombos();
  return QString("%1 %2, %3 %")
      .arg(n)
      .arg(n == 1 ? "combo" : "combos")
      .arg(100.0 * n / sim::kAllCombos, 0, 'f', 1);
}

bool ChooseRangeWindow::cellOn(int row, int column) const { return grid_->share(row, column) >= 1.0; }

void ChooseRangeWindow::setCell(int row, int column, bool on) {
  std::vector<sim::Combo> cell = sim::RangeCellCombos(row, column);
  std::vector<sim::Combo> merged;
  if (on) {
    std::set_union(combos_.begin(), combos_.end(), cell.begin(), cell.end(), std::back_inserter(merged));
  } else {
    std::set_difference(combos_.begin(), combos_.end(), cell.begin(), cell.end(), std::back_inserter(merged));
  }
  combos_ = std::move(merged);
  for (const sim::Combo& c : cell) partWeights_.erase(c);
  parses_ = true;
  showCombos(true);
}

void ChooseRangeWindow::setText(const QString& text) {
  if (field_->text() != text) field_->setText(text);
  if (text.trimmed().isEmpty()) {
    combos_.clear();
    partWeights_.clear();
    parses_ = true;
    showCombos(false);
    return;
  }
  sim::ParsedRange parsed = sim::ParseRange(text.toStdString());
  parses_ = parsed.problem.empty();
  if (parses_) {
    partWeights_.clear();
    for (std::size_t i = 0; i < parsed.weights.size(); ++i)
      if (parsed.weights[i] != sim::kFullWeight) partWeights_[parsed.combos[i]] = parsed.weights[i];
    combos_ = std::move(parsed.combos);
  }
  showCombos(false);
  if (!parses_) problem_->setText(QString::fromStdString(parsed.problem));
}

std::vector<sim::Weight> ChooseRangeWindow::weights() const {
  if (partWeights_.empty()) return {};
  std::vector<sim::Weight> weights;
  weights.reserve(combos_.size());
  for (const sim::Combo& c : combos_) {
    const auto part = partWeights_.find(c);
    weights.push_back(part == partWeights_.end() ? sim::kFullWeight : part->second);
  }
  return weights;
}

void ChooseRangeWindow::showCombos(bool rewriteText) {
  if (rewriteText) field_->setText(QString::fromStdString(sim::FormatRange(combos_, weights())));
  // A cell is lit by the weighted share of its combinations that the range holds.
  std::vector<double> held(53 * 53, 0.0);
  for (const sim::Combo& c : combos_) {
    const auto part = partWeights_.find(c);
    held[PairIndex(c)] = part == partWeights_.end() ? 1.0 : static_cast<double>(part->second) / sim::kFullWeight;
  }
  for (int row = 0; row < RangeGridScene::kSide; ++row) {
    for (int column = 0; column < RangeGridScene::kSide; ++column) {
      const std::vector<sim::Combo> cell = sim::RangeCellCombos(row, column);
      double share = 0;
      for (const sim::Combo& c : cell) share += held[PairIndex(c)];
      grid_->setShare(row, column, share / static_cast<double>(cell.size()));
    }
  }
  // Text that is no range has no count: the old one would read as its own.
  count_->setText(parses_ ? countText() : QString());
  field_->setStyleSheet(parses_ ? QString() : "QLineEdit { border: 2px solid rgb(230, 90, 60); }");
  if (parses_ && !combos_.empty() && possibleCombos() == 0) {
    problem_->setText("No combination of this range is possible with the cards on the table");
  } else {
    problem_->clear();
  }
  ok_->setEnabled(acceptable());
}

void ChooseRangeWindow::accept() {
  if (!acceptable() || finished_) return;
  // Every combination is no range at all: the seat is dealt any two cards.
  const bool everything = static_cast<int>(combos_.size()) == sim::kAllCombos && partWeights_.empty();
  emit accepted(everything ? QString() : QString::fromStdString(sim::FormatRange(combos_, weights())));
  finish();
}

void ChooseRangeWindow::cancel() { finish(); }

void ChooseRangeWindow::finish() {
  finished_ = true;
  hide();
  deleteLater();
}

void ChooseRangeWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (!finished_) app_.run(CloseCommand("Cancel", seat_).toStdString());
}

ChooseRangeWindow* OpenChooseRangeWindow() {
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* window = qobject_cast<ChooseRangeWindow*>(widget);
    if (window && !window->finished()) return window;
  }
  return nullptr;
}

}  // namespace zuv
