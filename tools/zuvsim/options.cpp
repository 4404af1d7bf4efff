#include "options.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <cmath>
#include <memory>
#include <set>
#include <string_view>
#include <tuple>

#include "seat_input.h"
#include "sim/card.h"
#include "sim/exact.h"
#include "sim/quoted_text.h"

namespace zuv::zuvsim {

namespace {

// The texts as given; CLI11 sorts out the structure of the command line and
// the values are checked here afterwards, so that each problem gets our words.
struct RawArgs {
  std::optional<std::string> hands, seed, threads, board, dead, targetSe, timeLimit, setup;
  bool exact = false;
  bool json = false;
  bool csv = false;
  bool perHand = false;
  std::vector<std::string> seats;
};

constexpr const char* kUsage =
    "usage: zuvsim [--hands N] [--seed S] [--board CARDS] [--dead CARDS] [--exact] [--time-limit SECONDS]\n"
    "              [--target-se X] [--threads T] [--json | --csv] [--per-hand] SEAT SEAT [SEAT...]\n"
    "       zuvsim [options] --setup FILE.zuv\n";

constexpr const char* kNotes =
    "Each SEAT is two cards such as AsKh, 'random', or a range such as 'QQ+,AKs' (quoted\n"
    "when it holds commas or spaces): QQ, TT+, 22-55, AK, AKs, AKo, ATs+, K9+, A2s-A5s,\n"
    "K9o-KJo, T9s-65s, AhKh, items joined by commas, each with a weight from 0 to 1 if\n"
    "wanted (AKs:0.5). 2 to 10 seats, numbered in order.\n"
    "Win % counts the pots a seat won, a pot shared by k players counting 1/k;\n"
    "Alone % the pots it won alone; Shared % the hands in which it shared the pot.\n"
    "On a terminal, a run longer than a second shows its progress on standard error.\n"
    "Bad input prints one line on standard error and exits with status 2.";

// Our usage lines, and options shown with their value name only (the
// exclusions are said in the descriptions).
class UsageFormatter : public CLI::Formatter {
 public:
  std::string make_usage(const CLI::App*, std::string) const override { return kUsage; }
  std::string make_option_opts(const CLI::Option* option) const override {
    return option->get_type_size() == 0 ? "" : " " + option->get_type_name();
  }
};

std::unique_ptr<CLI::App> MakeCommandLine(RawArgs& raw) {
  auto app = std::make_unique<CLI::App>("", "zuvsim");
  app->formatter(std::make_shared<UsageFormatter>());
  app->get_formatter()->column_width(20);
  app->footer(kNotes);
  app->set_help_flag("-h,--help", "print this help and exit");
  app->set_version_flag("--version", std::string("zuvsim ") + ZUVSIM_VERSION, "print the version and exit");
  app->add_option("--hands", raw.hands,
                  "hands to play, 1 to 10^12 (default 50000): at most what two cores\n"
                  "play in a day, about 6 hours with two random seats, 19 with ten")
      ->type_name("N");
  app->add_option("--seed", raw.seed, "seed of the shuffle, 0 to 18446744073709551615 (default 0)")
      ->type_name("S");
  app->add_option("--board", raw.board, "fixed flop (3 cards) or flop and turn (4), e.g. 2c4c5h")
      ->type_name("CARDS");
  app->add_option("--dead", raw.dead, "cards out of play, never dealt, e.g. 7h2d")->type_name("CARDS");
  auto* exact = app->add_flag("--exact", raw.exact,
                              "enumerate every deal for exact odds instead of sampling;\n"
                              "refused when it would take more than about a minute, or\n"
                              "above " + sim::GroupedCount(sim::kExactDealLimit) + " deals; --seed chooses the order");
  app->add_option("--time-limit", raw.timeLimit,
                  "with --exact: stop after SECONDS and print an estimate from\n"
                  "the deals done, a random sample of all, with its standard errors")
      ->type_name("SECONDS");
  auto* targetSe = app->add_option("--target-se", raw.targetSe,
                                   "sample until every seat's standard error of the win rate is\n"
                                   "at most X (e.g. 0.0005); --hands is then the most to play\n"
                                   "(default 10^12)")
                       ->type_name("X");
  exact->excludes(targetSe);
  app->add_option("--threads", raw.threads,
                  "worker threads, 1 to 1024 (default: one per core);\n"
                  "the same seed gives the same numbers whatever the count")
      ->type_name("T");
  auto* json = app->add_flag("--json", raw.json, "print one JSON object instead of tables");
  auto* csv = app->add_flag("--csv", raw.csv, "print a header line and one line per seat, comma separated\n(not with --json)");
  json->excludes(csv);
  app->add_flag("--per-hand", raw.perHand,
                "also give each seat dealt from a range or at random its win rate per\n"
                "hand and per starting-hand class, and with a fixed flop the share of\n"
                "every seat's hands making each hand class or holding a draw");
  app->add_option("--setup", raw.setup, "play the table of a setup file saved by the window;\n"
                                        "--hands and --seed given here win over the file's")
      ->type_name("FILE.zuv");
  app->add_option("SEAT", raw.seats, "two cards such as AsKh, 'random', or a range such as 'QQ+,AKs'")->type_name("");
  return app;
}

// CLI11's words for the few problems it finds, made into the same kind of
// line as the rest. Its texts are taken apart with plain searches: a user's
// option can be any length, and a pattern matcher over it can run out of stack.
std::string ParseProblem(const CLI::ParseError& error, const CLI::App& app) {
  if (dynamic_cast<const CLI::ExtrasError*>(&error) && !app.remaining().empty()) {
    return "unknown option " + sim::QuotedText(app.remaining().front()) + " (see zuvsim --help)";
  }
  const std::string_view text = error.what();
  // "--hands: 1 required N missing", "--hands: At Most 1 required but received 2",
  // "Could not convert: --json = maybe": the option is always one of ours.
  const auto colon = text.find(": ");
  if (text.starts_with("--") && colon != std::string_view::npos) {
    const std::string option(text.substr(0, colon));
    const std::string_view rest = text.substr(colon + 2);
    if (rest.starts_with("1 required ") && rest.ends_with(" missing")) {
      const auto type = rest.substr(11, rest.size() - 11 - 8);
      return option + " needs a value " + std::string(type) + " (see zuvsim --help)";
    }
    if (rest.starts_with("At Most 1 required but received ")) return option + " may be given only once";
  }
  constexpr std::string_view kConvert = "Could not convert: ";
  if (const auto equals = text.find(" = "); text.starts_with(kConvert) && equals != std::string_view::npos) {
    const std::string option(text.substr(kConvert.size(), equals - kConvert.size()));
    const std::string given = option + "=" + std::string(text.substr(equals + 3));
    return option + " is a switch without a value, not " + sim::QuotedText(given);
  }
  return std::string(text) + " (see zuvsim --help)";
}

// A time limit beyond about eleven days is no limit a run needs; one below a
// millisecond is none the clock can keep.
constexpr double kMinTimeLimit = 0.001;
constexpr double kMaxTimeLimit = 1e6;

template <typename T>
std::optional<T> ParseNumber(const std::string& text, bool* tooLarge = nullptr) {
  T value{};
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (tooLarge) *tooLarge = ec == std::errc::result_out_of_range && ptr == end && text[0] != '-';
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return value;
}

std::optional<std::string> TakeHands(const std::string& text, Options& options) {
  bool tooLarge = false;
  const auto n = ParseNumber<std::int64_t>(text, &tooLarge);
  if (tooLarge || (n && *n > kMaxHands)) {
    return "--hands may be at most " + std::to_string(kMaxHands) + " (10^12), not " + sim::QuotedText(text);
  }
  if (!n || *n < 1) {
    return "--hands must be a whole number from 1 to " + std::to_string(kMaxHands) + ", not " + sim::QuotedText(text);
  }
  options.hands = *n;
  options.handsGiven = true;
  return std::nullopt;
}

// "AsKh" -> two cards, with the reason when it is not.
std::variant<std::vector<int>, std::string> ParseCardList(const std::string& text, const std::string& what) {
  if (text.size() % 2 != 0) {
    return what + " " + sim::QuotedText(text) + " is not a run of two-character cards such as AsKh";
  }
  std::vector<int> cards;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    const auto card = sim::ParseCard(std::string_view(text).substr(i, 2));
    if (!card) {
      return "unknown card " + sim::QuotedText(text.substr(i, 2)) + " in " + what +
             " (value from 23456789TJQKA, suit from shdc, e.g. As)";
    }
    cards.push_back(*card);
  }
  return cards;
}

// Builds the table from SEAT arguments, --board and --dead.
std::optional<std::string> TakeTable(const RawArgs& raw, Options& options) {
  const auto& seats = raw.seats;
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
    const int seat = static_cast<int>(s) + 1;
    auto parsed = ParseSeat(seats[s], seat);
    if (auto* problem = std::get_if<std::string>(&parsed)) return *problem;
    const auto& input = std::get<SeatInput>(parsed);
    options.scenario.active[s] = true;
    options.seatText.push_back(seats[s]);
    options.scenario.fixed[s] = input.fixed;
    options.scenario.range[s] = input.range;
    options.scenario.weight[s] = input.weights;
    if (input.fixed[0] != 0) {
      if (auto problem = take({input.fixed[0], input.fixed[1]}, "seat " + std::to_string(seat))) return *problem;
    }
  }
  for (const auto& [text, cards, what] :
       {std::tuple{raw.board, &options.scenario.board, "--board"}, std::tuple{raw.dead, &options.scenario.dead, "--dead"}}) {
    if (!text) continue;
    auto parsed = ParseCardList(*text, what);
    if (auto* problem = std::get_if<std::string>(&parsed)) return *problem;
    *cards = std::get<std::vector<int>>(parsed);
    if (auto problem = take(*cards, what)) return *problem;
  }
  const auto boardSize = options.scenario.board.size();
  if (raw.board && boardSize != 3 && boardSize != 4) {
    return "--board needs 3 cards (flop) or 4 (flop and turn), got " + std::to_string(boardSize);
  }
  if (raw.dead && options.scenario.dead.empty()) return "--dead needs cards such as 7h2d";
  for (std::size_t s = 0; s < seats.size(); ++s) {
    if (options.scenario.range[s].empty()) continue;
    if (PossibleCombos(options.scenario, static_cast<int>(s) + 1) == 0) {
      return "seat " + std::to_string(s + 1) + ": no hand of " + sim::QuotedText(seats[s]) +
             " is possible, the cards known elsewhere take them all";
    }
  }
  return sim::CheckScenario(options.scenario);
}

}  // namespace

