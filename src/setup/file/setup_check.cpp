#include "setup/file/setup_check.h"

#include <cmath>
#include <optional>
#include <sstream>

#include "sim/hand_range.h"

namespace zuv::setupfile {

namespace {

constexpr double kMaxHands = 1000000000;

bool IsWhole(double v) { return std::isfinite(v) && v == std::floor(v); }
bool IsFlag(double v) { return v == 0 || v == 1; }
bool IsCard(double v) { return IsWhole(v) && v >= 1 && v <= kCards; }

std::string Number(double v) {
  std::ostringstream out;
  out.precision(17);
  out << v;
  return out.str();
}

std::string Seat(const char* field, int seat) { return std::string(field) + "(" + std::to_string(seat) + ")"; }

// Where each card is fixed, for the duplicate and deck checks.
class CardPlaces {
 public:
  // Returns the problem when `card` is already fixed elsewhere.
  std::optional<std::string> fix(int card, const std::string& where) {
    std::string& place = places_[card - 1];
    if (!place.empty()) return "card " + std::to_string(card) + " is fixed twice, in " + place + " and in " + where;
    place = where;
    return std::nullopt;
  }
  bool fixed(int card) const { return !places_[card - 1].empty(); }

 private:
  std::array<std::string, kCards> places_;
};

}  // namespace

std::variant<LoadedSetup, std::string> CheckSetup(const FileFields& f) {
  LoadedSetup s;

  // One value at a time, in the order of the restore.
  for (int n = 1; n <= kCards; ++n) {
    const double v = f.cardsindeck[n - 1];
    if (!IsFlag(v)) return Seat("cardsindeck", n) + " is " + Number(v) + "; deck flags are 0 or 1";
    s.cardsindeck[n - 1] = static_cast<int>(v);
  }
  for (int p = 1; p <= kSeats; ++p) {
    const auto& cards = f.playerCards[p - 1];
    if (!cards.empty() && cards.size() != 2) {
      return "tempPLAYER(" + std::to_string(p) + ").Cards holds " + std::to_string(cards.size()) +
             " numbers; a seat holds no cards or two";
    }
    for (double c : cards) {
      if (!IsCard(c)) {
        return "tempPLAYER(" + std::to_string(p) + ").Cards holds " + Number(c) +
               "; cards are whole numbers from 1 to 52";
      }
      s.playerCards[p - 1].push_back(static_cast<int>(c));
    }
  }
  if (!IsWhole(f.NrOfSims) || f.NrOfSims < 1 || f.NrOfSims > kMaxHands) {
    return "tempSETUP.NrOfSims is " + Number(f.NrOfSims) + "; it must be a whole number from 1 to 1000000000";
  }
  s.NrOfSims = static_cast<int>(f.NrOfSims);
  if (!IsWhole(f.Dealer) || f.Dealer < 1 || f.Dealer > kSeats) {
    return "tempSETUP.Dealer is " + Number(f.Dealer) + "; it must be a seat number from 1 to 10";
  }
  s.Dealer = static_cast<int>(f.Dealer);
  const std::pair<const char*, double> flags[] = {
      {"tempSETUP.SimulateFlop", f.SimulateFlop}, {"tempSETUP.SimulateTurn", f.SimulateTurn},
      {"tempSETUP.SetSeed", f.SetSeed}, {"tempSIM.showhands", f.showhands}};
  for (const auto& [name, v] : flags) {
    if (!IsFlag(v)) return std::string(name) + " is " + Number(v) + "; it must be 0 or 1";
  }
  s.SimulateFlop = static_cast<int>(f.SimulateFlop);
  s.SimulateTurn = static_cast<int>(f.SimulateTurn);
  s.SetSeed = static_cast<int>(f.SetSeed);
  s.showhands = static_cast<int>(f.showhands);
  if (!IsWhole(f.Seed)) return "tempSETUP.Seed is " + Number(f.Seed) + "; the seed must be a whole number";
  s.Seed = f.Seed;

  const std::size_t board = f.boardcards.size();
  if (board != 0 && board != 3 && board != 4) {
    return "tempTABLE.boardcards holds " + std::to_string(board) +
           " cards; a fixed board is empty, a flop (3) or a flop and turn (4)";
  }
  for (double c : f.boardcards) {
    if (!IsCard(c)) return "tempTABLE.boardcards holds " + Number(c) + "; cards are whole numbers from 1 to 52";
    s.boardcards.push_back(static_cast<int>(c));
  }
  for (int p = 1; p <= kSeats; ++p) {
    const double a = f.activeplayers[p - 1];
    const double r = f.simulateplayers[p - 1];
    if (!IsFlag(a)) return Seat("tempTABLE.activeplayers", p) + " is " + Number(a) + "; it must be 0 or 1";
    if (!IsFlag(r)) return Seat("tempTABLE.simulateplayers", p) + " is " + Number(r) + "; it must be 0 or 1";
    s.activeplayers[p - 1] = static_cast<int>(a);
    s.simulateplayers[p - 1] = static_cast<int>(r);
  }

  // The values together.
  if (s.SimulateTurn == 0 && s.SimulateFlop == 1) {
    return "tempSETUP.SimulateTurn is 0 but SimulateFlop is 1; a fixed turn needs a fixed flop";
  }
  const std::size_t expectedBoard = s.SimulateFlop == 1 ? 0 : (s.SimulateTurn == 1 ? 3 : 4);
  if (board != expectedBoard) {
    return "tempTABLE.boardcards holds " + std::to_string(board) + " cards but SimulateFlop " +
           std::to_string(s.SimulateFlop) + " and SimulateTurn " + std::to_string(s.SimulateTurn) + " call for " +
           std::to_string(expectedBoard);
  }

  CardPlaces places;
  for (std::size_t k = 0; k < board; ++k) {
    if (auto problem = places.fix(s.boardcards[k], Seat("tempTABLE.boardcards", static_cast<int>(k) + 1))) {
      return *problem;
    }
  }
  for (int p = 1; p <= kSeats; ++p) {
    const auto& cards = s.playerCards[p - 1];
    const std::string seat = "seat " + std::to_string(p);
    if (s.activeplayers[p - 1] == 0) {
      if (!cards.empty()) return seat + " is inactive but holds cards in tempPLAYER(" + std::to_string(p) + ").Cards";
      if (s.simulateplayers[p - 1] != 0) {
        return seat + " is inactive but tempTABLE.simulateplayers(" + std::to_string(p) + ") is 1";
      }
      continue;
    }
    if (s.simulateplayers[p - 1] == 0) {
      if (cards.empty()) {
        return seat + " has fixed cards by tempTABLE.simulateplayers(" + std::to_string(p) +
               ") = 0 but tempPLAYER(" + std::to_string(p) + ").Cards is empty";
      }
      for (int c : cards) {
        if (auto problem = places.fix(c, "tempPLAYER(" + std::to_string(p) + ").Cards")) return *problem;
      }
    }
  }
  // Dead cards leave the deck like fixed cards; they must come before the deck check.
  if (f.deadcards.size() > kMaxDeadCards) {
    return "deadcards holds " + std::to_string(f.deadcards.size()) + " cards; at most " +
           std::to_string(kMaxDeadCards) + " cards can be dead";
  }
  for (double c : f.deadcards) {
    if (!IsCard(c)) return "deadcards holds " + Number(c) + "; cards are whole numbers from 1 to 52";
    if (auto problem = places.fix(static_cast<int>(c), "deadcards")) return *problem;
    s.deadcards.push_back(static_cast<int>(c));
  }
  for (int p = 1; p <= kSeats; ++p) {
    const std::string& range = f.ranges[p - 1];
    if (range.empty()) continue;
    const std::string item = "playerranges{" + std::to_string(p) + "}";
    if (s.activeplayers[p - 1] == 0 || s.simulateplayers[p - 1] == 0) {
      return item + " gives seat " + std::to_string(p) + " a range, but only an active seat dealt at random has one";
    }
    const sim::ParsedRange parsed = sim::ParseRange(range);
    if (!parsed.problem.empty()) return item + " is not a range: " + parsed.problem;
    s.ranges[p - 1] = range;
  }
  if (!IsFlag(f.exact)) return "exactodds is " + Number(f.exact) + "; it must be 0 or 1";
  s.exact = static_cast<int>(f.exact);
  for (int n = 1; n <= kCards; ++n) {
    const int expected = places.fixed(n) ? 0 : 1;
    if (s.cardsindeck[n - 1] != expected) {
      return Seat("cardsindeck", n) + " is " + std::to_string(s.cardsindeck[n - 1]) + " but card " +
             std::to_string(n) + (expected == 0 ? " is fixed on the table" : " is not fixed anywhere");
    }
  }
  // A random seat may still hold the cards of the last hand dealt to it. They
  // are not part of the setup: the user may have fixed one of them elsewhere
  // since, so they are neither checked against the table nor restored.
  for (int p = 1; p <= kSeats; ++p) {
    if (s.simulateplayers[p - 1] == 1) s.playerCards[p - 1].clear();
  }
  return s;
}

}  // namespace zuv::setupfile
