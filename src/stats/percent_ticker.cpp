#include "stats/percent_ticker.h"

namespace zuv {

QString PercentTicker::getTickLabel(double tick, const QLocale& locale, QChar formatChar, int precision) {
  return QCPAxisTicker::getTickLabel(tick, locale, formatChar, precision) + "%";
}

}  // namespace zuv
