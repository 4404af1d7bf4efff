#include "platform/data_folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace zuv {

namespace {

// A program that lives in its build tree reads the data from its source folder.
bool RunsFromBuildFolder() {
  const QString build = QDir(QStringLiteral(ZUV_BUILD_FOLDER)).canonicalPath();
  const QString program = QDir(QCoreApplication::applicationDirPath()).canonicalPath();
  return !build.isEmpty() && (program == build || program.startsWith(build + '/'));
}

QString Quoted(const QString& folder) { return '"' + QDir::toNativeSeparators(folder) + '"'; }

}  // namespace

QStringList StandardDataFolders() {
  QStringList folders{QDir::currentPath()};
  if (QCoreApplication::instance()) {
    folders << QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/zuvpoker"));
    if (RunsFromBuildFolder()) folders << QDir::cleanPath(QStringLiteral(ZUV_SOURCE_FOLDER));
  }
  folders.removeDuplicates();
  return folders;
}

QString FindDataFile(const QStringList& folders, const QString& relative) {
  for (const QString& folder : folders) {
    const QString path = QDir(folder).filePath(relative);
    if (QFileInfo::exists(path)) return path;
  }
  return {};
}

QString DataFilePath(const QStringList& folders, const QString& relative) {
  const QString found = FindDataFile(folders, relative);
  if (!found.isEmpty() || folders.isEmpty()) return found;
  return QDir(folders.front()).filePath(relative);
}

std::optional<QString> ReadDataPicture(const QStringList& folders, const QString& relative, QImage& into) {
  const QString name = QFileInfo(relative).fileName();
  const QString path = FindDataFile(folders, relative);
  if (path.isEmpty()) {
    QStringList searched;
    for (const QString& folder : folders) searched << Quoted(QFileInfo(QDir(folder).filePath(relative)).absolutePath());
    return QString("Cannot read the picture \"%1\": it is in none of the folders %2.").arg(name, searched.join(", "));
  }
  QImageReader reader(path);
  into = reader.read();
  if (into.isNull()) {
    return QString("Cannot read the picture \"%1\" in the folder %2: %3.")
        .arg(name, Quoted(QFileInfo(path).absolutePath()), reader.errorString());
  }
  return std::nullopt;
}

}  // namespace zuv
