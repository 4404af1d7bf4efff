#include "stats/win_stat_export.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <qcustomplot.h>

#include "platform/file_dialogs.h"
#include "state/app.h"
#include "stats/win_stat_table.h"
#include "stats/win_stat_window.h"

namespace zuv {

namespace {

WinStatWindow* TargetWindow(App& app) { return qobject_cast<WinStatWindow*>(app.FIGURE.WinStatFigHandle.data()); }

// The chosen path, with `ending` added when the name has none of `endings`.
QString PathWithEnding(const FileChoice& choice, const QStringList& endings, const QString& ending) {
  for (const QString& known : endings) {
    if (choice.name.endsWith(known, Qt::CaseInsensitive)) return choice.folder + choice.name;
  }
  return choice.folder + choice.name + ending;
}

// The view drawn on one PDF page of its own size.
bool SaveWidgetPdf(QWidget& widget, const QString& path) {
  QPdfWriter writer(path);
  writer.setCreator("Zuv Poker Simulator");
  writer.setResolution(96);
  writer.setPageSize(QPageSize(QSizeF(widget.size()), QPageSize::Point));
  writer.setPageMargins(QMarginsF());
  QPainter painter;
  if (!painter.begin(&writer)) return false;
  widget.render(&painter);
  return painter.end();
}

// The shown table, led by where its numbers come from.
WinStatTable WithContext(const WinStatWindow& window) {
  WinStatTable table = window.shownTable();
  table.rows = window.context().rows + table.rows;
  return table;
}

}  // namespace

void CBSaveStatPicture(App& app) {
  // The window may close while its file dialog is open.
  const QPointer<WinStatWindow> window = TargetWindow(app);
  if (!window) return;
  const auto choice =
      app.dialogs().getSaveFile("PNG pictures (*.png);;PDF documents (*.pdf)", "Save the statistics picture");
  if (!choice || !window) return;
  // A name without an ending takes the kind of the chosen filter.
  const QString ending = choice->filter.contains("*.pdf") ? ".pdf" : ".png";
  const QString path = PathWithEnding(*choice, {".png", ".pdf"}, ending);
  if (!app.dialogs().mayReplace(path) || !window) return;
  QCustomPlot* plot = window->plot();
  const bool pdf = path.endsWith(".pdf", Qt::CaseInsensitive);
  bool saved = false;
  if (window->showsHands()) {
    saved = pdf ? SaveWidgetPdf(*window->handsView(), path) : window->handsView()->grab().save(path, "PNG");
  } else {
    saved = pdf ? plot->savePdf(path, 0, 0, QCP::epNoCosmetic, "Zuv Poker Simulator", window->windowTitle())
                : plot->savePng(path);
  }
  if (!saved) {
    app.messages.errordlg(QString("The picture was not saved to %1.").arg(QuotedFileName(path)), "Picture not saved");
  }
}

void CBSaveStatTable(App& app) {
  // The window may close while its file dialog is open.
  const QPointer<WinStatWindow> window = TargetWindow(app);
  if (!window) return;
  const auto choice = app.dialogs().getSaveFile("CSV tables (*.csv)", "Save the statistics table");
  if (!choice || !window) return;
  const QString path = PathWithEnding(*choice, {".csv"}, ".csv");
  if (!app.dialogs().mayReplace(path) || !window) return;
  QSaveFile file(path);
  const bool saved = file.open(QIODevice::WriteOnly) && file.write(WithContext(*window).csv().toUtf8()) >= 0 &&
                     file.commit();
  if (!saved) {
    app.messages.errordlg(QString("The table was not saved to %1: %2").arg(QuotedFileName(path), file.errorString()),
                          "Table not saved");
  }
}

void CBCopyStatTable(App& app) {
  if (WinStatWindow* window = TargetWindow(app)) {
    QGuiApplication::clipboard()->setText(WithContext(*window).tabSeparated());
  }
}

}  // namespace zuv
