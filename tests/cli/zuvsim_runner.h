#pragma once
// Runs the built zuvsim binary (path compiled in as ZUVSIM_PATH) and captures
// its exit status, standard output and standard error.

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace zuv::zuvsim::testing {

struct RunResult {
  int status = -1;
  std::string out;
  std::string err;
};

inline std::string Slurp(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// `args` is pasted into a shell command line; tests quote what the shell must not split.
inline RunResult RunZuvsim(const std::string& args) {
  static int counter = 0;
  const std::string base = ::testing::TempDir() + "zuvsim_" + std::to_string(getpid()) + "_" +
                           std::to_string(counter++);
  const std::string command = std::string("'") + ZUVSIM_PATH + "' " + args + " >" + base + ".out 2>" + base + ".err";
  const int raw = std::system(command.c_str());
  RunResult result;
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.out = Slurp(base + ".out");
  result.err = Slurp(base + ".err");
  std::remove((base + ".out").c_str());
  std::remove((base + ".err").c_str());
  return result;
}

// Standard output read as JSON, as a script would; a parse error fails the test.
inline nlohmann::json Json(const RunResult& run) {
  EXPECT_EQ(run.status, 0) << run.err;
  return nlohmann::json::parse(run.out);
}

}  // namespace zuv::zuvsim::testing