namespace {

// CLI11 reads an argument "[a,b]" as the list of values a and b, but one
// argument is one seat whatever it holds: such arguments pass through CLI11
// with this mark in front, taken off again afterwards.
constexpr char kListMark = '\x1f';

void Unmark(std::string& text) {
  if (!text.empty() && text.front() == kListMark) text.erase(0, 1);
}

void Unmark(RawArgs& raw) {
  for (auto* text : {&raw.hands, &raw.seed, &raw.threads, &raw.board, &raw.dead, &raw.targetSe, &raw.setup}) {
    if (*text) Unmark(**text);
  }
  for (auto& seat : raw.seats) Unmark(seat);
}

}  // namespace

std::variant<Options, std::string> ParseOptions(const std::vector<std::string>& args) {
  Options options;
  RawArgs raw;
  auto app = MakeCommandLine(raw);
  try {
    // CLI11 takes the arguments last to first.
    std::vector<std::string> reversed;
    for (auto arg = args.rbegin(); arg != args.rend(); ++arg) {
      reversed.push_back(!arg->empty() && arg->front() == '[' ? kListMark + *arg : *arg);
    }
    app->parse(std::move(reversed));
  } catch (const CLI::CallForHelp&) {
    options.stop = true;
    options.message = app->help();
    return options;
  } catch (const CLI::CallForVersion& version) {
    options.stop = true;
    options.message = std::string(version.what()) + "\n";
    return options;
  } catch (const CLI::ParseError& error) {
    return ParseProblem(error, *app);
  }
  Unmark(raw);

  if (raw.hands) {
    if (auto problem = TakeHands(*raw.hands, options)) return *problem;
  }
  if (raw.seed) {
    const auto n = ParseNumber<std::uint64_t>(*raw.seed);
    if (!n) return "--seed must be a whole number from 0 to 18446744073709551615, not " + sim::QuotedText(*raw.seed);
    options.seed = *n;
    options.seedGiven = true;
  }
  if (raw.threads) {
    const auto n = ParseNumber<int>(*raw.threads);
    if (!n || *n < 1 || *n > 1024) {
      return "--threads must be a whole number from 1 to 1024, not " + sim::QuotedText(*raw.threads);
    }
    options.threads = *n;
  }
  if (raw.targetSe) {
    double x = 0;
    const char* end = raw.targetSe->data() + raw.targetSe->size();
    const auto [ptr, ec] = std::from_chars(raw.targetSe->data(), end, x);
    if (raw.targetSe->empty() || ec != std::errc() || ptr != end || !std::isfinite(x) || x <= 0) {
      return "--target-se must be a positive number such as 0.0005, not " + sim::QuotedText(*raw.targetSe);
    }
    options.targetSe = x;
    if (!options.handsGiven) options.hands = kMaxHands;
  }
  if (raw.exact) {
    if (raw.hands) return "--exact plays every deal once: it takes no --hands";
    options.exact = true;
  }
  if (raw.timeLimit) {
    if (!raw.exact) return "--time-limit needs --exact";
    double x = 0;
    const char* end = raw.timeLimit->data() + raw.timeLimit->size();
    const auto [ptr, ec] = std::from_chars(raw.timeLimit->data(), end, x);
    if (raw.timeLimit->empty() || ec != std::errc() || ptr != end || !(x >= kMinTimeLimit && x <= kMaxTimeLimit)) {
      return "--time-limit must be a number of seconds from 0.001 to 1000000, such as 10, not " +
             sim::QuotedText(*raw.timeLimit);
    }
    options.timeLimit = x;
  }
  if (raw.json) options.format = OutputFormat::kJson;
  if (raw.csv) options.format = OutputFormat::kCsv;
  options.perHand = raw.perHand;

  if (raw.setup) {
    if (raw.setup->empty()) return "--setup needs a file name";
    if (!raw.seats.empty() || raw.board || raw.dead) {
      return "--setup cannot be combined with SEAT arguments, --board or --dead";
    }
    options.setupFile = *raw.setup;
    return options;
  }
  if (auto problem = TakeTable(raw, options)) return *problem;
  return options;
}

}  // namespace zuv::zuvsim
