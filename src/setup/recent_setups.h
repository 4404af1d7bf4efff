#pragma once

#include <QString>
#include <QStringList>

class QMenu;

namespace zuv {

class App;

// The setup files loaded or saved last, and the folder the setup file dialogs
// open in, kept between sessions in the program's settings.
namespace recent_setups {

constexpr int kKept = 5;

// Newest first, at most kKept.
QStringList Files();
// The folder of the file chosen last in a setup file dialog; empty at first.
QString LastFolder();
void SetLastFolder(const QString& folder);
// Puts a file that loaded or saved at the front of the list.
void Remember(const QString& path);
// Takes a file that is gone off the list.
void Forget(const QString& path);

}  // namespace recent_setups

// File > "Recent setups": one item per recent file, "CBLoadRecentSetup(k)" for
// the k-th newest. Usable whenever "Load setup" is.
QMenu* AddRecentSetupsMenu(App& app);

// Rewrites the items of the "Recent setups" menu from the list.
void FillRecentSetupsMenu(App& app, QMenu* menu);

// Loads the k-th newest recent setup file (1 = newest), as "Load setup" would.
void CBLoadRecentSetup(App& app, int k);

}  // namespace zuv
