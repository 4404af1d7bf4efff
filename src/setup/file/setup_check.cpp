#include "setup/file/setup_check.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <sstream>

#include "setup/file/setup_fields.h"
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

// Runs the check of every value a load reads, in the file's order, into the checked setup.
class ValueChecker {
 public:
  ValueChecker(const FileFields& in, LoadedSetup& out) : in_(in), out_(out) {}
  const ValueProblem& problem() const { return problem_; }

  void record(const char* name, std::size_t elements) {
    record_ = name;
    elements_ = elements;
  }
  void element(std::size_t index) { index_ = index; }
  void field(const char* name, auto&&, const auto& read, const auto&) {
    const std::string element = elements_ == 1 ? record_ : Seat(record_.c_str(), static_cast<int>(index_) + 1);
    check(element + "." + name, read);
  }
  void variable(const char* name, auto&&, const auto& read, const auto&) { check(name, read); }
  void extra(const char* name, auto&&, const auto& read, const auto&) { check(name, read); }

 private:
  void check(const std::string&, std::nullptr_t) {}
  template <class Read>
  void check(const std::string& what, const Read& read) {
    if (!problem_) problem_ = read.check(what, read.at(in_), read.at(out_));
  }

  const FileFields& in_;
  LoadedSetup& out_;
  ValueProblem problem_;
  std::string record_;
  std::size_t elements_ = 1;
  std::size_t index_ = 0;
};

// The cards of a list, each whole from 1 to 52.
ValueProblem CardList(const std::string& what, const std::vector<double>& in, std::vector<int>& out) {
  out.clear();
  for (double c : in) {
    if (!IsCard(c)) return what + " holds " + Number(c) + "; cards are whole numbers from 1 to 52";
    out.push_back(static_cast<int>(c));
  }
  return std::nullopt;
}

}  // namespace

ValueProblem Flag::operator()(const std::string& what, double in, int& out) const {
  if (!IsFlag(in)) return what + " is " + Number(in) + "; it must be 0 or 1";
  out = static_cast<int>(in);
  return std::nullopt;
}

ValueProblem Flags::operator()(const std::string& what, const std::array<double, kSeats>& in,
                               std::array<int, kSeats>& out) const {
  for (int p = 1; p <= kSeats; ++p) {
    if (auto problem = Flag{}(Seat(what.c_str(), p), in[p - 1], out[p - 1])) return problem;
  }
  return std::nullopt;
}

ValueProblem DeckFlags::operator()(const std::string& what, const std::array<double, kCards>& in,
                                   std::array<int, kCards>& out) const {
  for (int n = 1; n <= kCards; ++n) {
    const double v = in[n - 1];
    if (!IsFlag(v)) return Seat(what.c_str(), n) + " is " + Number(v) + "; deck flags are 0 or 1";
    out[n - 1] = static_cast<int>(v);
  }
  return std::nullopt;
}

ValueProblem HandCount::operator()(const std::string& what, double in, int& out) const {
  if (!IsWhole(in) || in < 1 || in > kMaxHands) {
    return what + " is " + Number(in) + "; it must be a whole number from 1 to 1000000000";
  }
  out = static_cast<int>(in);
  return std::nullopt;
}

ValueProblem SeatNumber::operator()(const std::string& what, double in, int& out) const {
  if (!IsWhole(in) || in < 1 || in > kSeats) {
    return what + " is " + Number(in) + "; it must be a seat number from 1 to 10";
  }
  out = static_cast<int>(in);
  return std::nullopt;
}

ValueProblem WholeNumber::operator()(const std::string& what, double in, double& out) const {
  if (!IsWhole(in)) return what + " is " + Number(in) + "; it must be a whole number";
  out = in;
  return std::nullopt;
}

ValueProblem SeatCards::operator()(const std::string& what, const std::vector<double>& in,
                                   std::vector<int>& out) const {
  if (!in.empty() && in.size() != 2) {
    return what + " holds " + std::to_string(in.size()) + " numbers; a seat holds no cards or two";
  }
  return CardList(what, in, out);
}

ValueProblem BoardCards::operator()(const std::string& what, const std::vector<double>& in,
                                    std::vector<int>& out) const {
  const std::size_t n = in.size();
  if (n != 0 && n != 3 && n != 4) {
    return what + " holds " + std::to_string(n) + " cards; a fixed board is empty, a flop (3) or a flop and turn (4)";
  }
  return CardList(what, in, out);
}

ValueProblem DeadCards::operator()(const std::string& what, const std::vector<double>& in,
                                   std::vector<int>& out) const {
  if (in.size() > kMaxDeadCards) {
    return what + " holds " + std::to_string(in.size()) + " cards; at most " + std::to_string(kMaxDeadCards) +
           " cards can be dead";
  }
  return CardList(what, in, out);
}

ValueProblem RangeTexts::operator()(const std::string& what, const std::array<std::string, kSeats>& in,
                                    std::array<std::string, kSeats>& out) const {
  for (int p = 1; p <= kSeats; ++p) {
    const std::string& text = in[p - 1];
    // A line break or tab in a range would break every line it is shown or copied in.
    const auto control = std::find_if(text.begin(), text.end(), [](unsigned char c) { return c < 0x20 || c == 0x7f; });
    if (control != text.end()) {
      return what + "{" + std::to_string(p) + "} holds a control character (code " +
             std::to_string(static_cast<unsigned char>(*control)) + ")";
    }
    out[p - 1] = text;
  }
  return std::nullopt;
}

std::variant<LoadedSetup, std::string> CheckSetup(const FileFields& f) {
  LoadedSetup s;
  ValueChecker values(f, s);
  const SetupContent unused;
  VisitSetupFile(values, unused);
  if (values.problem()) return *values.problem();
  const std::size_t board = s.boardcards.size();

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
    const std::string player = "player " + std::to_string(p);
    if (s.activeplayers[p - 1] == 0) {
      if (!cards.empty()) return player + " is inactive but holds cards in tempPLAYER(" + std::to_string(p) + ").Cards";
      if (s.simulateplayers[p - 1] != 0) {
        return player + " is inactive but tempTABLE.simulateplayers(" + std::to_string(p) + ") is 1";
      }
      continue;
    }
    if (s.simulateplayers[p - 1] == 0) {
      if (cards.empty()) {
        return player + " has fixed cards by tempTABLE.simulateplayers(" + std::to_string(p) +
               ") = 0 but tempPLAYER(" + std::to_string(p) + ").Cards is empty";
      }
      for (int c : cards) {
        if (auto problem = places.fix(c, "tempPLAYER(" + std::to_string(p) + ").Cards")) return *problem;
      }
    }
  }
  // Dead cards leave the deck like fixed cards; they must come before the deck check.
  for (int c : s.deadcards) {
    if (auto problem = places.fix(c, "deadcards")) return *problem;
  }
  for (int p = 1; p <= kSeats; ++p) {
    const std::string& range = s.ranges[p - 1];
    if (range.empty()) continue;
    const std::string item = "playerranges{" + std::to_string(p) + "}";
    if (s.activeplayers[p - 1] == 0 || s.simulateplayers[p - 1] == 0) {
      return item + " gives player " + std::to_string(p) + " a range, but only an active seat dealt at random has one";
    }
    const sim::ParsedRange parsed = sim::ParseRange(range);
    if (!parsed.problem.empty()) return item + " is not a range: " + parsed.problem;
  }
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
