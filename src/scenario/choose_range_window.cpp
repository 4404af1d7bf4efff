#include "scenario/choose_range_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDoubleSpinBox>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <algorithm>
#include <cmath>

#include "platform/callback.h"
#include "platform/graphics_items.h"
#include "scenario/felt_window.h"
#include "scenario/range_grid.h"
#include "scenario/range_suits_panel.h"
#include "scenario/saved_ranges.h"
#include "sim/start_hand_strength.h"
#include "state/app.h"
#include "state/main_window.h"

namespace zuv {

namespace {

constexpr int kMargin = 16;
const QColor kLightText(255, 255, 204);

QString CloseCommand(const char* button, int seat) {
  return QString("CBCloseRangeFigure('%1', %2)").arg(button).arg(seat);
}

// A command text that carries `text` as a quoted argument: "CBRangeText('AA')".
std::string TextCommand(const char* command, const QString& text) {
  QString quoted = text;
  quoted.replace('\'', "''");
  return QString("%1('%2')").arg(command, quoted).toStdString();
}

QLabel* Label(QWidget* window, const QRect& where, const QColor& color, Qt::Alignment alignment = Qt::AlignCenter) {
  auto* label = new QLabel(window);
  label->setGeometry(where);
  label->setAlignment(alignment);
  label->setWordWrap(true);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, color);
  label->setPalette(palette);
  return label;
}

// The grid on the left; the suits, the saved ranges and their buttons on
// the right; the top-X % and weight controls, the count, the text, its
// problem and Ok/Cancel under both.
constexpr int kGridSide = RangeGridScene::kSide * RangeGridScene::kCell;
constexpr int kSideLeft = kMargin + kGridSide + kMargin;
constexpr int kSideWidth = ChooseRangeWindow::kSize.width() - kSideLeft - kMargin;
constexpr int kFullWidth = ChooseRangeWindow::kSize.width() - 2 * kMargin;
constexpr int kControlsTop = 12 + kGridSide + 12;

// Ten million billionths a percent.
constexpr sim::Weight kWeightPerPercent = sim::kFullWeight / 100;

}  // namespace

ChooseRangeWindow::ChooseRangeWindow(App& app, int seat, const std::array<bool, 53>& blocked, const QString& range)
    // A child window of the main window, as the card-choosing window is.
    : QWidget(app.FIGURE.mainfigurehandle, Qt::Dialog),
      app_(app),
      seat_(seat),
      blocked_(blocked),
      grid_(new RangeGridScene(app.TABLE.backgroundcolor.toQColor(), app.TABLE.lightyellow.toQColor(), this)),
      view_(new QGraphicsView(grid_, this)),
      suits_(new RangeSuitsPanel(app.TABLE.backgroundcolor.toQColor(), app.TABLE.lightyellow.toQColor(), this)),
      savedTitle_(Label(this, QRect(kSideLeft, 176, kSideWidth, 20), kLightText, Qt::AlignLeft | Qt::AlignVCenter)),
      saved_(new QListWidget(this)),
      save_(new QPushButton("Save range...", this)),
      delete_(new QPushButton("Delete", this)),
      topLabel_(Label(this, QRect(kMargin, kControlsTop, 36, 24), kLightText, Qt::AlignLeft | Qt::AlignVCenter)),
      topSlider_(new QSlider(Qt::Horizontal, this)),
      topField_(new QDoubleSpinBox(this)),
      weightLabel_(Label(this, QRect(468, kControlsTop, 56, 24), kLightText, Qt::AlignRight | Qt::AlignVCenter)),
      weightField_(new QSpinBox(this)),
      count_(Label(this, QRect(kMargin, kControlsTop + 34, kFullWidth, 20), kLightText)),
      field_(new QLineEdit(this)),
      problem_(Label(this, QRect(kMargin, kControlsTop + 90, kFullWidth, 32), QColor(255, 150, 120))),
      cancel_(new QPushButton("Cancel", this)),
      ok_(new QPushButton("Ok", this)) {
  setWindowTitle(QString("Choose range for player %1").arg(seat));
  count_->setObjectName("combos");
  DressAsFeltWindow(*this, app.TABLE.backgroundcolor.toQColor(), kSize);

  placeControls();
  connectControls();
  field_->setText(range);
  setText(range);
  if (range.isEmpty()) problem_->clear();
  showSavedRanges();

  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.left() + 200, std::max(area.top(), area.bottom() - 200 - kSize.height()));
  }
}

