#include "stats/win_stat_table.h"

#include "state/app.h"
#include "state/number_text.h"
#include "stats/win_stat_figures.h"

namespace zuv {

namespace {

// Shares as the bars show them: percent, to a hundredth of a thousandth.
QString Share(double percent) { return QString::number(percent, 'f', 5); }

QString CsvField(const QString& field) {
  if (!field.contains(',') && !field.contains('"') && !field.contains('\n')) return field;
  return '"' + QString(field).replace('"', "\"\"") + '"';
}

QString Joined(const QList<QStringList>& rows, QString (*field)(const QString&), QChar separator) {
  QString text;
  for (const QStringList& row : rows) {
    QStringList fields;
    for (const QString& f : row) fields << field(f);
    text += fields.join(separator) + "\r\n";
  }
  return text;
}

QString TabField(const QString& field) { return QString(field).replace('\t', ' '); }

// A seat's cards as the table names them: its fixed cards, its whole range
// (not cut short as in the legend), or "random".
QString SeatCards(const App& app, int p) {
  const QString range = QString::fromStdString(app.player(p).Range);
  if (app.TABLE.simulateplayers[p - 1] == 1 && !range.isEmpty()) return range;
  const QString fixed = HoleCardText(app, p);
  return fixed.trimmed() == "- -" ? "random" : fixed;
}

}  // namespace

WinStatTable WinStatTable::Of(const App& app, const WinStatFigures& figures) {
  WinStatTable table;
  table.rows << QStringList{"Simulated hands", PlainNumber(figures.total)};
  QStringList heading{"Seat", "Cards", "Pots"};
  for (const std::string& name : app.SETUP.handnames) heading << QString::fromStdString(name);
  heading << "Total";
  table.rows << heading;
  for (int p : figures.players) {
    const QString cards = SeatCards(app, p);
    for (const auto& [kind, shares] : {std::pair{"alone", &figures.aloneShare}, std::pair{"shared", &figures.splitShare}}) {
      QStringList row{QString::number(p), cards, kind};
      double total = 0;
      for (double share : (*shares)[p - 1]) {
        row << Share(share);
        total += share;
      }
      row << Share(total);
      table.rows << row;
    }
  }
  return table;
}

QString WinStatTable::csv() const { return Joined(rows, CsvField, ','); }

QString WinStatTable::tabSeparated() const { return Joined(rows, TabField, '\t'); }

}  // namespace zuv
