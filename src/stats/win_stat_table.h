#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zuv {

class App;
struct WinStatFigures;

// The numbers of a statistics window as a table, for a spreadsheet: the
// heading's hand count, then per seat one row of the pots it won alone and
// one of the pots it shared, per winning class and in total, in percent of
// all hands.
struct WinStatTable {
  QList<QStringList> rows;

  static WinStatTable Of(const App& app, const WinStatFigures& figures);

  // Comma separated, fields quoted where needed, one line per row.
  QString csv() const;
  // Tab separated, for pasting into a spreadsheet or a message.
  QString tabSeparated() const;
};

}  // namespace zuv
