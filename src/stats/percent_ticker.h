#pragma once

#include <qcustomplot.h>

namespace zuv {

// Automatic ticks whose labels carry a "%", however the range changes.
class PercentTicker : public QCPAxisTicker {
 protected:
  QString getTickLabel(double tick, const QLocale& locale, QChar formatChar, int precision) override;
};

}  // namespace zuv
