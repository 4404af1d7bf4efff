#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace zuv {

// The chosen file: a folder (ending with a separator) and a file name.
struct FileChoice {
  QString folder;
  QString name;
  // The filter chosen in a save dialog, which says the kind of a name without an ending.
  QString filter = {};
};

// File dialogs block, so they sit behind this interface; tests answer them.
class FileDialogs {
 public:
  virtual ~FileDialogs() = default;
  // nullopt when the user cancels. `filter` is a pattern of setup files
  // ("*.zuv") or a full filter that names its kind ("PNG pictures (*.png)").
  virtual std::optional<FileChoice> getOpenFile(const QString& filter, const QString& title) = 0;
  virtual std::optional<FileChoice> getSaveFile(const QString& filter, const QString& title) = 0;

  // Whether the file at `path` may be written: yes when there is none yet,
  // else the user's answer to "replace it?" (No unless the user says yes).
  // The program adds endings to the names it is given, so it asks itself
  // rather than the save dialog.
  bool mayReplace(const QString& path);

  // The folder the next dialog opens in; empty leaves the choice to the desktop.
  void setStartFolder(const QString& folder) { startFolder_ = folder; }
  const QString& startFolder() const { return startFolder_; }

 protected:
  // Asks whether the existing file `path` is to be replaced.
  virtual bool confirmReplace(const QString& path) = 0;

  QString startFolder_;
};

// The real dialogs of the desktop.
class QtFileDialogs : public FileDialogs {
 public:
  explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }
  std::optional<FileChoice> getOpenFile(const QString& filter, const QString& title) override;
  std::optional<FileChoice> getSaveFile(const QString& filter, const QString& title) override;

 protected:
  bool confirmReplace(const QString& path) override;

 private:
  QWidget* parent_;
};

// Splits a path into the folder (with its trailing separator) and the name.
FileChoice SplitPath(const QString& path);

// A file name as messages show it: in quotes, control characters escaped
// (a name may hold a line break), a very long one cut.
QString QuotedFileName(const QString& path);

}  // namespace zuv
