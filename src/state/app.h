#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

#include "platform/command_dispatcher.h"
#include "platform/file_dialogs.h"
#include "platform/message_windows.h"
#include "platform/random_numbers.h"
#include "state/records.h"

class QGraphicsItem;

namespace zuv {

// The application state: the one instance of every global record, and the
// services the commands use. Commands are free functions taking App&.
class App {
 public:
  // `dialogs` answers the blocking file dialogs; the real desktop dialogs when null.
  explicit App(std::unique_ptr<FileDialogs> dialogs = nullptr);
  ~App();
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  SetupRecord SETUP;
  TableRecord TABLE;
  std::array<PlayerRecord, kSeats> PLAYER;
  DeckRecord DECK;
  FigureRecord FIGURE;
  SimRecord SIM;
  ChooseCardsRecord CHOOSECARDS;
  HandIndex HANDINDEX{};
  UiControlsRecord UICONTROLS;
  std::array<QMenu*, 3> UIMENU{};                     // [1] "File", [2] "Help"
  std::array<std::array<QAction*, 4>, 3> UIMENULABELS{};  // [m][i], m and i from 1
  ChooseWindowButtonsRecord CHOOSEWINDOWBUTTONS;
  std::vector<QCPBars*> SPLITBARHANDLES;

  // Seat p (1..10).
  PlayerRecord& player(int p) { return PLAYER.at(p - 1); }
  const PlayerRecord& player(int p) const { return PLAYER.at(p - 1); }
  int& activeplayers(int p) { return TABLE.activeplayers.at(p - 1); }
  int& simulateplayers(int p) { return TABLE.simulateplayers.at(p - 1); }
  int& cardsindeck(int card) { return DECK.cardsindeck.at(card - 1); }
  int cardValue(int card) const { return DECK.value.at(card - 1)[0]; }
  int cardSuit(int card) const { return DECK.value.at(card - 1)[1]; }
  const QPixmap& cardImage(int card) const { return DECK.card.at(card - 1).image; }

  // Runs a command text such as "CBChoosePlayerCards(7)".
  bool run(const std::string& text) { return commands.run(text); }

  CommandDispatcher commands;
  MessageWindows messages;
  FileDialogs& dialogs() { return *dialogs_; }

  // The object whose callback runs (the clicked picture or polygon), or null.
  QGraphicsItem* currentObject = nullptr;

  // The folders searched, in order, for cardimages/ and the other data files.
  QStringList dataFolders;

  // Opens an address in the system's browser; false when none could be started.
  // Tests replace it so that nothing is launched.
  std::function<bool(const QString&)> openUrl;

  // Seeds of simulation runs: restarted from SETUP.Seed by a seeded run,
  // continued by an unseeded one.
  RandomNumbers random;

  // Worker threads of a sampled run; 0 = one per core. The results do not depend on it.
  int runThreads = 0;

 private:
  std::unique_ptr<FileDialogs> dialogs_;
};

}  // namespace zuv
