#include <gtest/gtest.h>

#include "run/run_counter.h"

namespace zuv {
namespace {

TEST(CounterText, CountsOfTheTotalWithTheShareAndTheTimeLeftAtTheRunsPace) {
  struct Case {
    std::int64_t done, total;
    const char* unit;
    double seconds;
    const char* text;
  };
  for (const Case& c : {
           Case{12'345'678, 25'684'560, "deals", 7.5, "12,345,678 of 25,684,560 deals · 48 % · 0:09 left"},
           Case{999, 1000, "hands", 0.001, "999 of 1,000 hands · 99 % · 0:01 left"},  // a part of a second is a second
           Case{1'000, 1'000, "hands", 3, "1,000 of 1,000 hands · 100 %"},             // done: nothing left to tell
           Case{0, 2'097'572'400, "deals", 4, "0 of 2,097,572,400 deals · 0 %"},       // no pace yet
           Case{1, 61, "hands", 1, "1 of 61 hands · 1 % · 1:00 left"},
           Case{1, 3'601, "deals", 1, "1 of 3,601 deals · 0 % · 1:00:00 left"},
           Case{1'712'304, 0, "deals", 2, "1,712,304 deals"},  // the total not counted yet
       }) {
    EXPECT_EQ(CounterText(c.done, c.total, c.unit, c.seconds).toStdString(), c.text) << c.text;
  }
}

}  // namespace
}  // namespace zuv
