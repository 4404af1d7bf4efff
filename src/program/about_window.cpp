#include "program/about_window.h"

#include <QGuiApplication>
#include <QImageReader>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>

#include "platform/data_folders.h"
#include "platform/normal_position.h"
#include "program/help_links.h"
#include "state/app.h"

namespace zuv {

namespace {

constexpr QSize kAboutSize{400, 300};

// The web line is the only part of the window that reacts to a click.
class WebLine : public QLabel {
 public:
  WebLine(const QString& text, QWidget* parent, std::function<void()> onClick)
      : QLabel(text, parent), onClick_(std::move(onClick)) {
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) onClick_();
  }

 private:
  std::function<void()> onClick_;
};

// Coordinates of the window's drawing area run 0..400 and 0..300 from the bottom left.
QRect AreaRect(double x0, double y0, double x1, double y1) {
  return BottomLeftToPixels(x0, y0, x1 - x0, y1 - y0, kAboutSize);
}

void AddPicture(App& app, QWidget* window, const QString& file, const QRect& where) {
  // A missing picture leaves its place empty; the window still opens.
  const QImage image = QImageReader(DataFilePath(app.dataFolders, file)).read();
  if (image.isNull()) return;
  auto* picture = new QLabel(window);
  picture->setGeometry(where);
  picture->setScaledContents(true);
  picture->setPixmap(QPixmap::fromImage(image));
}

// A text that starts at x and is centred vertically on y.
template <class Label = QLabel, class... Extra>
Label* AddLine(QWidget* window, const QString& text, double x, double y, const QColor& colour, Extra&&... extra) {
  auto* line = new Label(text, window, std::forward<Extra>(extra)...);
  QPalette palette = line->palette();
  palette.setColor(QPalette::WindowText, colour);
  line->setPalette(palette);
  line->adjustSize();
  const int height = line->sizeHint().height();
  line->setGeometry(QRect(QPoint(int(x), int(kAboutSize.height() - y - height / 2.0)), line->sizeHint()));
  return line;
}

}  // namespace

QWidget* CBAbout(App& app) {
  auto* window = new QWidget(nullptr, Qt::Window | Qt::MSWindowsFixedSizeDialogHint);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setWindowTitle("About Zuv Poker Simulator");
  window->setWindowModality(Qt::ApplicationModal);
  window->setFixedSize(kAboutSize);
  window->setAutoFillBackground(true);
  QPalette palette = window->palette();
  palette.setColor(QPalette::Window, app.TABLE.backgroundcolor.toQColor());
  window->setPalette(palette);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    window->move(area.left() + 400, std::max(area.top(), area.bottom() - 300 - kAboutSize.height()));
  }

  AddPicture(app, window, "ZuvPokerLogo.jpg", AreaRect(30, 90, 120, 180));
  AddPicture(app, window, "BannerText.jpg", AreaRect(20, 250, 380, 270));

  const QColor lightYellow = app.TABLE.lightyellow.toQColor();
  const QStringList lines{"Zuv Poker Simulator", "Version: 1.0", "Zuv Poker Simulator team",
                          "Texas Hold'em odds by simulation", QString::fromUtf8("\u00a9 2026")};
  for (int i = 0; i < lines.size(); ++i) AddLine(window, lines[i], 150, 200 - i * 20, lightYellow);

  AddLine<WebLine>(window, kProductWebPage, 150, 100, QColor::fromRgbF(1, 1, 0), [&app, window] {
    OpenInBrowser(app, kProductWebPage);
    window->close();
  });

  auto* ok = new QPushButton("OK", window);
  ok->setGeometry(BottomLeftToPixels(150, 35, 100, 25, kAboutSize));
  QObject::connect(ok, &QPushButton::clicked, window, &QWidget::close);

  window->show();
  return window;
}

}  // namespace zuv
