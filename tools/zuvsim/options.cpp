#include "options.h"

#include <charconv>
#include <set>

#include "sim/card.h"

namespace zuv::zuvsim {

namespace {

template <typename T>
std::optional<T> ParseNumber(const std::string& text) {
  T value{};
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

// "AsKh" -> two cards, with the reason when it is not.
std::variant<std::vector<int>, std::string> ParseCardList(const std::string& text, const std::string& what) {
  if (text.size() % 2 != 0) return what + " '" + text + "' is not a run of two-character cards such as AsKh";
  std::vector<int> cards;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const auto card = sim::ParseCard(std::string_view(text).substr(i, 2));
    if (!card) {
      return "unknown card '" + text.substr(i, 2) + "' in " + what +
             " (value from 23456789TJQKA, suit from shdc, e.g. As)";
    }
    cards.push_back(*card);
  }
  return cards;
}

}  // namespace

std::string UsageText() {
  return "usage: zuvsim [--hands N] [--seed S] [--board CARDS] [--threads T] [--json] SEAT SEAT [SEAT...]\n"
         "       zuvsim [options] --setup FILE.zuv\n"
         "  SEAT     two cards such as AsKh, or 'random' (2 to 10 seats, numbered in order)\n"
         "  --board  fixed flop (3 cards) or flop and turn (4), e.g. 2c4c5h or 2c4c5h7d\n"
         "  --hands  hands to simulate (default 50000)\n"
         "  --seed   seed of the shuffle, 0..18446744073709551615 (default 0)\n"
         "  --threads  worker threads (default: one per core); results do not depend on it\n"
         "  --json   print one JSON object instead of tables\n";
}

std::variant<Options, std::string> ParseOptions(const std::vector<std::string>& args) {
  Options options;
  std::optional<std::string> boardText;
  std::vector<std::string> seats;

  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    std::optional<std::string> inlineValue;
    if (arg.rfind("--", 0) == 0) {
      if (const auto eq = arg.find('='); eq != std::string::npos) {
        inlineValue = arg.substr(eq + 1);
        arg = arg.substr(0, eq);
      }
    }
    auto value = [&]() -> std::optional<std::string> {
      if (inlineValue) return inlineValue;
      if (i + 1 < args.size()) return args[++i];
      return std::nullopt;
    };
    auto flagOnly = [&]() { return !inlineValue; };

    if (arg == "--help" || arg == "-h") {
      options.help = true;
    } else if (arg == "--json") {
      if (!flagOnly()) return "--json takes no value";
      options.json = true;
    } else if (arg == "--hands") {
      const auto v = value();
      if (!v) return "--hands needs a number";
      const auto n = ParseNumber<std::int64_t>(*v);
      if (!n || *n < 1) return "--hands must be a whole number of at least 1, not '" + *v + "'";
      options.hands = *n;
      options.handsGiven = true;
    } else if (arg == "--seed") {
      const auto v = value();
      if (!v) return "--seed needs a number";
      const auto n = ParseNumber<std::uint64_t>(*v);
      if (!n) return "--seed must be a whole number from 0 to 18446744073709551615, not '" + *v + "'";
      options.seed = *n;
      options.seedGiven = true;
    } else if (arg == "--threads") {
      const auto v = value();
      if (!v) return "--threads needs a number";
      const auto n = ParseNumber<int>(*v);
      if (!n || *n < 1 || *n > 1024) return "--threads must be a whole number from 1 to 1024, not '" + *v + "'";
      options.threads = *n;
    } else if (arg == "--board") {
      const auto v = value();
      if (!v) return "--board needs 3 or 4 cards such as 2c4c5h";
      boardText = *v;
    } else if (arg == "--setup") {
      const auto v = value();
      if (!v || v->empty()) return "--setup needs a file name";
      options.setupFile = *v;
    } else if (arg.rfind("-", 0) == 0 && arg.size() > 1) {
      return "unknown option '" + arg + "' (see zuvsim --help)";
    } else {
      seats.push_back(arg);
    }
  }
  if (options.help) return options;

  if (options.setupFile) {
    if (!seats.empty() || boardText) return "--setup cannot be combined with SEAT arguments or --board";
    return options;
  }

  if (seats.size() < 2) return "need at least 2 seats, got " + std::to_string(seats.size()) + " (see zuvsim --help)";
  if (seats.size() > 10) return "at most 10 seats, got " + std::to_string(seats.size());

  // Cards are checked here for duplicates with the seat names the user sees;
  // the engine's own check below then only guards what remains.
  std::set<int> used;
  auto take = [&](const std::vector<int>& cards, const std::string& where) -> std::optional<std::string> {
    for (int c : cards) {
      if (!used.insert(c).second) return "card " + sim::CardSymbol(c) + " is given twice (again in " + where + ")";
    }
    return std::nullopt;
  };
  for (std::size_t s = 0; s < seats.size(); ++s) {
    const std::string where = "seat " + std::to_string(s + 1);
    options.scenario.active[s] = true;
    if (seats[s] == "random") {
      options.seatText.push_back("random");
      continue;
    }
    auto parsed = ParseCardList(seats[s], where);
    if (auto* problem = std::get_if<std::string>(&parsed)) return *problem;
    const auto& cards = std::get<std::vector<int>>(parsed);
    if (cards.size() != 2) return where + " needs two cards such as AsKh or 'random', not '" + seats[s] + "'";
    if (auto problem = take(cards, where)) return *problem;
    options.scenario.fixed[s] = {cards[0], cards[1]};
    options.seatText.push_back(seats[s]);
  }
  if (boardText) {
    auto parsed = ParseCardList(*boardText, "--board");
    if (auto* problem = std::get_if<std::string>(&parsed)) return *problem;
    const auto& cards = std::get<std::vector<int>>(parsed);
    if (cards.size() != 3 && cards.size() != 4) {
      return "--board needs 3 cards (flop) or 4 (flop and turn), got " + std::to_string(cards.size());
    }
    if (auto problem = take(cards, "--board")) return *problem;
    options.scenario.board = cards;
  }
  if (auto problem = sim::CheckScenario(options.scenario)) return *problem;
  return options;
}

}  // namespace zuv::zuvsim