void ChooseRangeWindow::placeControls() {
  view_->setGeometry(kMargin, 12, kGridSide, kGridSide);
  view_->setFrameShape(QFrame::NoFrame);
  view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view_->setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
  view_->setCursor(Qt::PointingHandCursor);

  suits_->setGeometry(kSideLeft, 12, kSideWidth, 150);
  savedTitle_->setText("Saved ranges (a click loads one)");
  saved_->setGeometry(kSideLeft, 198, kSideWidth, 194);
  saved_->setToolTip("Your saved ranges: a click puts one in the grid and the text");
  save_->setGeometry(kSideLeft, 400, 120, 26);
  save_->setToolTip("Keeps the range under a name, for this and later sessions");
  delete_->setGeometry(kSideLeft + kSideWidth - 80, 400, 80, 26);
  delete_->setToolTip("Removes the saved range chosen in the list");

  topLabel_->setText("Top");
  topSlider_->setGeometry(kMargin + 40, kControlsTop, 300, 24);
  topSlider_->setRange(0, 1000);  // tenths of a percent
  topSlider_->setPageStep(50);
  topField_->setGeometry(kMargin + 348, kControlsTop, 88, 24);
  topField_->setRange(0, 100);
  topField_->setDecimals(1);
  topField_->setSuffix(" %");
  topField_->setKeyboardTracking(false);
  const QString topTip = "The strongest hands up to this share of all 1,326 combinations, by their chance against one random hand";
  for (QWidget* w : std::initializer_list<QWidget*>{topLabel_, topSlider_, topField_}) w->setToolTip(topTip);

  weightLabel_->setText("Weight");
  weightField_->setGeometry(kSize.width() - kMargin - 80, kControlsTop, 80, 24);
  weightField_->setRange(0, 100);
  weightField_->setValue(100);
  weightField_->setSuffix(" %");
  weightField_->setKeyboardTracking(false);
  const QString weightTip = "How often the seat holds the hands that clicks, suits and Top add (100 %: always)";
  for (QWidget* w : std::initializer_list<QWidget*>{weightLabel_, weightField_}) w->setToolTip(weightTip);

  field_->setGeometry(kMargin, kControlsTop + 60, kFullWidth, 26);
  field_->setPlaceholderText("Range, e.g. QQ+, AKs, A5s-A2s, T9s-65s, KhQh, AKo:0.5");
  cancel_->setGeometry(kSize.width() / 2 - 100, kSize.height() - 38, 80, 25);
  ok_->setGeometry(kSize.width() / 2 + 20, kSize.height() - 38, 80, 25);
  ok_->setDefault(true);
}

void ChooseRangeWindow::connectControls() {
  App& app = app_;
  auto run = [&app](const QString& command) { app.run(command.toStdString()); };
  grid_->runCommand = run;
  suits_->runCommand = run;
  connect(field_, &QLineEdit::textEdited, this, [&app](const QString& text) { app.run(TextCommand("CBRangeText", text)); });
  connect(topSlider_, &QSlider::valueChanged, this, [run](int tenths) { run(QString("CBRangeTop(%1)").arg(tenths)); });
  connect(topField_, &QDoubleSpinBox::valueChanged, this,
          [run](double percent) { run(QString("CBRangeTop(%1)").arg(std::lround(percent * 10))); });
  connect(weightField_, &QSpinBox::valueChanged, this, [run](int percent) { run(QString("CBRangeWeight(%1)").arg(percent)); });
  connect(saved_, &QListWidget::itemClicked, this,
          [&app](QListWidgetItem* item) { app.run(TextCommand("CBLoadRange", item->text())); });
  connect(saved_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) { delete_->setEnabled(item); });
  SetCallback(save_, "CBSaveRange");
  SetCallback(delete_, "CBDeleteRange");
  for (QPushButton* button : {save_, delete_}) {
    connect(button, &QPushButton::clicked, button, [&app, button] { app.run(Callback(button).toStdString()); });
  }

  auto place = [&](QPushButton* button, const char* name) {
    SetCallback(button, CloseCommand(name, seat_));
    connect(button, &QPushButton::clicked, button, [&app, button] { app.run(Callback(button).toStdString()); });
  };
  place(cancel_, "Cancel");
  place(ok_, "Ok");
  // Return in the text field is Ok, as the default button promises.
  connect(field_, &QLineEdit::returnPressed, ok_, &QPushButton::click);
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(escape, &QShortcut::activated, this, [&app, seat = seat_] { app.run(CloseCommand("Cancel", seat).toStdString()); });
}

