#include "platform/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

namespace zuv {

FileChoice SplitPath(const QString& path) {
  const QFileInfo info(path);
  QString folder = QDir::toNativeSeparators(info.absolutePath());
  if (!folder.endsWith(QDir::separator())) folder += QDir::separator();
  return {folder, info.fileName()};
}

namespace {
// A bare pattern such as "*.zuv" is a setup file; "PNG pictures (*.png)" names its own kind.
QString DialogFilter(const QString& filter) {
  if (filter.contains('(')) return filter;
  return QString("Setup files (%1);;All files (*)").arg(filter);
}
}  // namespace

std::optional<FileChoice> QtFileDialogs::getOpenFile(const QString& filter, const QString& title) {
  const QString path = QFileDialog::getOpenFileName(parent_, title, startFolder_, DialogFilter(filter));
  if (path.isEmpty()) return std::nullopt;
  return SplitPath(path);
}

std::optional<FileChoice> QtFileDialogs::getSaveFile(const QString& filter, const QString& title) {
  // The program itself decides about the extension and replaces files without asking.
  const QString path = QFileDialog::getSaveFileName(parent_, title, startFolder_, DialogFilter(filter), nullptr,
                                                    QFileDialog::DontConfirmOverwrite);
  if (path.isEmpty()) return std::nullopt;
  return SplitPath(path);
}

}  // namespace zuv
