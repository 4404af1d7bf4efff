#pragma once
// What a setup file holds, as plain data. SetupContent mirrors the five
// variables a save writes: every field of the program's records, numbers as
// doubles in the file, graphics handles as serial numbers (never read back).
// FileFields holds the fields a load reads; LoadedSetup the same once checked.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace zuv::setupfile {

inline constexpr int kSeats = 10;
inline constexpr int kCards = 52;
inline constexpr int kHandClasses = 9;
inline constexpr int kStartHandClasses = 169;

// A numeric array with its dimensions; values column-major, as the file keeps them.
struct NumericArray {
  std::vector<std::size_t> dims{0, 0};
  std::vector<double> values;

  static NumericArray Empty() { return {}; }
  static NumericArray Row(std::vector<double> v) { return {{1, v.size()}, std::move(v)}; }
  // An empty list is saved as a 0x0 array, like every empty field.
  static NumericArray RowOrEmpty(std::vector<double> v) { return v.empty() ? Empty() : Row(std::move(v)); }
  static NumericArray ColumnOrEmpty(std::vector<double> v) {
    if (v.empty()) return Empty();
    const std::size_t n = v.size();
    return {{n, 1}, std::move(v)};
  }
  static NumericArray Scalar(double v) { return {{1, 1}, {v}}; }
  // `values` in the shape `dims`; empty when they do not fill it (statistics before the first run).
  static NumericArray Sized(std::vector<std::size_t> dims, const std::vector<double>& values) {
    std::size_t n = 1;
    for (std::size_t d : dims) n *= d;
    if (values.empty() || n != values.size()) return Empty();
    return {std::move(dims), values};
  }
};

// "tempTABLE": the whole TABLE record.
struct SavedTable {
  std::array<double, kSeats> activeplayers{};
  std::array<double, kSeats> simulateplayers{};
  std::vector<double> boardcards;       // saved as a column
  std::vector<double> tempplayercards;  // saved as a column
  std::array<double, 3> tablecolor{}, activeplayercolor{}, lightyellow{}, backgroundcolor{}, deactiveplayercolor{};
  std::array<double, kSeats> playerangle{};
  double skew = 0;
  double axes = 0;
  std::array<double, 2> tableradie{}, headradie{};
  double patchhandle = 0, cmenu = 0, cmitem1 = 0, cmitem2 = 0, cmitem3 = 0, cmitem4 = 0;
  std::array<double, 5> boardcardsimage{};
  double dealerbutton = 0;
  std::vector<double> winner;  // saved as a row
};

// "tempSETUP": the whole SETUP record.
struct SavedSetup {
  double NrOfSims = 0, Dealer = 0, SimulateFlop = 0, SimulateTurn = 0, SetSeed = 0, Seed = 0;
  std::array<double, 2> CardSize{};
  double NrOfPlayers = 0;
  std::array<std::string, kHandClasses> handnames{};  // saved as a 1x9 list of texts
};

// One element of "tempPLAYER", the 1x10 array of PLAYER records.
struct SavedPlayer {
  std::vector<double> Cards;     // saved as a column
  std::vector<double> hand;      // empty, or the hand class
  std::vector<double> highcard;  // saved as a row
  double patchhandle = 0, playernrtexthandle = 0;
  std::array<double, 2> cardimage{};
  double handtext = 0, handtextrectangle = 0, cmenu = 0, cmitem1 = 0, cmitem2 = 0, cmitem3 = 0;
};

// "tempSIM": the whole SIM record.
struct SavedSim {
  double showhands = 0, stopsim = 0;
  NumericArray WinStat;    // 10x9
  NumericArray WinStat2;   // 10x9xN, or empty before the first run
  NumericArray Statistic;  // 10x169x9, or empty before the first run
  NumericArray WinRecord;  // 1x10, or empty before the first run
};

struct SetupContent {
  SavedTable table;
  SavedSetup setup;
  std::array<SavedPlayer, kSeats> players;
  std::array<double, kCards> cardsindeck{};
  SavedSim sim;
  // Extra variables next to the five: "playerranges" (1x10 list of texts, a
  // seat's hand range, empty for any two cards), "deadcards" (a row of cards
  // out of play) and "exactodds" (1 = runs enumerate every deal).
  std::array<std::string, kSeats> ranges{};
  std::vector<double> deadcards;
  double exact = 0;
};

// The fields a load reads, as numbers straight from the file (shapes checked,
// values not yet). Seats and cards at index n - 1.
struct FileFields {
  std::array<double, kCards> cardsindeck{};
  std::array<std::vector<double>, kSeats> playerCards;  // empty or two numbers
  double NrOfSims = 0, Dealer = 0, SimulateFlop = 0, SimulateTurn = 0, SetSeed = 0, Seed = 0;
  double showhands = 0;
  std::vector<double> boardcards;
  std::array<double, kSeats> activeplayers{};
  std::array<double, kSeats> simulateplayers{};
  // The extra variables; files without them read as empty ranges, no dead cards, exact 0.
  std::array<std::string, kSeats> ranges{};
  std::vector<double> deadcards;
  double exact = 0;
};

// The fields a load takes back, checked. Seats and cards at index n - 1.
struct LoadedSetup {
  std::array<int, kCards> cardsindeck{};
  std::array<std::vector<int>, kSeats> playerCards;  // empty or two cards
  int NrOfSims = 0;
  int Dealer = 0;
  int SimulateFlop = 0;
  int SimulateTurn = 0;
  int SetSeed = 0;
  double Seed = 0;  // whole
  int showhands = 0;
  std::vector<int> boardcards;  // 0, 3 or 4 cards
  std::array<int, kSeats> activeplayers{};
  std::array<int, kSeats> simulateplayers{};
  std::array<std::string, kSeats> ranges{};  // only on active seats dealt at random; parses
  std::vector<int> deadcards;                // at most kMaxDeadCards, fixed nowhere else
  int exact = 0;
};

inline constexpr std::size_t kMaxDeadCards = 10;

}  // namespace zuv::setupfile
