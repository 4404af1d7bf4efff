#include "platform/message_windows.h"

#include <QMessageBox>

namespace zuv {

QMessageBox* MessageWindows::msgbox(const QString& text, const QString& title, Icon icon) {
  return show(text, title, icon, false);
}

QMessageBox* MessageWindows::helpdlg(const QString& text, const QString& title) {
  return show(text, title, Icon::Help, true);
}

QMessageBox* MessageWindows::errordlg(const QString& text, const QString& title) {
  return show(text, title, Icon::Error, true);
}

QMessageBox* MessageWindows::show(const QString& text, const QString& title, Icon icon, bool replace) {
  std::erase_if(windows_, [](const QPointer<QMessageBox>& w) { return w.isNull(); });
  if (replace) {
    for (auto& w : windows_) {
      if (w && w->windowTitle() == title) {
        w->close();
        w->deleteLater();
        w = nullptr;
      }
    }
    std::erase_if(windows_, [](const QPointer<QMessageBox>& w) { return w.isNull(); });
  }
  auto* box = new QMessageBox();
  box->setAttribute(Qt::WA_DeleteOnClose);
  box->setWindowTitle(title);
  box->setText(text);
  switch (icon) {
    case Icon::Help: box->setIcon(QMessageBox::Information); break;
    case Icon::Error: box->setIcon(QMessageBox::Critical); break;
    case Icon::Warning: box->setIcon(QMessageBox::Warning); break;
    case Icon::None: break;
  }
  box->setStandardButtons(QMessageBox::Ok);
  box->setWindowModality(Qt::NonModal);
  box->show();
  windows_.emplace_back(box);
  return box;
}

std::vector<MessageWindows::Shown> MessageWindows::open() const {
  std::vector<Shown> shown;
  for (const auto& w : windows_) {
    if (w && w->isVisible()) shown.push_back({w->windowTitle(), w->text()});
  }
  return shown;
}

void MessageWindows::closeAll() {
  for (auto& w : windows_) {
    if (w) w->close();
  }
  windows_.clear();
}

}  // namespace zuv
