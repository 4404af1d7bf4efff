#pragma once
// The checks of single setup-file values, one per kind of value: each takes
// what was read (numbers as doubles, texts) and gives the value the program
// takes back, or the problem as one line naming the value (`what`). The
// table of setup fields names the check of every value a load reads;
// CheckSetup then checks the values together.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "setup/file/setup_content.h"

namespace zuv::setupfile {

using ValueProblem = std::optional<std::string>;

// 0 or 1.
struct Flag {
  ValueProblem operator()(const std::string& what, double in, int& out) const;
};
// One 0 or 1 per seat.
struct Flags {
  ValueProblem operator()(const std::string& what, const std::array<double, kSeats>& in,
                          std::array<int, kSeats>& out) const;
};
// One 0 or 1 per card: 1 while the card is in the deck.
struct DeckFlags {
  ValueProblem operator()(const std::string& what, const std::array<double, kCards>& in,
                          std::array<int, kCards>& out) const;
};
// The hands a run deals: a whole number from 1 to 1000000000.
struct HandCount {
  ValueProblem operator()(const std::string& what, double in, int& out) const;
};
// A seat number from 1 to 10.
struct SeatNumber {
  ValueProblem operator()(const std::string& what, double in, int& out) const;
};
// A whole number of any size (the seed).
struct WholeNumber {
  ValueProblem operator()(const std::string& what, double in, double& out) const;
};
// A seat's hole cards: none or two.
struct SeatCards {
  ValueProblem operator()(const std::string& what, const std::vector<double>& in, std::vector<int>& out) const;
};
// A fixed board: none, a flop (3) or a flop and turn (4).
struct BoardCards {
  ValueProblem operator()(const std::string& what, const std::vector<double>& in, std::vector<int>& out) const;
};
// At most kMaxDeadCards cards out of play.
struct DeadCards {
  ValueProblem operator()(const std::string& what, const std::vector<double>& in, std::vector<int>& out) const;
};
// One range text per seat, without control characters (whether it parses
// depends on the seat, and is checked with the seats).
struct RangeTexts {
  ValueProblem operator()(const std::string& what, const std::array<std::string, kSeats>& in,
                          std::array<std::string, kSeats>& out) const;
};

}  // namespace zuv::setupfile
