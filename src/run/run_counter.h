#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <cstdint>

class QLabel;

namespace zuv {

// "12,345,678 of 25,684,560 deals · 48 % · 0:07 left": what a run has done of
// its total, counted as zuvsim prints it. Without a total (not known yet)
// only the count and the unit; no time left before the first `unit` is done,
// nor after the last.
QString CounterText(std::int64_t done, std::int64_t total, const QString& unit, double seconds);

// The panel's counter during a run. The clock starts with the run, so that
// the time left is the run's own pace.
class RunCounter {
 public:
  RunCounter(QLabel* label, QString unit);
  void Show(std::int64_t done, std::int64_t total);
  // At the run's end, complete or stopped, there is no time left to tell.
  void ShowEnd(std::int64_t done, std::int64_t total);

 private:
  QPointer<QLabel> label_;
  QString unit_;
  QElapsedTimer clock_;
};

}  // namespace zuv
