#pragma once

#include <QString>
#include <QStringList>

namespace zuv {

// Ranges the user saved under a name in the range window, kept in the
// program's settings so that they are there in every later session.

// The names, sorted without regard to case.
QStringList SavedRangeNames();
// The range text saved under `name`; empty when there is none.
QString SavedRange(const QString& name);
// Saves `range` under `name`, in place of a range of that name.
void SaveRange(const QString& name, const QString& range);
void DeleteSavedRange(const QString& name);

}  // namespace zuv
