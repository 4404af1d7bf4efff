#pragma once

#include <QImage>
#include <QString>
#include <QStringList>
#include <optional>

namespace zuv {

// The folders the program reads its card pictures, help page and About
// pictures from, in order: the working directory, then the installed data
// folder ../share/zuvpoker beside the executable. A program started from its
// build folder also reads the source folder, so it runs there without an install.
QStringList StandardDataFolders();

// The first folder's path of `relative` (such as "cardimages/2s.png") where
// the file exists; empty when no folder has it.
QString FindDataFile(const QStringList& folders, const QString& relative);

// Where `relative` is read from: the found file, else its place in the first folder.
QString DataFilePath(const QStringList& folders, const QString& relative);

// Reads the picture `relative` from the first folder that has it. The problem
// names the file and every folder it was looked for in, or the reason the
// file that was found could not be read.
std::optional<QString> ReadDataPicture(const QStringList& folders, const QString& relative, QImage& into);

}  // namespace zuv
