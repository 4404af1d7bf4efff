#pragma once

#include <QMenuBar>
#include <QPointer>

#include "state/app.h"
#include "state/main_window.h"

namespace zuv {

// Keeps the main window from taking input while a choosing window (cards or
// range) is open, yet lets its close request through so that closing the
// program cancels the choice first.
class MainWindowInputBlock {
 public:
  explicit MainWindowInputBlock(App& app) : window_(app.FIGURE.mainfigurehandle) { setEnabled(false); }
  ~MainWindowInputBlock() { setEnabled(true); }
  MainWindowInputBlock(const MainWindowInputBlock&) = delete;
  MainWindowInputBlock& operator=(const MainWindowInputBlock&) = delete;

 private:
  void setEnabled(bool on) {
    if (!window_) return;
    window_->centralWidget()->setEnabled(on);
    window_->menuBar()->setEnabled(on);
  }
  QPointer<MainWindow> window_;
};

}  // namespace zuv
