#include "setup/file/setup_check.h"

#include <gtest/gtest.h>

#include <limits>

namespace zuv::setupfile {
namespace {

// Seats 1, 2 and 5 active; seat 2 fixed As Ah; seat 5 fixed 2c 2d; flop 7s 8s 9s fixed.
FileFields ValidFields() {
  FileFields f;
  f.cardsindeck.fill(1);
  f.playerCards[1] = {13, 26};
  f.playerCards[4] = {40, 27};
  f.boardcards = {6, 7, 8};
  for (int card : {13, 26, 40, 27, 6, 7, 8}) f.cardsindeck[card - 1] = 0;
  f.NrOfSims = 777;
  f.Dealer = 10;
  f.SimulateFlop = 0;
  f.SimulateTurn = 1;
  f.SetSeed = 1;
  f.Seed = -3;
  f.showhands = 1;
  f.activeplayers = {1, 1, 0, 0, 1, 0, 0, 0, 0, 0};
  f.simulateplayers = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  return f;
}

std::string ProblemOf(const FileFields& f) {
  auto result = CheckSetup(f);
  const auto* problem = std::get_if<std::string>(&result);
  return problem ? *problem : "";
}

TEST(SetupCheck, AValidSetupComesBackAsWholeNumbers) {
  auto result = CheckSetup(ValidFields());
  ASSERT_TRUE(std::holds_alternative<LoadedSetup>(result)) << std::get<std::string>(result);
  const LoadedSetup& s = std::get<LoadedSetup>(result);
  EXPECT_EQ(s.NrOfSims, 777);
  EXPECT_EQ(s.Seed, -3);
  EXPECT_EQ(s.boardcards, (std::vector<int>{6, 7, 8}));
  EXPECT_EQ(s.playerCards[4], (std::vector<int>{40, 27}));
  EXPECT_EQ(s.cardsindeck[5], 0);
  EXPECT_EQ(s.cardsindeck[0], 1);
}

TEST(SetupCheck, CardsOutsideOneToFiftyTwoOrNotWholeAreRefused) {
  for (double bad : {0.0, 53.0, -1.0, 12.5, std::numeric_limits<double>::quiet_NaN(),
                     std::numeric_limits<double>::infinity(), 1e300}) {
    FileFields f = ValidFields();
    f.playerCards[1][0] = bad;
    EXPECT_NE(ProblemOf(f).find("tempPLAYER(2).Cards"), std::string::npos) << bad;
    f = ValidFields();
    f.boardcards[2] = bad;
    EXPECT_NE(ProblemOf(f).find("tempTABLE.boardcards"), std::string::npos) << bad;
  }
}

TEST(SetupCheck, ACardFixedTwiceIsRefusedWithBothPlaces) {
  FileFields f = ValidFields();
  f.playerCards[4] = {13, 27};  // As is seat 2's as well
  f.cardsindeck[39] = 1;
  EXPECT_EQ(ProblemOf(f), "card 13 is fixed twice, in tempPLAYER(2).Cards and in tempPLAYER(5).Cards");
  f = ValidFields();
  f.boardcards = {6, 6, 8};
  f.cardsindeck[6] = 1;
  EXPECT_NE(ProblemOf(f).find("card 6 is fixed twice"), std::string::npos);
  f = ValidFields();
  f.playerCards[1] = {6, 26};  // 7s is on the flop
  f.cardsindeck[12] = 1;
  EXPECT_NE(ProblemOf(f).find("card 6 is fixed twice"), std::string::npos);
}

TEST(SetupCheck, TheDeckMustBeExactlyTheCardsNotFixed) {
  FileFields f = ValidFields();
  f.cardsindeck[12] = 1;  // As is fixed on seat 2
  EXPECT_EQ(ProblemOf(f), "cardsindeck(13) is 1 but card 13 is fixed on the table");
  f = ValidFields();
  f.cardsindeck[0] = 0;  // 2s is nowhere
  EXPECT_EQ(ProblemOf(f), "cardsindeck(1) is 0 but card 1 is not fixed anywhere");
  f = ValidFields();
  f.cardsindeck[3] = 2;
  EXPECT_NE(ProblemOf(f).find("deck flags are 0 or 1"), std::string::npos);
}

TEST(SetupCheck, FlagsMustBeZeroOrOne) {
  auto refused = [](auto change) {
    FileFields f = ValidFields();
    change(f);
    return !ProblemOf(f).empty();
  };
  EXPECT_TRUE(refused([](FileFields& f) { f.SetSeed = 2; }));
  EXPECT_TRUE(refused([](FileFields& f) { f.showhands = 0.5; }));
  EXPECT_TRUE(refused([](FileFields& f) { f.SimulateTurn = -1; }));
  EXPECT_TRUE(refused([](FileFields& f) { f.activeplayers[3] = 7; }));
  EXPECT_TRUE(refused([](FileFields& f) { f.simulateplayers[9] = 1; }));  // inactive seat 10 dealt
  EXPECT_FALSE(refused([](FileFields& f) { f.SetSeed = 0; }));
}

TEST(SetupCheck, TheBoardMustMatchTheFlopAndTurnFlags) {
  FileFields f = ValidFields();
  f.SimulateFlop = 1;
  EXPECT_NE(ProblemOf(f).find("call for 0"), std::string::npos);
  f = ValidFields();
  f.SimulateTurn = 0;
  EXPECT_NE(ProblemOf(f).find("call for 4"), std::string::npos);
  // A turn only with a flop.
  f = ValidFields();
  f.SimulateFlop = 1;
  f.SimulateTurn = 0;
  EXPECT_NE(ProblemOf(f).find("a fixed turn needs a fixed flop"), std::string::npos);
  // Five cards (a river) or two are never a fixed board.
  for (std::vector<double> board : {std::vector<double>{6, 7, 8, 9, 10}, std::vector<double>{6, 7}}) {
    f = ValidFields();
    f.boardcards = board;
    EXPECT_NE(ProblemOf(f).find("a fixed board is empty"), std::string::npos);
  }
  // Flop and turn fixed.
  f = ValidFields();
  f.boardcards = {6, 7, 8, 9};
  f.cardsindeck[8] = 0;
  f.SimulateTurn = 0;
  EXPECT_EQ(ProblemOf(f), "");
}

TEST(SetupCheck, SeatsCardsMustMatchTheirFlags) {
  FileFields f = ValidFields();
  f.activeplayers[4] = 0;  // seat 5 inactive but holding 2c 2d
  f.simulateplayers[4] = 0;
  EXPECT_EQ(ProblemOf(f), "player 5 is inactive but holds cards in tempPLAYER(5).Cards");
  f = ValidFields();
  f.playerCards[4] = {};  // seat 5 fixed but without cards
  f.cardsindeck[39] = f.cardsindeck[26] = 1;
  EXPECT_NE(ProblemOf(f).find("player 5 has fixed cards"), std::string::npos);
  f = ValidFields();
  f.playerCards[4] = {40};
  EXPECT_NE(ProblemOf(f).find("a seat holds no cards or two"), std::string::npos);
}

TEST(SetupCheck, TheCardsARandomSeatKeptFromTheLastDealtHandAreDropped) {
  // After a run the seats dealt at random still hold their last cards, and
  // the user may have fixed one of them elsewhere before saving.
  for (std::vector<double> kept : {std::vector<double>{1, 2}, {1, 13}, {40, 27}, {3, 3}}) {
    FileFields f = ValidFields();
    f.playerCards[0] = kept;  // As is fixed on seat 2, 2c 2d on seat 5
    const auto checked = CheckSetup(f);
    ASSERT_TRUE(std::holds_alternative<LoadedSetup>(checked)) << std::get<std::string>(checked);
    EXPECT_TRUE(std::get<LoadedSetup>(checked).playerCards[0].empty());
    EXPECT_EQ(std::get<LoadedSetup>(checked).playerCards[1], (std::vector<int>{13, 26}));
  }
  FileFields f = ValidFields();
  f.playerCards[0] = {1, 53};
  EXPECT_NE(ProblemOf(f).find("cards are whole numbers from 1 to 52"), std::string::npos);
  f.playerCards[0] = {1};
  EXPECT_NE(ProblemOf(f).find("a seat holds no cards or two"), std::string::npos);
}

TEST(SetupCheck, RangesDeadCardsAndTheExactFlagAreChecked) {
  FileFields f = ValidFields();
  f.ranges[0] = "TT+, AQs";
  f.deadcards = {1, 52};
  f.cardsindeck[0] = f.cardsindeck[51] = 0;
  f.exact = 1;
  auto result = CheckSetup(f);
  ASSERT_TRUE(std::holds_alternative<LoadedSetup>(result)) << std::get<std::string>(result);
  EXPECT_EQ(std::get<LoadedSetup>(result).ranges[0], "TT+, AQs");
  EXPECT_EQ(std::get<LoadedSetup>(result).deadcards, (std::vector<int>{1, 52}));
  EXPECT_EQ(std::get<LoadedSetup>(result).exact, 1);

  FileFields badRange = f;
  badRange.ranges[0] = "AKx";
  EXPECT_EQ(ProblemOf(badRange).rfind("playerranges{1} is not a range: ", 0), 0u) << ProblemOf(badRange);
  FileFields rangeOnFixedSeat = f;
  rangeOnFixedSeat.ranges[1] = "AA";
  EXPECT_NE(ProblemOf(rangeOnFixedSeat).find("playerranges{2}"), std::string::npos);
  FileFields deadOnTheFlop = f;
  deadOnTheFlop.deadcards = {1, 6};
  EXPECT_EQ(ProblemOf(deadOnTheFlop), "card 6 is fixed twice, in tempTABLE.boardcards(1) and in deadcards");
  FileFields deadInTheDeck = f;
  deadInTheDeck.cardsindeck[51] = 1;
  EXPECT_EQ(ProblemOf(deadInTheDeck), "cardsindeck(52) is 1 but card 52 is fixed on the table");
  FileFields tooMany = f;
  tooMany.deadcards = {1, 2, 3, 4, 5, 9, 10, 11, 12, 14, 15};
  EXPECT_NE(ProblemOf(tooMany).find("at most 10"), std::string::npos);
  FileFields badExact = f;
  badExact.exact = 2;
  EXPECT_EQ(ProblemOf(badExact), "exactodds is 2; it must be 0 or 1");
}

TEST(SetupCheck, SettingsMustBeInRange) {
  auto problem = [](auto change) {
    FileFields f = ValidFields();
    change(f);
    return ProblemOf(f);
  };
  EXPECT_NE(problem([](FileFields& f) { f.NrOfSims = 0; }).find("NrOfSims"), std::string::npos);
  EXPECT_NE(problem([](FileFields& f) { f.NrOfSims = 1e9 + 1; }).find("NrOfSims"), std::string::npos);
  EXPECT_NE(problem([](FileFields& f) { f.NrOfSims = 10.5; }).find("NrOfSims"), std::string::npos);
  EXPECT_EQ(problem([](FileFields& f) { f.NrOfSims = 1e9; }), "");
  EXPECT_NE(problem([](FileFields& f) { f.Dealer = 0; }).find("Dealer"), std::string::npos);
  EXPECT_NE(problem([](FileFields& f) { f.Dealer = 11; }).find("Dealer"), std::string::npos);
  EXPECT_NE(problem([](FileFields& f) { f.Seed = 0.25; }).find("Seed"), std::string::npos);
  EXPECT_NE(problem([](FileFields& f) { f.Seed = std::numeric_limits<double>::infinity(); }).find("Seed"),
            std::string::npos);
  EXPECT_EQ(problem([](FileFields& f) { f.Seed = -123456789; }), "");
}

}  // namespace
}  // namespace zuv::setupfile
