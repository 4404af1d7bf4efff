#pragma once

// The program's global records. One App owns exactly one of each; every
// command reads and changes them in place. Seats, cards and board positions
// are numbered from 1 in the program's terms; the arrays below are 0-based,
// so seat p lives at index p - 1 (use App::player(p) and friends).

#include <QColor>
#include <QPixmap>
#include <QPointer>
#include <QString>
#include <array>
#include <string>
#include <vector>

#include "state/controls.h"

class QAction;
class QCheckBox;
class QCPBars;
class QCustomPlot;
class QGraphicsItem;
class QGraphicsView;
class QMenu;
class QPushButton;
class QWidget;

namespace zuv {

class PictureItem;
class TextItem;
class MainWindow;
template <class Base>
class Clickable;
}  // namespace zuv

class QGraphicsPolygonItem;

namespace zuv {

using PolygonItem = Clickable<QGraphicsPolygonItem>;

constexpr int kSeats = 10;
constexpr int kCards = 52;
constexpr int kMaxDeadCards = 10;  // cards the table can put out of play
constexpr int kHandClasses = 9;
constexpr int kStartHandClasses = 169;

struct RGB {
  double r = 0, g = 0, b = 0;
  QColor toQColor() const { return QColor::fromRgbF(float(r), float(g), float(b)); }
  bool operator==(const RGB&) const = default;
};

struct SetupRecord {
  int NrOfSims = 50000;          // hands the next run deals
  int Dealer = 10;               // seat holding the dealer button
  int SimulateFlop = 1;          // 1 = flop dealt at random, 0 = fixed by the user
  int SimulateTurn = 1;          // 1 = turn dealt at random, 0 = fixed by the user
  int SetSeed = 1;               // 1 = every run starts from Seed
  double Seed = 0;               // whole number; kept as a double like every number in setup files
  std::array<double, 2> CardSize{};  // card size on the table in data units
  int NrOfPlayers = kSeats;
  std::array<std::string, kHandClasses> handnames{};
};

struct PlayerRecord {
  std::vector<int> Cards;        // empty or two card numbers (hole card 1, hole card 2)
  std::string Range;             // hand range dealt to a seat without fixed cards; empty = any two cards
  int hand = 0;                  // hand class 1..9 of the last evaluated deal; 0 = none yet
  std::vector<int> highcard;     // tie-break values of that hand
  PolygonItem* patchhandle = nullptr;
  TextItem* playernrtexthandle = nullptr;
  std::array<PictureItem*, 2> cardimage{};
  TextItem* handtext = nullptr;
  PolygonItem* handtextrectangle = nullptr;
  TextItem* rangetext = nullptr;              // the seat's range over its cards, cut short to fit
  PolygonItem* rangetextrectangle = nullptr;  // the plate behind it
  QMenu* cmenu = nullptr;
  QAction* cmitem1 = nullptr;    // "Deactivate player" / "Activate player"
  QAction* cmitem2 = nullptr;    // "Choose player cards"
  QAction* cmitem3 = nullptr;    // "Release player cards"
  QAction* cmitem4 = nullptr;    // "Set player range..."