QString ChooseRangeWindow::text() const { return field_->text(); }
QString ChooseRangeWindow::problem() const { return problem_->text(); }

std::vector<sim::Combo> ChooseRangeWindow::combos() const {
  std::vector<sim::Combo> combos;
  for (int i = 0; i < sim::kAllCombos; ++i)
    if (held_[i] > 0) combos.push_back(sim::ComboAt(i));
  return combos;
}

std::vector<sim::Weight> ChooseRangeWindow::weights() const {
  std::vector<sim::Weight> weights;
  for (const sim::Weight w : held_)
    if (w > 0) weights.push_back(w);
  const bool whole = std::all_of(weights.begin(), weights.end(), [](sim::Weight w) { return w == sim::kFullWeight; });
  return whole ? std::vector<sim::Weight>() : weights;
}

int ChooseRangeWindow::possibleCombos() const {
  int n = 0;
  for (int i = 0; i < sim::kAllCombos; ++i) {
    const sim::Combo c = sim::ComboAt(i);
    n += held_[i] > 0 && !blocked_[c[0]] && !blocked_[c[1]] ? 1 : 0;
  }
  return n;
}

bool ChooseRangeWindow::acceptable() const { return parses_ && possibleCombos() > 0; }

QString ChooseRangeWindow::countText() const {
  const int n = possibleCombos();
  double weighed = 0;
  for (int i = 0; i < sim::kAllCombos; ++i) {
    const sim::Combo c = sim::ComboAt(i);
    if (!blocked_[c[0]] && !blocked_[c[1]]) weighed += static_cast<double>(held_[i]) / sim::kFullWeight;
  }
  const QString combos = QString("%1 %2").arg(n).arg(n == 1 ? "combo" : "combos");
  const QString share = QString("%1 %").arg(100.0 * weighed / sim::kAllCombos, 0, 'f', 1);
  if (weighed == n) return combos + ", " + share;
  return QString("%1 (%2 weighted), %3").arg(combos, QString::number(weighed, 'g', 4), share);
}

sim::Weight ChooseRangeWindow::clickWeightValue() const {
  return static_cast<sim::Weight>(weightField_->value()) * kWeightPerPercent;
}

int ChooseRangeWindow::clickWeight() const { return weightField_->value(); }

bool ChooseRangeWindow::comboOn(const sim::Combo& combo) const {
  return clickWeightValue() > 0 && heldWeight(combo) == clickWeightValue();
}

bool ChooseRangeWindow::cellOn(int row, int column) const {
  const std::vector<sim::Combo> cell = sim::RangeCellCombos(row, column);
  return std::all_of(cell.begin(), cell.end(), [this](const sim::Combo& c) { return comboOn(c); });
}

void ChooseRangeWindow::setCell(int row, int column, bool on) {
  for (const sim::Combo& c : sim::RangeCellCombos(row, column)) held_[sim::ComboIndex(c)] = on ? clickWeightValue() : 0;
  parses_ = true;
  showCombos(true);
}

void ChooseRangeWindow::setCombo(const sim::Combo& combo, bool on) {
  held_[sim::ComboIndex(combo)] = on ? clickWeightValue() : 0;
  parses_ = true;
  showCombos(true);
}

void ChooseRangeWindow::setClickWeight(int percent) {
  const QSignalBlocker quiet(weightField_);
  weightField_->setValue(percent);
  // Which cells a click would take out has changed.
  showCombos(false);
}

void ChooseRangeWindow::setTop(int tenths) {
  tenths = std::clamp(tenths, 0, 1000);
  {
    const QSignalBlocker quietSlider(topSlider_);
    const QSignalBlocker quietField(topField_);
    topSlider_->setValue(tenths);
    topField_->setValue(tenths / 10.0);
  }
  held_.fill(0);
  for (const auto& [row, column] : sim::StrongestCells(tenths / 10.0)) {
    for (const sim::Combo& c : sim::RangeCellCombos(row, column)) held_[sim::ComboIndex(c)] = clickWeightValue();
  }
  parses_ = true;
  showCombos(true);
}

void ChooseRangeWindow::showSuits(int row, int column) {
  suits_->showCell(row, column, [this](const sim::Combo& c) { return heldWeight(c); });
}

