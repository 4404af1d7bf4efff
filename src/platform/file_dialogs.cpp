#include "platform/file_dialogs.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include "sim/quoted_text.h"

namespace zuv {

FileChoice SplitPath(const QString& path) {
  const QFileInfo info(path);
  QString folder = QDir::toNativeSeparators(info.absolutePath());
  if (!folder.endsWith(QDir::separator())) folder += QDir::separator();
  return {folder, info.fileName()};
}

QString QuotedFileName(const QString& path) {
  return QString::fromStdString(sim::QuotedText(path.toStdString(), sim::kQuotedNameLength));
}

namespace {
// A bare pattern such as "*.zuv" is a setup file; "PNG pictures (*.png)" names its own kind.
QString DialogFilter(const QString& filter) {
  if (filter.contains('(')) return filter;
  return QString("Setup files (%1);;All files (*)").arg(filter);
}
}  // namespace

// Only a file is asked about: a folder or a device in the way is refused by
// the save itself, with its reason.
bool FileDialogs::mayReplace(const QString& path) { return !QFileInfo(path).isFile() || confirmReplace(path); }

bool QtFileDialogs::confirmReplace(const QString& path) {
  QMessageBox box(QMessageBox::Question, "Replace file?",
                  QString("%1 already exists.\nDo you want to replace it?").arg(QuotedFileName(QFileInfo(path).fileName())),
                  QMessageBox::Yes | QMessageBox::No, parent_);
  box.setDefaultButton(QMessageBox::No);
  box.setInformativeText(QuotedFileName(QDir::toNativeSeparators(QFileInfo(path).absolutePath())));
  return box.exec() == QMessageBox::Yes;
}

std::optional<FileChoice> QtFileDialogs::getOpenFile(const QString& filter, const QString& title) {
  const QString path = QFileDialog::getOpenFileName(parent_, title, startFolder_, DialogFilter(filter));
  if (path.isEmpty()) return std::nullopt;
  return SplitPath(path);
}

std::optional<FileChoice> QtFileDialogs::getSaveFile(const QString& filter, const QString& title) {
  // The program itself decides about the extension, and so asks itself before replacing a file.
  QString chosen;
  const QString path = QFileDialog::getSaveFileName(parent_, title, startFolder_, DialogFilter(filter), &chosen,
                                                    QFileDialog::DontConfirmOverwrite);
  if (path.isEmpty()) return std::nullopt;
  FileChoice choice = SplitPath(path);
  choice.filter = chosen;
  return choice;
}

}  // namespace zuv