  // The context-menu item by what it does (null before the menu is built).
  QAction*& item(SeatItem k) {
    return *std::array{&cmitem1, &cmitem2, &cmitem3, &cmitem4}.at(static_cast<std::size_t>(k) - 1);
  }
  QAction* item(SeatItem k) const { return const_cast<PlayerRecord*>(this)->item(k); }
};

struct TableRecord {
  std::array<int, kSeats> activeplayers{};    // 1 = seat takes part
  std::array<int, kSeats> simulateplayers{};  // 1 = hole cards dealt at random
  std::vector<int> boardcards;                // 1-3 flop, 4 turn, 5 river
  std::vector<int> deadcards;                 // cards out of play: never dealt, not in the deck
  std::vector<int> tempplayercards;           // previous hole cards while a hole-card window is open
  RGB tablecolor, activeplayercolor, lightyellow, backgroundcolor, deactiveplayercolor;
  std::array<double, kSeats> playerangle{};
  double skew = 0.8;
  std::array<double, 2> tableradie{};
  std::array<double, 2> headradie{};
  std::vector<int> winner;                    // seats with the best hand of the last deal, ascending
  // Graphics of the table.
  QGraphicsView* axes = nullptr;
  PolygonItem* patchhandle = nullptr;
  QMenu* cmenu = nullptr;
  QAction* cmitem1 = nullptr;  // "Set Flop cards"
  QAction* cmitem2 = nullptr;  // "Set Turn card"
  QAction* cmitem3 = nullptr;  // "Release Flop cards"
  QAction* cmitem4 = nullptr;  // "Release Turn card"
  QAction* cmitem5 = nullptr;  // "Set dead cards..."
  QAction* cmitem6 = nullptr;  // "Release dead cards"
  std::array<PictureItem*, 5> boardcardsimage{};
  std::array<PictureItem*, kMaxDeadCards> deadcardsimage{};  // the row of dead cards, in TABLE.deadcards order
  PictureItem* dealerbutton = nullptr;

  // The board's context-menu item by what it does (null before the menu is built).
  QAction*& item(BoardItem k) {
    return *std::array{&cmitem1, &cmitem2, &cmitem3, &cmitem4, &cmitem5, &cmitem6}.at(static_cast<std::size_t>(k) - 1);
  }
  QAction* item(BoardItem k) const { return const_cast<TableRecord*>(this)->item(k); }
};

struct DeckRecord {
  std::array<int, 2> displayimagesize{};      // [width height] of a shown card in pixels
  std::array<std::array<int, 2>, kCards> value{};  // card n-1: {value 2..14, suit 1..4}
  std::array<std::string, kCards> symbol{};   // card n-1: "2s" .. "Ac"
  std::array<int, kCards> cardsindeck{};      // 1 = card free, 0 = fixed on the table
  struct Card {
    QPixmap image;                            // kept upright; Qt draws row 1 at the top
  };
  std::array<Card, kCards> card{};
  QPixmap backsideimage;
};

struct FigureRecord {
  int terminateprogram = 0;                   // 1 = the main window is closing
  MainWindow* mainfigurehandle = nullptr;
  QCustomPlot* histogramaxes = nullptr;
  QPointer<QWidget> WinStatFigHandle;         // statistics window opened last
};

struct SimRecord {
  int showhands = 0;                          // 1 = draw every simulated hand
  int stopsim = 0;                            // 1 = stop requested
  int exact = 0;                              // 1 = Start enumerates every deal instead of sampling
  // Statistics of the last run in pots (a pot split k ways counts 1/k).
  std::vector<double> WinStat;                // 10 x 9, index (p-1) + 10 * (h-1)
  std::vector<double> WinStat2;               // 10 x 9 x N, index (p-1) + 10 * (h-1) + 90 * (k-1)
  int WinStat2Players = 0;                    // N; 0 while WinStat2 is absent
  std::vector<double> Statistic;              // 10 x 169 x 9, index (n-1) + 10 * (s-1) + 1690 * (h-1)
  std::vector<double> WinRecord;              // 1 x 10; empty before the first run
};

struct ChooseCardsRecord {
  std::vector<int> chosencards;               // cards picked so far, in picking order
  std::array<double, 2> busypos{};
  std::array<QGraphicsItem*, kCards> axes{};  // the cell showing card n-1 in the open window
};

// Column k (0..20) holds one five-element subset of the positions 1..7.
using HandIndex = std::array<std::array<int, 5>, 21>;

struct UiControlsRecord {
  std::array<QWidget*, 11> handle{};  // by ControlSlot; handle[0] and handle[1] are unused
};

struct ChooseWindowButtonsRecord {
  std::array<QPushButton*, 2> handle{};  // by ChooseWindowButton: "Cancel", "Ok"
};

}  // namespace zuv
