#include "setup/recent_setups.h"

#include <QDir>
#include <QMenu>
#include <QSettings>

#include "platform/callback.h"
#include "setup/setup_files.h"
#include "state/app.h"

namespace zuv {

namespace recent_setups {

namespace {
constexpr const char* kFilesKey = "setups/recent";
constexpr const char* kFolderKey = "setups/lastFolder";
}  // namespace

QStringList Files() { return QSettings().value(kFilesKey).toStringList().mid(0, kKept); }

QString LastFolder() { return QSettings().value(kFolderKey).toString(); }

void SetLastFolder(const QString& folder) { QSettings().setValue(kFolderKey, folder); }

QString Cleaned(const QString& path) { return QDir::cleanPath(QDir(path).absolutePath()); }

void Remember(const QString& path) {
  QStringList files = Files();
  files.removeAll(Cleaned(path));
  files.prepend(Cleaned(path));
  QSettings().setValue(kFilesKey, files.mid(0, kKept));
}

void Forget(const QString& path) {
  QStringList files = Files();
  files.removeAll(Cleaned(path));
  QSettings().setValue(kFilesKey, files);
}

}  // namespace recent_setups

QMenu* AddRecentSetupsMenu(App& app) {
  QMenu* file = app.UIMENU[kFileMenu];
  QAction* load = app.UIMENULABELS[kFileMenu][kLoadSetupItem];
  if (!file || !load) return nullptr;
  auto* menu = new QMenu("Recent setups", file);
  // Above "Quit", below the items that load and save.
  file->insertMenu(app.UIMENULABELS[kFileMenu][kQuitItem], menu);
  QObject::connect(menu, &QMenu::aboutToShow, menu, [&app, menu] { FillRecentSetupsMenu(app, menu); });
  QObject::connect(load, &QAction::enabledChanged, menu->menuAction(), &QAction::setEnabled);
  FillRecentSetupsMenu(app, menu);
  return menu;
}

void FillRecentSetupsMenu(App& app, QMenu* menu) {
  menu->clear();
  const QStringList files = recent_setups::Files();
  for (int k = 1; k <= files.size(); ++k) {
    QAction* item = menu->addAction(QString("&%1 %2").arg(k).arg(QDir::toNativeSeparators(files[k - 1])));
    SetCallback(item, QString("CBLoadRecentSetup(%1)").arg(k));
    QObject::connect(item, &QAction::triggered, item, [&app, item] { app.run(Callback(item).toStdString()); });
  }
  if (files.isEmpty()) menu->addAction("No setup files yet")->setEnabled(false);
}

void CBLoadRecentSetup(App& app, int k) {
  const QStringList files = recent_setups::Files();
  // Like "Load setup", not while a run has the menu switched off.
  const QAction* load = app.UIMENULABELS[kFileMenu][kLoadSetupItem];
  if (k < 1 || k > files.size() || !load || !load->isEnabled()) return;
  LoadSetupFile(app, files[k - 1]);
}

}  // namespace zuv
