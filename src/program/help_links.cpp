#include "program/help_links.h"

#include <QFileInfo>
#include <QUrl>

#include "platform/data_folders.h"
#include "state/app.h"

namespace zuv {

QString HelpPageAddress(const App& app) {
  return QUrl::fromLocalFile(QFileInfo(DataFilePath(app.dataFolders, "help.htm")).absoluteFilePath()).toString();
}

void OpenInBrowser(App& app, const QString& address) {
  if (!app.openUrl || !app.openUrl(address)) {
    app.messages.errordlg(QString("No web browser could be started to open %1").arg(address), "Browser");
  }
}

void CBGettingStarted(App& app) { OpenInBrowser(app, HelpPageAddress(app)); }

void CBZuvPokerOnTheWeb(App& app) { OpenInBrowser(app, kProductWebPage); }

}  // namespace zuv
