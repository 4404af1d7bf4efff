#include "setup/setup_files.h"

#include <QFile>

#include "app/app.h"
#include "setup/file/setup_name.h"
#include "setup/file/setup_reader.h"
#include "setup/file/setup_writer.h"
#include "setup/setup_records.h"

namespace zuv {

namespace {

std::string FileSystemName(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

void CBSaveSetup(App& app) {
  const auto choice = app.dialogs().getSaveFile("*.zuv", "Choose file to save setup information in");
  if (!choice) return;
  const QString name = QString::fromStdString(setupfile::WithZuvEnding(choice->name.toStdString()));
  const QString path = choice->folder + name;
  if (const auto reason = setupfile::WriteSetupFile(FileSystemName(path), SetupContentOf(app))) {
    app.messages.errordlg(
        QString("The setup was not saved to \"%1\": %2").arg(path, QString::fromStdString(*reason)),
        "Setup not saved");
  }
}

void CBLoadSetup(App& app) {
  const auto choice = app.dialogs().getOpenFile("*.zuv", "Choose setup file to load");
  if (!choice) return;
  // The dialog also offers all files; a file of another kind is not read.
  if (!setupfile::HasZuvEnding(choice->name.toStdString())) {
    app.messages.errordlg("Setup files end in .zuv", "Setup not loaded");
    return;
  }
  const QString path = choice->folder + choice->name;
  const auto loaded = setupfile::ReadSetupFile(FileSystemName(path));
  if (const auto* problem = std::get_if<std::string>(&loaded)) {
    app.messages.errordlg(
        QString("The setup file \"%1\" was not loaded: %2").arg(path, QString::fromStdString(*problem)),
        "Setup not loaded");
    return;
  }
  RestoreSetup(app, std::get<setupfile::LoadedSetup>(loaded));
}

}  // namespace zuv
