#include "scenario/choose_card_window.h"

#include <QCloseEvent>
#include <QGraphicsDropShadowEffect>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <algorithm>

#include "platform/callback.h"
#include "platform/graphics_items.h"
#include "platform/normal_position.h"
#include "scenario/felt_window.h"
#include "state/app.h"
#include "state/main_window.h"

namespace zuv {

namespace {

// Grid geometry in pixels from the window's bottom-left corner.
constexpr int kCellLeft = 7;
constexpr int kColumnStep = 25;  // narrower than a card: neighbours overlap by 15 pixels
constexpr int kRowTop = 390;
constexpr int kRowStep = 80;

QString CloseCommand(const char* button, int n) {
  return QString("CBClosePickFigure('%1', %2)").arg(button).arg(n);
}

QPushButton* Button(App& app, QWidget* window, const QString& text, int left, const QString& command) {
  auto* button = new QPushButton(text, window);
  button->setGeometry(BottomLeftToPixels(left, 25, 80, 25, ChooseCardWindow::kSize));
  SetCallback(button, command);
  QObject::connect(button, &QPushButton::clicked, button, [&app, button] { app.run(Callback(button).toStdString()); });
  return button;
}

// The card face at its cell size, sharp on high-density screens as well.
QPixmap CellPicture(const App& app, int card, qreal ratio) {
  const QSize cell(app.DECK.displayimagesize[0], app.DECK.displayimagesize[1]);
  QPixmap face = app.cardImage(card).scaled(cell * ratio, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
  face.setDevicePixelRatio(ratio);
  return face;
}

}  // namespace

ChooseCardWindow::ChooseCardWindow(App& app, int cardsToPick, int leastToPick, const QString& name)
    // A child window of the main window, so that it goes with it and closing
    // the main window finds it among the program's windows.
    : QWidget(app.FIGURE.mainfigurehandle, Qt::Dialog),
      app_(app),
      cardsToPick_(cardsToPick),
      leastToPick_(leastToPick),
      scene_(new CommandScene(this)),
      view_(new QGraphicsView(scene_, this)) {
  setWindowTitle(name);
  const QColor felt = app.TABLE.backgroundcolor.toQColor();
  DressAsFeltWindow(*this, felt, kSize);

  scene_->setSceneRect(QRectF(QPointF(0, 0), QSizeF(kSize)));
  scene_->setBackgroundBrush(felt);
  scene_->runCommand = [&app](QGraphicsItem*, const QString& command) { app.run(command.toStdString()); };
  view_->setGeometry(QRect(QPoint(0, 0), kSize));
  view_->setFrameShape(QFrame::NoFrame);
  view_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view_->setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
  view_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  // Placed from the screen's bottom-left corner, like every window of the program.
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.left() + 200, std::max(area.top(), area.bottom() - 200 - kSize.height()));
  }
}

ChooseCardWindow::~ChooseCardWindow() {
  // The handles of a window that is gone must not be used again.
  auto& buttons = app_.CHOOSEWINDOWBUTTONS.handle;
  if (buttons[kOkButton] && buttons[kOkButton]->window() == this) buttons = {};
  for (auto& cell : app_.CHOOSECARDS.axes) {
    if (cell && cell->scene() == scene_) cell = nullptr;
  }
}

QPointF ChooseCardWindow::CellPosition(const App& app, int card, bool raised) {
  const int bottom = kRowTop - kRowStep * app.cardSuit(card) + (raised ? kRaise : 0);
  const int height = app.DECK.displayimagesize[1];
  return {double(kCellLeft + kColumnStep * app.cardValue(card)), double(kSize.height() - bottom - height)};
}

void ChooseCardWindow::raiseCard(int card, bool raised) {
  QGraphicsItem* cell = app_.CHOOSECARDS.axes.at(card - 1);
  if (!cell) return;
  cell->setPos(CellPosition(app_, card, raised));
  // A soft golden glow marks the picked cards.
  if (raised) {
    auto* glow = new QGraphicsDropShadowEffect();
    glow->setColor(QColor(255, 214, 90));
    glow->setBlurRadius(20);
    glow->setOffset(0, 0);
    cell->setGraphicsEffect(glow);
  } else {
    cell->setGraphicsEffect(nullptr);
  }
}

void ChooseCardWindow::closeEvent(QCloseEvent* event) {
  event->ignore();
  if (!finished_) app_.run(CloseCommand("Cancel", cardsToPick_).toStdString());
}

ChooseCardWindow* CreateChooseCardWindow(App& app, const CardRequest& request, const QString& windowname) {
  const int n = request.most;
  auto* window = new ChooseCardWindow(app, n, request.least, windowname);
  window->show();

  app.CHOOSECARDS.chosencards.clear();
  app.CHOOSECARDS.busypos = {0, 0};

  const qreal ratio = window->devicePixelRatioF();
  auto* scene = static_cast<CommandScene*>(window->view()->scene());
  app.CHOOSECARDS.axes = {};
  // Ascending card number: a later picture lies over an earlier one, so a
  // click on an overlap goes to the higher card.
  for (int k = 1; k <= kCards; ++k) {
    if (app.cardsindeck(k) != 1) continue;
    auto* cell = new PictureItem(CellPicture(app, k, ratio));
    cell->setTransformationMode(Qt::SmoothTransformation);
    cell->setPos(ChooseCardWindow::CellPosition(app, k));
    cell->setButtonDownFcn(QString("CBPickCard(%1, %2)").arg(k).arg(n));
    cell->setCursor(Qt::PointingHandCursor);
    scene->addItem(cell);
    app.CHOOSECARDS.axes[k - 1] = cell;
  }

  auto* cancel = Button(app, window, "Cancel", 115, CloseCommand("Cancel", n));
  auto* ok = Button(app, window, "Ok", 255, CloseCommand("Ok", n));
  // Escape is Cancel, as in any dialog.
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), window);
  QObject::connect(escape, &QShortcut::activated, cancel, &QPushButton::click);
  cancel->show();
  ok->show();
  app.CHOOSEWINDOWBUTTONS.handle = {cancel, ok};

  // Cards already chosen before (dead cards) open picked, so that the user changes the set.
  auto& chosen = app.CHOOSECARDS.chosencards;
  for (int card : request.picked) {
    const bool offered = card >= 1 && card <= kCards && app.CHOOSECARDS.axes[card - 1];
    if (!offered || std::find(chosen.begin(), chosen.end(), card) != chosen.end()) continue;
    if (static_cast<int>(chosen.size()) == n) break;
    window->raiseCard(card, true);
    chosen.push_back(card);
  }
  ok->setEnabled(static_cast<int>(chosen.size()) >= request.least);
  return window;
}

ChooseCardWindow* OpenChooseCardWindow(App& app) {
  QPushButton* ok = app.CHOOSEWINDOWBUTTONS.handle[kOkButton];
  auto* window = ok ? qobject_cast<ChooseCardWindow*>(ok->window()) : nullptr;
  return window && !window->finished() ? window : nullptr;
}

void closefigurewindow(App& app) {
  ChooseCardWindow* window = OpenChooseCardWindow(app);
  if (!window) return;
  window->finish();
  window->hide();
  window->deleteLater();
}

}  // namespace zuv
