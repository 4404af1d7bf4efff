#include "state/initial_setup.h"

#include <cmath>
#include <numbers>

#include "platform/data_folders.h"
#include "state/app.h"
#include "state/main_window.h"

namespace zuv {

namespace {

constexpr std::array<double, 2> kFileImageSize{50, 70};

void InitialDeckTables(DeckRecord& deck) {
  static constexpr char kValues[] = "23456789TJQKA";
  static constexpr char kSuits[] = "shdc";
  for (int n = 1; n <= kCards; ++n) {
    const int value = (n - 1) % 13 + 2;
    const int suit = (n - 1) / 13 + 1;
    deck.value[n - 1] = {value, suit};
    deck.symbol[n - 1] = std::string{kValues[value - 2], kSuits[suit - 1]};
    deck.cardsindeck[n - 1] = 1;
  }
}

void BuildHandIndex(HandIndex& index) {
  int column = 0;
  for (int i = 1; i <= 3; ++i)
    for (int j = i + 1; j <= 4; ++j)
      for (int k = j + 1; k <= 5; ++k)
        for (int l = k + 1; l <= 6; ++l)
          for (int m = l + 1; m <= 7; ++m) index[column++] = {i, j, k, l, m};
}

std::optional<QString> ReadPicture(const App& app, const QString& file, QPixmap& into) {
  QImage image;
  if (auto problem = ReadDataPicture(app.dataFolders, "cardimages/" + file, image)) return problem;
  into = QPixmap::fromImage(image);
  return std::nullopt;
}

}  // namespace

void InitialRecords(App& app) {
  auto& DECK = app.DECK;
  auto& SETUP = app.SETUP;
  auto& TABLE = app.TABLE;

  DECK.displayimagesize = {int(kFileImageSize[0] / 5 * 4), int(kFileImageSize[1] / 5 * 4)};

  SETUP.NrOfSims = 50000;
  SETUP.Dealer = 10;
  SETUP.SimulateFlop = 1;
  SETUP.SimulateTurn = 1;
  SETUP.SetSeed = 1;
  SETUP.Seed = 0;
  SETUP.CardSize = {DECK.displayimagesize[0] / 240.0 * 1.3, DECK.displayimagesize[1] / 240.0 * 1.3};
  SETUP.NrOfPlayers = kSeats;
  SETUP.handnames = {"High card", "Pair",       "Two pairs",      "Trips",         "Straight",
                     "Flush",     "Full house", "Four of a kind", "Straight flush"};

  for (auto& p : app.PLAYER) {
    p.Cards.clear();
    p.hand = 0;
  }

  TABLE.activeplayers = {1, 1, 0, 0, 0, 0, 0, 0, 0, 0};
  TABLE.simulateplayers = {1, 1, 0, 0, 0, 0, 0, 0, 0, 0};
  TABLE.boardcards.clear();
  TABLE.tempplayercards.clear();
  TABLE.tablecolor = {14 / 255.0, 70 / 255.0, 0};
  TABLE.activeplayercolor = TABLE.tablecolor;
  TABLE.lightyellow = {1, 1, 0.8};
  TABLE.backgroundcolor = TABLE.tablecolor;
  TABLE.deactiveplayercolor = {0.6, 0.6, 0.6};

  // Seats run clockwise from the upper right; seat 11 - k mirrors seat k.
  const std::array<double, 5> t{1.131, 0.56556, -0.12568, -0.7917, -1.3336092};
  for (int k = 0; k < 5; ++k) {
    TABLE.playerangle[k] = t[k];
    TABLE.playerangle[9 - k] = -std::numbers::pi - t[k];
  }
  TABLE.skew = 0.8;

  app.FIGURE.terminateprogram = 0;

  app.SIM.showhands = 0;
  app.SIM.stopsim = 0;
  app.SIM.WinStat.assign(kSeats * kHandClasses, 0.0);

  app.CHOOSECARDS.chosencards.clear();
  app.CHOOSECARDS.busypos = {0, 0};

  InitialDeckTables(DECK);
  BuildHandIndex(app.HANDINDEX);
}

std::optional<QString> ReadCardPictures(App& app) {
  for (int n = 1; n <= kCards; ++n) {
    const QString file = QString::fromStdString(app.DECK.symbol[n - 1]) + ".png";
    if (auto problem = ReadPicture(app, file, app.DECK.card[n - 1].image)) return problem;
  }
  return ReadPicture(app, "backside.png", app.DECK.backsideimage);
}

std::optional<QString> InitialSetup(App& app) {
  InitialRecords(app);
  if (auto problem = ReadCardPictures(app)) return problem;
  CreateMainWindow(app);
  return std::nullopt;
}

}  // namespace zuv
