#include "state/number_text.h"

#include <QLocale>
#include <cmath>

namespace zuv {

std::optional<double> ReadSingleNumber(const QString& text) {
  const QString trimmed = text.trimmed();
  if (trimmed.isEmpty()) return std::nullopt;
  bool ok = false;
  // The C locale: a comma is never a decimal point here, so "1,5" is refused.
  const double value = QLocale::c().toDouble(trimmed, &ok);
  if (!ok || !std::isfinite(value)) return std::nullopt;
  return value;
}

QString PlainNumber(double value) {
  if (value == std::floor(value) && std::fabs(value) < 1e300) return QString::number(value, 'f', 0);
  return QString::number(value, 'g', 15);
}

}  // namespace zuv
