#include "scenario/range_suits_panel.h"

#include <QLabel>
#include <QPushButton>


namespace zuv {

namespace {

constexpr int kColumns = 4;
constexpr int kButtonHeight = 26;
constexpr int kGap = 4;
constexpr int kTitleHeight = 48;

}  // namespace

RangeSuitsPanel::RangeSuitsPanel(const QColor& felt, const QColor& lit, QWidget* parent)
    : QWidget(parent), title_(new QLabel("Right-click a cell of the grid to take or leave its suits one by one.", this)) {
  title_->setWordWrap(true);
  title_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  title_->setObjectName("suitsTitle");
  setStyleSheet(QString("QLabel#suitsTitle { color: rgb(255, 255, 204); }"
                        "QPushButton { background: %1; color: rgb(240, 240, 215); border: 1px solid %2;"
                        " border-radius: 3px; font-weight: bold; }"
                        "QPushButton:checked { background: %3; color: rgb(20, 40, 10); }")
                    .arg(felt.lighter(130).name(), felt.darker(160).name(), lit.name()));
  for (int k = 0; k < kMostCombos; ++k) {
    auto* button = new QPushButton(this);
    button->setCheckable(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->hide();
    connect(button, &QPushButton::clicked, this, [this, button](bool on) {
      // The range decides: the button shows it again once the command has run.
      button->setChecked(!on);
      if (runCommand) runCommand(QString("CBRangeCombo('%1', %2)").arg(button->text()).arg(on ? 1 : 0));
    });
    buttons_[k] = button;
  }
}

void RangeSuitsPanel::showCell(int row, int column, const std::function<sim::Weight(const sim::Combo&)>& weightOf) {
  cell_ = {row, column};
  title_->setText(QString("Suits of %1 (lit: in the range)").arg(QString::fromStdString(sim::RangeCellName(row, column))));
  const std::vector<sim::Combo> combos = sim::RangeCellCombos(row, column);
  const int buttonWidth = (width() - (kColumns - 1) * kGap) / kColumns;
  for (int k = 0; k < kMostCombos; ++k) {
    QPushButton* button = buttons_[k];
    button->setVisible(k < static_cast<int>(combos.size()));
    if (!button->isVisible()) continue;
    const sim::Weight weight = weightOf(combos[k]);
    button->setText(QString::fromStdString(sim::ComboText(combos[k])));
    button->setChecked(weight > 0);
    button->setToolTip(weight > 0 && weight < sim::kFullWeight
                           ? QString("Held with weight %1").arg(QString::fromStdString(sim::FormatWeight(weight)))
                           : QString());
    button->setGeometry((k % kColumns) * (buttonWidth + kGap), kTitleHeight + (k / kColumns) * (kButtonHeight + kGap),
                        buttonWidth, kButtonHeight);
  }
}

void RangeSuitsPanel::resizeEvent(QResizeEvent*) { title_->setGeometry(0, 0, width(), kTitleHeight); }

}  // namespace zuv
