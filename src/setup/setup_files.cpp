#include "setup/setup_files.h"

#include <QFile>
#include <QFileInfo>

#include "setup/file/setup_name.h"
#include "setup/file/setup_reader.h"
#include "setup/file/setup_writer.h"
#include "setup/recent_setups.h"
#include "platform/file_dialogs.h"
#include "setup/setup_records.h"
#include "state/app.h"

namespace zuv {

namespace {

std::string FileSystemName(const QString& path) { return QFile::encodeName(path).toStdString(); }

// The setup file dialogs open in the folder used last.
std::optional<FileChoice> ChooseSetupFile(App& app, bool save, const QString& title) {
  app.dialogs().setStartFolder(recent_setups::LastFolder());
  auto choice = save ? app.dialogs().getSaveFile("*.zuv", title) : app.dialogs().getOpenFile("*.zuv", title);
  if (choice) recent_setups::SetLastFolder(choice->folder);
  return choice;
}

}  // namespace

void CBSaveSetup(App& app) {
  const auto choice = ChooseSetupFile(app, true, "Choose file to save setup information in");
  if (!choice) return;
  const QString name = QString::fromStdString(setupfile::WithZuvEnding(choice->name.toStdString()));
  const QString path = choice->folder + name;
  // The dialog saw the name without ".zuv": it could not warn about an existing file.
  if (!app.dialogs().mayReplace(path)) return;
  if (const auto reason = setupfile::WriteSetupFile(FileSystemName(path), SetupContentOf(app))) {
    app.messages.errordlg(
        QString("The setup was not saved to %1: %2").arg(QuotedFileName(path), QString::fromStdString(*reason)),
        "Setup not saved");
    return;
  }
  recent_setups::Remember(path);
}

void CBLoadSetup(App& app) {
  const auto choice = ChooseSetupFile(app, false, "Choose setup file to load");
  if (!choice) return;
  // The dialog also offers all files; a file of another kind is not read.
  if (!setupfile::HasZuvEnding(choice->name.toStdString())) {
    app.messages.errordlg("Setup files end in .zuv", "Setup not loaded");
    return;
  }
  LoadSetupFile(app, choice->folder + choice->name);
}

void LoadSetupFile(App& app, const QString& path) {
  const auto loaded = setupfile::ReadSetupFile(FileSystemName(path));
  if (const auto* problem = std::get_if<std::string>(&loaded)) {
    app.messages.errordlg(
        QString("The setup file %1 was not loaded: %2").arg(QuotedFileName(path), QString::fromStdString(*problem)),
        "Setup not loaded");
    if (!QFileInfo::exists(path)) recent_setups::Forget(path);
    return;
  }
  RestoreSetup(app, std::get<setupfile::LoadedSetup>(loaded));
  recent_setups::Remember(path);
}

}  // namespace zuv
