#include "scenario/saved_ranges.h"

#include <QSettings>
#include <QVariantMap>
#include <algorithm>

namespace zuv {

namespace {

// One map of name to text: any name works, where a settings key would
// take "/" for a group.
const char* const kRangesKey = "savedRanges";

QVariantMap Ranges() { return QSettings().value(kRangesKey).toMap(); }

}  // namespace

QStringList SavedRangeNames() {
  QStringList names = Ranges().keys();
  std::sort(names.begin(), names.end(),
            [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
  return names;
}

QString SavedRange(const QString& name) { return Ranges().value(name).toString(); }

void SaveRange(const QString& name, const QString& range) {
  QVariantMap ranges = Ranges();
  ranges.insert(name, range);
  QSettings().setValue(kRangesKey, ranges);
}

void DeleteSavedRange(const QString& name) {
  QVariantMap ranges = Ranges();
  ranges.remove(name);
  QSettings().setValue(kRangesKey, ranges);
}

}  // namespace zuv