void ChooseRangeWindow::setText(const QString& text) {
  if (field_->text() != text) field_->setText(text);
  if (text.trimmed().isEmpty()) {
    held_.fill(0);
    parses_ = true;
    showCombos(false);
    return;
  }
  const sim::ParsedRange parsed = sim::ParseRange(text.toStdString());
  parses_ = parsed.problem.empty();
  if (parses_) {
    held_.fill(0);
    for (std::size_t i = 0; i < parsed.combos.size(); ++i) {
      held_[sim::ComboIndex(parsed.combos[i])] = parsed.weights.empty() ? sim::kFullWeight : parsed.weights[i];
    }
  }
  showCombos(false);
  if (!parses_) problem_->setText(QString::fromStdString(parsed.problem));
}

void ChooseRangeWindow::showCombos(bool rewriteText) {
  if (rewriteText) field_->setText(QString::fromStdString(sim::FormatRange(combos(), weights())));
  // A cell is lit by the weighted share of its combinations that the range holds.
  for (int row = 0; row < RangeGridScene::kSide; ++row) {
    for (int column = 0; column < RangeGridScene::kSide; ++column) {
      const std::vector<sim::Combo> cell = sim::RangeCellCombos(row, column);
      double share = 0;
      for (const sim::Combo& c : cell) share += static_cast<double>(heldWeight(c)) / sim::kFullWeight;
      grid_->setShare(row, column, share / static_cast<double>(cell.size()), cellOn(row, column));
    }
  }
  if (const auto cell = suits_->cell()) showSuits((*cell)[0], (*cell)[1]);
  // Text that is no range has no count: the old one would read as its own.
  count_->setText(parses_ ? countText() : QString());
  field_->setStyleSheet(parses_ ? QString() : "QLineEdit { border: 2px solid rgb(230, 90, 60); }");
  const bool any = std::any_of(held_.begin(), held_.end(), [](sim::Weight w) { return w > 0; });
  if (parses_ && any && possibleCombos() == 0) {
    problem_->setText("No combination of this range is possible with the cards on the table");
  } else {
    problem_->clear();
  }
  ok_->setEnabled(acceptable());
  save_->setEnabled(parses_ && any);
}

void ChooseRangeWindow::showSavedRanges() {
  const QListWidgetItem* current = saved_->currentItem();
  const QString chosen = current ? current->text() : QString();
  saved_->clear();
  saved_->addItems(SavedRangeNames());
  for (int i = 0; i < saved_->count(); ++i) {
    QListWidgetItem* item = saved_->item(i);
    item->setToolTip(SavedRange(item->text()));
    if (item->text() == chosen) saved_->setCurrentItem(item);
  }
  delete_->setEnabled(saved_->currentItem());
}

void ChooseRangeWindow::saveRange(const QString& name) {
  const QString kept = name.trimmed();
  if (kept.isEmpty() || !parses_ || combos().empty()) return;
  SaveRange(kept, QString::fromStdString(sim::FormatRange(combos(), weights())));
  showSavedRanges();
  const auto found = saved_->findItems(kept, Qt::MatchExactly);
  if (!found.isEmpty()) saved_->setCurrentItem(found.front());
}

void ChooseRangeWindow::loadRange(const QString& name) {
  const QString range = SavedRange(name);
  if (range.isEmpty()) return;
  const auto found = saved_->findItems(name, Qt::MatchExactly);
  if (!found.isEmpty()) saved_->setCurrentItem(found.front());
  setText(range);
}

void ChooseRangeWindow::deleteRange(const QString& name) {
  const QListWidgetItem* current = saved_->currentItem();
  if (!name.isEmpty()) {
    DeleteSavedRange(name);
  } else if (current) {
    DeleteSavedRange(current->text());
  }
  showSavedRanges();
}

void ChooseRangeWindow::askAndSaveRange() {
  const QListWidgetItem* current = saved_->currentItem();
  bool ok = false;
  const QString name = QInputDialog::getText(this, "Save range", "Name of the range:", QLineEdit::Normal,
                                             current ? current->text() : QString(), &ok);
  if (ok) saveRange(name);
}

void ChooseRangeWindow::accept() {
  if (!acceptable() || finished_) return;
  // Every combination is no range at all: the seat is dealt any two cards.
  const bool everything = std::all_of(held_.begin(), held_.end(), [](sim::Weight w) { return w == sim::kFullWeight; });
  emit accepted(everything ? QString() : QString::fromStdString(sim::FormatRange(combos(), weights())));
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
