#include "table/table_drawing.h"

#include <QGraphicsView>
#include <QPainter>

#include "platform/data_folders.h"
#include "platform/graphics_items.h"
#include "state/app.h"
#include "state/main_window.h"
#include "table/background_light.h"
#include "table/card_display.h"
#include "table/seat_look.h"
#include "table/table_geometry.h"
#include "table/table_layout.h"
#include "table/table_menus.h"
#include "table/table_picture.h"
#include "table/table_style.h"

namespace zuv {

namespace {

namespace geo = table_geometry;
namespace lay = table_layout;

QPolygonF ToScenePolygon(const std::vector<QPointF>& data) {
  QPolygonF polygon;
  polygon.reserve(qsizetype(data.size()));
  for (const QPointF& p : data) polygon << geo::ToScene(p);
  return polygon;
}

CommandScene* Scene(App& app) {
  return app.TABLE.axes ? static_cast<CommandScene*>(app.TABLE.axes->scene()) : nullptr;
}

// Items are stacked in the order they are drawn, so later ones cover earlier ones.
class Stacker {
 public:
  template <class Item>
  Item* add(CommandScene* scene, Item* item) {
    item->setZValue(++z_);
    if (item->scene() != scene) scene->addItem(item);
    return item;
  }

 private:
  qreal z_ = 0;
};

QGraphicsView* CreateTableView(App& app) {
  QWidget* canvas = app.FIGURE.mainfigurehandle->canvas();
  auto* view = new QGraphicsView(canvas);
  auto* scene = new CommandScene(view);
  scene->setSceneRect(geo::SceneRect());
  scene->setItemIndexMethod(QGraphicsScene::NoIndex);  // a few dozen items, all static
  scene->runCommand = [&app](QGraphicsItem* source, const QString& command) {
    app.currentObject = source;
    app.run(command.toStdString());
  };
  scene->setCurrentObject = [&app](QGraphicsItem* source) { app.currentObject = source; };
  view->setScene(scene);
  view->setGeometry(geo::AreaInCanvas());
  view->setFrameShape(QFrame::NoFrame);
  view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view->setDragMode(QGraphicsView::NoDrag);
  view->setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
  view->setBackgroundBrush(app.TABLE.backgroundcolor.toQColor());
  view->setAlignment(Qt::AlignCenter);
  view->setFocusPolicy(Qt::NoFocus);
  view->show();
  return view;
}

TablePicture* CardBack(App& app, const table_geometry::DataBox& box) {
  auto* picture = new TablePicture(geo::ToScene(box));
  picture->setPixmap(app.DECK.backsideimage);
  return picture;
}

TextItem* CentredText(const QString& text, QPointF at, const QFont& font, const QColor& color) {
  auto* item = new TextItem;
  item->setTextFont(font);
  item->setColor(color);
  item->setString(text);
  item->setAnchor(geo::ToScene(at), Qt::AlignCenter);
  return item;
}

void DrawSeat(App& app, Stacker& stack, int seat) {
  CommandScene* scene = Scene(app);
  PlayerRecord& player = app.player(seat);
  const QPointF centre = lay::SeatCentre(app, seat);
  player.patchhandle = patchcircle(app, centre.x(), centre.y(),
                                   {app.TABLE.headradie[0], app.TABLE.headradie[1]}, app.TABLE.activeplayercolor);
  player.patchhandle->setPen(table_style::SeatEdge(app.TABLE.activeplayercolor.toQColor()));
  stack.add(scene, player.patchhandle);

  player.playernrtexthandle =
      CentredText(QString::number(seat), centre, table_style::SeatNumberFont(), app.TABLE.lightyellow.toQColor());
  player.playernrtexthandle->setHitTest(false);
  player.playernrtexthandle->setPen(table_style::SeatNumberRim());
  stack.add(scene, player.playernrtexthandle);

  CreateSeatMenu(app, seat);
  player.patchhandle->setContextMenu(player.cmenu);
}

void DrawSeatCardsAndCaption(App& app, Stacker& stack, int seat) {
  CommandScene* scene = Scene(app);
  PlayerRecord& player = app.player(seat);
  for (int j = 1; j <= 2; ++j) {
    TablePicture* card = CardBack(app, lay::HoleCardBox(app, seat, j));
    card->setContextMenu(player.cmenu);
    player.cardimage[j - 1] = stack.add(scene, card);
  }

  const lay::DataBox box = lay::CaptionBox(app, seat);
  auto* rectangle = new PolygonItem(ToScenePolygon({{box.left, box.bottom},
                                                    {box.right, box.bottom},
                                                    {box.right, box.top},
                                                    {box.left, box.top}}));
  rectangle->setBrush(table_style::kCaptionFace.toQColor());
  rectangle->setPen(table_style::CaptionEdge());
  rectangle->hide();
  player.handtextrectangle = stack.add(scene, rectangle);

  TextItem* caption = CentredText("", lay::CaptionCentre(app, seat), table_style::CaptionFont(), Qt::black);
  caption->hide();
  player.handtext = stack.add(scene, caption);

  if (app.activeplayers(seat) == 0) DimDeactivatedPlayer(app, seat);
}

// The range caption's plate and text, hidden until the seat has a range.
// Right-clicks go through them to the seat's menu.
void DrawRangeCaption(App& app, Stacker& stack, int seat) {
  CommandScene* scene = Scene(app);
  PlayerRecord& player = app.player(seat);
  auto* plate = new PolygonItem;
  QColor face = table_style::kRangePlateFace.toQColor();
  face.setAlphaF(float(table_style::kRangePlateAlpha));
  plate->setBrush(face);
  plate->setPen(Qt::NoPen);
  plate->setHitTest(false);
  plate->hide();
  player.rangetextrectangle = stack.add(scene, plate);

  auto* text = new TextItem;
  text->setTextFont(table_style::RangeCaptionFont());
  text->setColor(app.TABLE.lightyellow.toQColor());
  text->setHitTest(false);
  text->hide();
  player.rangetext = stack.add(scene, text);
}

}  // namespace

PolygonItem* patchcircle(App& app, double xcenter, double ycenter, const std::vector<double>& radie,
                         const RGB& color, double skew) {
  CommandScene* scene = Scene(app);
  if (radie.empty() || !scene) return nullptr;
  const double rx = radie[0];
  const double ry = radie.size() > 1 ? radie[1] : radie[0];
  auto* oval = new PolygonItem(ToScenePolygon(lay::PatchCirclePoints(xcenter, ycenter, rx, ry, skew)));
  oval->setBrush(color.toQColor());
  oval->setPen(table_style::OvalEdge(Qt::black));
  scene->addItem(oval);
  return oval;
}

void plottable(App& app) {
  auto& TABLE = app.TABLE;
  TABLE.axes = CreateTableView(app);
  CommandScene* scene = Scene(app);
  Stacker stack;

  TABLE.tableradie = lay::kTableRadie;
  PlotBackground(app);

  TABLE.patchhandle = patchcircle(app, 0, 0, {TABLE.tableradie[0] * lay::kTableScale, TABLE.tableradie[1] * lay::kTableScale},
                                  TABLE.tablecolor, TABLE.skew);
  TABLE.patchhandle->setPen(table_style::TableEdge());
  stack.add(scene, TABLE.patchhandle);
  CreateBoardMenu(app);
  TABLE.patchhandle->setContextMenu(TABLE.cmenu);

  TABLE.headradie = lay::kHeadRadie;
  for (int seat = 1; seat <= kSeats; ++seat) DrawSeat(app, stack, seat);
  for (int seat = 1; seat <= kSeats; ++seat) DrawSeatCardsAndCaption(app, stack, seat);
  for (int seat = 1; seat <= kSeats; ++seat) DrawRangeCaption(app, stack, seat);
  // Seat numbers stand by their cards (placed with the cards), over everything
  // of the seats, so that every seat can be told apart while cards are shown.
  for (int seat = 1; seat <= kSeats; ++seat) stack.add(scene, app.player(seat).playernrtexthandle);

  for (int k = 1; k <= 5; ++k) {
    TablePicture* card = CardBack(app, lay::BoardCardBox(app, k));
    card->setContextMenu(TABLE.cmenu);
    card->hide();
    TABLE.boardcardsimage[k - 1] = stack.add(scene, card);
  }
  // Placed for a full row; DisplayDeadCards moves them to centre a shorter one.
  for (int k = 1; k <= kMaxDeadCards; ++k) {
    TablePicture* card = CardBack(app, lay::DeadCardBox(app, k, kMaxDeadCards));
    card->setContextMenu(TABLE.cmenu);
    card->setToolTip("Dead card: out of play, never dealt");
    card->hide();
    TABLE.deadcardsimage[k - 1] = stack.add(scene, card);
  }
}

std::optional<QString> DisplaySetup(App& app) {
  CommandScene* scene = Scene(app);
  if (!scene) return QString("The table must be drawn before the dealer button is placed.");

  QImage image;
  if (auto problem = ReadDataPicture(app.dataFolders, "cardimages/dealerbutton.png", image)) return problem;
  // The picture is drawn at several times its size on the table; it says how
  // many times, so that its pixels per display pixel stay out of the layout.
  bool known = false;
  double scale = image.text("Zuv-DisplayScale").toDouble(&known);
  if (!known || !(scale > 0)) scale = 1;

  const QPointF centre = table_layout::DealerButtonCentre(app);
  const double halfWidth = table_layout::DealerButtonSpan(image.width() / scale) / 2;
  const double halfHeight = table_layout::DealerButtonSpan(image.height() / scale) / 2;
  auto* button = new TablePicture(table_geometry::ToScene(table_geometry::DataBox{
      centre.x() - halfWidth, centre.x() + halfWidth, centre.y() - halfHeight, centre.y() + halfHeight}));
  button->setPixmap(QPixmap::fromImage(image));
  // Over everything else on the table.
  button->setZValue(1000);
  scene->addItem(button);
  app.TABLE.dealerbutton = button;

  DisplayPlayerCards(app);
  return std::nullopt;
}

}  // namespace zuv
