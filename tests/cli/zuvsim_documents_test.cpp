// zuvsim's texts for people and other programs: --help, --version, the
// manual page and CSV.
#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <sstream>

#include "zuvsim_runner.h"

namespace zuv::zuvsim {
namespace {

using testing::Json;
using testing::RunZuvsim;
using testing::Slurp;

// Every "--word" in a text; in roff the dashes are written "\-\-".
std::set<std::string> LongOptions(std::string text) {
  text = std::regex_replace(text, std::regex(R"(\\-)"), "-");
  std::set<std::string> names;
  const std::regex option(R"(--[a-z][a-z-]*)");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), option); it != std::sregex_iterator(); ++it) {
    names.insert(it->str());
  }
  return names;
}

TEST(ZuvsimDocuments, HelpGoesToStandardOutput) {
  const auto r = RunZuvsim("--help");
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(r.err.empty());
  EXPECT_EQ(r.out.rfind("usage: zuvsim", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("10^12"), std::string::npos);  // the hand limit is stated
  EXPECT_EQ(RunZuvsim("-h").out, r.out);
}

TEST(ZuvsimDocuments, HelpAndManualPageNameTheSameOptions) {
  const auto help = LongOptions(RunZuvsim("--help").out);
  const std::string page = Slurp(ZUVSIM_MANUAL);
  EXPECT_GE(help.size(), 9u);
  EXPECT_EQ(help, LongOptions(page));
  // And each has an entry of its own in the manual's list (a ".TP" paragraph).
  std::set<std::string> entries;
  std::istringstream lines(page);
  for (std::string line; std::getline(lines, line);) {
    if (line == ".TP" && std::getline(lines, line)) entries.merge(LongOptions(line));
  }
  EXPECT_EQ(help, entries);
}

TEST(ZuvsimDocuments, VersionIsTheProjectVersion) {
  const auto r = RunZuvsim("--version");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out, "zuvsim " ZUVSIM_VERSION "\n");
  EXPECT_TRUE(r.err.empty());
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(ZuvsimDocuments, CsvHasAHeaderAndARowPerSeatWithTheJsonNumbers) {
  const std::string table = "--hands 20000 --seed 5 --board 2c2d2h2s AhKd random random";
  const auto csv = RunZuvsim("--csv " + table);
  ASSERT_EQ(csv.status, 0) << csv.err;
  const auto lines = SplitLines(csv.out);
  ASSERT_EQ(lines.size(), 4u) << csv.out;
  EXPECT_EQ(lines[0],
            "seat,cards,win_rate,win_rate_se,alone_rate,shared_rate,high_card,pair,two_pairs,trips,straight,"
            "flush,full_house,four_of_a_kind,straight_flush");
  const auto run = Json(RunZuvsim("--json " + table));
  for (int s = 0; s < 3; ++s) {
    std::vector<std::string> fields;
    std::istringstream row(lines[s + 1]);
    for (std::string field; std::getline(row, field, ',');) fields.push_back(field);
    ASSERT_EQ(fields.size(), 15u) << lines[s + 1];
    const auto& seat = run["seats"][s];
    EXPECT_EQ(fields[0], std::to_string(s + 1));
    EXPECT_EQ(fields[1], seat["cards"]);
    EXPECT_EQ(std::stod(fields[2]), seat["win_rate"].get<double>());
    EXPECT_EQ(std::stod(fields[3]), seat["win_rate_se"].get<double>());
    EXPECT_DOUBLE_EQ(std::stod(fields[4]), seat["wins_alone"].get<double>() / 20000);
    EXPECT_DOUBLE_EQ(std::stod(fields[5]), seat["hands_shared"].get<double>() / 20000);
    double classes = 0;
    for (int h = 0; h < 9; ++h) {
      EXPECT_DOUBLE_EQ(std::stod(fields[6 + h]), seat["win_stat"][h].get<double>() / 20000);
      classes += std::stod(fields[6 + h]);
    }
    EXPECT_NEAR(classes, std::stod(fields[2]), 1e-9);
  }
  // A range holds commas: its field is quoted.
  const auto range = SplitLines(RunZuvsim("--csv --hands 1000 'QQ+,AKs' random").out);
  ASSERT_EQ(range.size(), 3u);
  EXPECT_EQ(range[1].rfind("1,\"QQ+,AKs\",0.", 0), 0u) << range[1];
}

}  // namespace
}  // namespace zuv::zuvsim
