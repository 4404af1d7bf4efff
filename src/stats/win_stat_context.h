#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace zuv {

class App;
struct WinStatFigures;

// Where the numbers of a statistics window come from, so that a table or a
// picture taken out of the program still says it: exact or sampled,
// complete or stopped, the fixed board, the dead cards and the seed. Read
// when the window opens, as the table may change while it stays open.
struct WinStatContext {
  QList<QStringList> rows;  // name and value: {"Odds", "sampled, complete"}, {"Seed", "42"}, ...

  static WinStatContext Of(const App& app, const WinStatFigures& figures);

  // The rows on one line, for a picture: "Odds: sampled, complete; Seed: 42; Fixed board: none; ...".
  QString caption() const;
};

}  // namespace zuv
