#include "table/card_display.h"

#include <QPolygonF>
#include <algorithm>
#include <numeric>

#include "platform/graphics_items.h"
#include "state/app.h"
#include "table/range_caption.h"
#include "table/table_geometry.h"
#include "table/table_layout.h"

namespace zuv {

namespace {

constexpr double kFixed = 1.0;  // alpha of a card the user fixed
constexpr double kDealt = 0.5;  // alpha of a card the simulation dealt
constexpr double kDead = 0.45;  // alpha of a card out of play: readable, yet plainly not in the hand
// Room between the top of a seat's cards and its number, in data units.
constexpr double kSeatNumberGap = 0.005;

bool IsCard(int card) { return card >= 1 && card <= kCards; }

void Show(PictureItem* picture, const QPixmap& image, double alpha) {
  if (!picture) return;
  picture->setPixmap(image);
  picture->setVisible(true);
  picture->setAlpha(alpha);
}

void Hide(PictureItem* picture) {
  if (picture) picture->setVisible(false);
}

std::vector<int> AllUpTo(int count) {
  std::vector<int> all(std::max(0, count));
  std::iota(all.begin(), all.end(), 1);
  return all;
}

// The hand name of a seat; empty before its first evaluated deal.
QString HandName(const App& app, const PlayerRecord& player) {
  if (player.hand < 1 || player.hand > kHandClasses) return {};
  return QString::fromStdString(app.SETUP.handnames[player.hand - 1]);
}

void ShowBackside(App& app, PlayerRecord& player) {
  for (PictureItem* picture : player.cardimage) Show(picture, app.DECK.backsideimage, kFixed);
}

void HideBoardPosition(App& app, int position) {
  PictureItem* picture = app.TABLE.boardcardsimage[position - 1];
  if (!picture) return;
  picture->setPixmap(app.DECK.backsideimage);
  picture->setVisible(false);
  picture->setAlpha(kFixed);
}

// Widens or narrows the box behind a seat's caption around the caption's
// place to fit the text. Near the sides of the table the place leaves too
// little room for a long hand name; the caption then moves in just enough to
// stay on the visible table.
void FitCaption(const App& app, int seat, TextItem& caption, PolygonItem& box) {
  QPolygonF corners = box.polygon();
  if (corners.size() < 4) return;
  const double textWidth = caption.boundingRect().width() / table_geometry::Scale();
  const double halfWidth = textWidth / 2 + table_layout::kCaptionMargin;
  const QPointF place = table_layout::CaptionCentre(app, seat);
  const double room = table_geometry::kXLimit - table_layout::kCaptionMargin - halfWidth;
  const double centre = room > 0 ? std::clamp(place.x(), -room, room) : 0.0;
  const double offsets[4] = {-1, 1, 1, -1};
  for (int i = 0; i < 4; ++i) {
    corners[i].setX(table_geometry::ToScene(centre + offsets[i] * halfWidth, 0).x());
  }
  box.setPolygon(corners);
  caption.setAnchor(table_geometry::ToScene(centre, place.y()), Qt::AlignCenter);
}

// An active seat's hole cards cover most of its oval, so its number stands
// just above its cards; an empty seat shows it in the oval's centre.
void PlaceSeatNumber(App& app, int seat) {
  TextItem* number = app.player(seat).playernrtexthandle;
  if (!number) return;
  if (app.activeplayers(seat) == 0) {
    number->setAnchor(table_geometry::ToScene(table_layout::SeatCentre(app, seat)), Qt::AlignCenter);
    return;
  }
  // Over the cards' corner nearer the table's middle: a neighbour's wide
  // caption may reach over the outer corner.
  const table_geometry::DataBox first = table_layout::HoleCardBox(app, seat, 1);
  const table_geometry::DataBox second = table_layout::HoleCardBox(app, seat, 2);
  const double top = std::max(first.top, second.top) + kSeatNumberGap;
  if (table_layout::SeatCentre(app, seat).x() >= 0) {
    number->setAnchor(table_geometry::ToScene(first.left, top), Qt::AlignLeft | Qt::AlignBottom);
  } else {
    number->setAnchor(table_geometry::ToScene(second.right, top), Qt::AlignRight | Qt::AlignBottom);
  }
}

}  // namespace

void DisplayPlayerCards(App& app, std::optional<std::vector<int>> seats) {
  for (int p : seats.value_or(AllUpTo(app.SETUP.NrOfPlayers))) {
    if (p < 1 || p > kSeats) continue;
    PlayerRecord& player = app.player(p);
    if (app.activeplayers(p) == 0) {
      for (PictureItem* picture : player.cardimage) Hide(picture);
    } else if (player.Cards.size() != 2 || !IsCard(player.Cards[0]) || !IsCard(player.Cards[1])) {
      // No cards (or none that can be shown): the seat waits for random ones.
      ShowBackside(app, player);
    } else {
      const double alpha = app.simulateplayers(p) == 1 ? kDealt : kFixed;
      for (int j = 0; j < 2; ++j) Show(player.cardimage[j], app.cardImage(player.Cards[j]), alpha);
    }
    PlaceSeatNumber(app, p);
    DisplayRangeCaption(app, p);
  }
}

void DisplayBoardCards(App& app, std::optional<std::vector<int>> positions) {
  const auto& board = app.TABLE.boardcards;
  for (int k : positions.value_or(AllUpTo(5))) {
    if (k < 1 || k > 5) continue;
    PictureItem* picture = app.TABLE.boardcardsimage[k - 1];
    if (k > int(board.size()) || !IsCard(board[k - 1])) {
      Hide(picture);
      continue;
    }
    const bool fixed = (k <= 3 && app.SETUP.SimulateFlop == 0) || (k == 4 && app.SETUP.SimulateTurn == 0);
    Show(picture, app.cardImage(board[k - 1]), fixed ? kFixed : kDealt);
  }
}

void DisplayDeadCards(App& app) {
  const auto& dead = app.TABLE.deadcards;
  const int count = static_cast<int>(std::min<std::size_t>(dead.size(), kMaxDeadCards));
  for (int k = 1; k <= kMaxDeadCards; ++k) {
    PictureItem* picture = app.TABLE.deadcardsimage[k - 1];
    if (!picture) continue;
    if (k > count || !IsCard(dead[k - 1])) {
      Hide(picture);
      continue;
    }
    const QPointF shift = table_geometry::ToScene(table_layout::DeadCardBox(app, k, count)).center() -
                          table_geometry::ToScene(table_layout::DeadCardBox(app, k, kMaxDeadCards)).center();
    picture->setPos(shift);
    Show(picture, app.cardImage(dead[k - 1]), kDead);
  }
}

void DisplayHands(App& app) {
  const auto& winners = app.TABLE.winner;
  for (int p = 1; p <= kSeats; ++p) {
    if (app.activeplayers(p) == 0) continue;
    PlayerRecord& player = app.player(p);
    if (!player.handtext || !player.handtextrectangle) continue;
    const QString name = HandName(app, player);
    // A seat without an evaluated hand has nothing to say; an empty box would only clutter the table.
    if (name.isEmpty()) {
      player.handtext->hide();
      player.handtextrectangle->hide();
      continue;
    }
    player.handtext->setString(name);
    player.handtext->show();
    FitCaption(app, p, *player.handtext, *player.handtextrectangle);
    player.handtextrectangle->show();
    const bool won = std::find(winners.begin(), winners.end(), p) != winners.end();
    player.handtext->setColor(won ? Qt::red : Qt::black);
  }
}

void CBClearTable(App& app) {
  for (int i = 1; i <= kSeats; ++i) {
    PlayerRecord& player = app.player(i);
    if (player.handtext) {
      player.handtext->setString(HandName(app, player));
      player.handtext->hide();
    }
    if (player.handtextrectangle) player.handtextrectangle->hide();
    if (app.activeplayers(i) == 1) {
      ShowBackside(app, player);
      // Over the backs again, where the dealt hand had moved it.
      DisplayRangeCaption(app, i);
    } else {
      for (PictureItem* picture : player.cardimage) {
        if (!picture) continue;
        picture->setVisible(false);
        picture->setAlpha(kFixed);
      }
    }
  }

  std::vector<int> fixedSeats;
  for (int i = 1; i <= kSeats; ++i)
    if (app.simulateplayers(i) == 0) fixedSeats.push_back(i);
  DisplayPlayerCards(app, fixedSeats);

  if (app.SETUP.SimulateFlop == 0) {
    DisplayBoardCards(app, std::vector<int>{1, 2, 3});
  } else {
    for (int k = 1; k <= 3; ++k) HideBoardPosition(app, k);
  }
  if (app.SETUP.SimulateTurn == 0) {
    DisplayBoardCards(app, std::vector<int>{4});
  } else {
    HideBoardPosition(app, 4);
  }
  if (PictureItem* river = app.TABLE.boardcardsimage[4]) {
    river->setVisible(false);
    river->setAlpha(kFixed);
  }
}

}  // namespace zuv
