#pragma once

#include <QMainWindow>

namespace zuv {

class App;

// The program's main window: 750 x 500 pixels of felt green below the menu
// bar, not resizable. Its close box runs CBCloseMainWindow.
class MainWindow : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr QSize kSize{750, 500};

  explicit MainWindow(App& app);

  // The area below the menu bar that holds the table, controls and chart.
  QWidget* canvas() const { return canvas_; }

  // Lets the next close request through (the last step of shutting down).
  void allowClose() { closeAllowed_ = true; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  App& app_;
  QWidget* canvas_;
  bool closeAllowed_ = false;
};

// Creates the hidden main window and stores it in FIGURE.mainfigurehandle.
void CreateMainWindow(App& app);

}  // namespace zuv
