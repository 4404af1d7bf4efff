#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <vector>

class QMessageBox;

namespace zuv {

// Non-blocking message windows. The caller goes on at once; the window stays
// until the user closes it.
class MessageWindows {
 public:
  enum class Icon { None, Help, Error, Warning };

  // A plain message window.
  QMessageBox* msgbox(const QString& text, const QString& title, Icon icon = Icon::None);
  // A help message that replaces an open message window of the same title.
  QMessageBox* helpdlg(const QString& text = "This is the default help string.",
                       const QString& title = "Help Dialog");
  // An error message that replaces an open one of the same title.
  QMessageBox* errordlg(const QString& text, const QString& title = "Error");

  struct Shown {
    QString title;
    QString text;
  };
  // The message windows that are open now, oldest first.
  std::vector<Shown> open() const;
  void closeAll();

 private:
  QMessageBox* show(const QString& text, const QString& title, Icon icon, bool replace);
  std::vector<QPointer<QMessageBox>> windows_;
};

}  // namespace zuv
