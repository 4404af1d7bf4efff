#include "state/main_window.h"

#include <QCloseEvent>
#include <QLayout>
#include <QMenuBar>
#include <QGuiApplication>
#include <QScreen>

#include "state/app.h"

namespace zuv {

MainWindow::MainWindow(App& app) : app_(app), canvas_(new QWidget(this)) {
  setWindowTitle("Zuv Poker Simulator");
  canvas_->setFixedSize(kSize);
  canvas_->setAutoFillBackground(true);
  QPalette palette = canvas_->palette();
  palette.setColor(QPalette::Window, app.TABLE.backgroundcolor.toQColor());
  canvas_->setPalette(palette);
  setCentralWidget(canvas_);
  // The menu bar sits on the felt with light-yellow titles; the menus that
  // drop from it keep the desktop's own look.
  QPalette barPalette = palette;
  barPalette.setColor(QPalette::WindowText, app.TABLE.lightyellow.toQColor());
  barPalette.setColor(QPalette::ButtonText, app.TABLE.lightyellow.toQColor());
  menuBar()->setPalette(barPalette);
  setPalette(palette);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (closeAllowed_) {
    event->accept();
    return;
  }
  // The close box asks; the program decides in its own shutdown command.
  event->ignore();
  app_.run("CBCloseMainWindow");
}

void CreateMainWindow(App& app) {
  auto* window = new MainWindow(app);
  window->setAttribute(Qt::WA_QuitOnClose, true);
  // Left 100, bottom 100 on the screen, as the window is placed from the bottom left.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    window->move(area.left() + 100, std::max(area.top(), area.bottom() - 100 - MainWindow::kSize.height()));
  }
  window->setMenuBar(window->menuBar());
  window->layout()->setSizeConstraint(QLayout::SetFixedSize);
  window->hide();
  app.FIGURE.mainfigurehandle = window;
}

}  // namespace zuv
