#include "run/run_counter.h"

#include <QFontMetrics>
#include <QLabel>
#include <QStringList>
#include <cmath>

#include "sim/exact.h"

namespace zuv {

namespace {

const QString kSeparator = " · ";

QString Grouped(std::int64_t count) {
  return QString::fromStdString(sim::GroupedCount(static_cast<std::uint64_t>(std::max<std::int64_t>(0, count))));
}

// "0:07", "12:34", "1:02:03".
QString Clock(double seconds) {
  const auto s = static_cast<long long>(std::ceil(seconds));
  const QString minutesAndSeconds = QString("%1:%2").arg(s / 60 % 60).arg(s % 60, 2, 10, QChar('0'));
  if (s < 3600) return minutesAndSeconds;
  return QString("%1:%2:%3").arg(s / 3600).arg(s / 60 % 60, 2, 10, QChar('0')).arg(s % 60, 2, 10, QChar('0'));
}

// The counter on two lines when one is too narrow for it, broken at a
// separator so that no figure is cut from its unit.
QString Fitted(const QString& text, const QLabel& label) {
  const QFontMetrics metrics(label.font());
  if (metrics.horizontalAdvance(text) <= label.width()) return text;
  const QStringList parts = text.split(kSeparator);
  qsizetype first = 1;
  while (first + 1 < parts.size() && metrics.horizontalAdvance(parts.first(first + 1).join(kSeparator)) <= label.width()) {
    ++first;
  }
  return parts.first(first).join(kSeparator) + "\n" + parts.sliced(first).join(kSeparator);
}

}  // namespace

QString CounterText(std::int64_t done, std::int64_t total, const QString& unit, double seconds) {
  if (total <= 0) return Grouped(done) + " " + unit;
  QString text = QString("%1 of %2 %3").arg(Grouped(done), Grouped(total), unit) + kSeparator +
                 QString("%1 %").arg(done * 100 / total);
  if (done > 0 && done < total && seconds > 0) {
    text += kSeparator + Clock(seconds * static_cast<double>(total - done) / static_cast<double>(done)) + " left";
  }
  return text;
}

RunCounter::RunCounter(QLabel* label, QString unit) : label_(label), unit_(std::move(unit)) { clock_.start(); }

void RunCounter::Show(std::int64_t done, std::int64_t total) {
  if (label_) label_->setText(Fitted(CounterText(done, total, unit_, clock_.nsecsElapsed() / 1e9), *label_));
}

void RunCounter::ShowEnd(std::int64_t done, std::int64_t total) {
  if (label_) label_->setText(Fitted(CounterText(done, total, unit_, 0), *label_));
}

}  // namespace zuv
