#pragma once

#include <cstddef>

namespace zuv {

// The Start button's tooltip while a run can start; it names the key that starts one.
inline constexpr const char* kStartToolTip = "Click to start simulation (Ctrl+R)";

// Object name of the "Exact odds (every deal)" box, which has no handle of its own.
inline constexpr const char* kExactOddsBoxName = "exactOdds";

// Slots of UICONTROLS.handle. Slot 1 is never set.
enum ControlSlot : std::size_t {
  kStartButton = 2,    // "Start simulation" / "Stop simulation"
  kShowHandsBox = 3,   // "Show every simulated hand"
  kHandsField = 4,     // hands the next run deals
  kHandsLabel = 5,     // "Number of hands to simulate:"
  kCounterLabel = 6,   // "Number of simulated hands:", shown during and after a run
  kCounter = 7,        // hands simulated so far
  kSplitHandsBox = 8,  // the last statistics window's "Show splitted hands"
  kSetSeedBox = 9,     // "Set shuffle random seed:"
  kSeedField = 10,     // the seed
};

// Slots of CHOOSEWINDOWBUTTONS.handle in the open card-choosing window.
enum ChooseWindowButton : std::size_t { kCancelButton = 0, kOkButton = 1 };

// The menus of UIMENU and their items in UIMENULABELS[menu][item].
enum MenuSlot : std::size_t { kFileMenu = 1, kHelpMenu = 2 };
enum FileMenuItem : std::size_t { kLoadSetupItem = 1, kSaveSetupItem = 2, kQuitItem = 3 };
enum HelpMenuItem : std::size_t { kGettingStartedItem = 1, kWebPageItem = 2, kAboutItem = 3 };

// A seat's context-menu items: item k is PlayerRecord::cmitemk.
enum class SeatItem { Activate = 1, ChooseCards = 2, ReleaseCards = 3, SetRange = 4 };
inline constexpr int kSeatItems = 4;

// The board's context-menu items: item k is TableRecord::cmitemk.
enum class BoardItem {
  SetFlop = 1,
  SetTurn = 2,
  ReleaseFlop = 3,
  ReleaseTurn = 4,
  SetDeadCards = 5,
  ReleaseDeadCards = 6,
};
inline constexpr int kBoardItems = 6;

}  // namespace zuv
