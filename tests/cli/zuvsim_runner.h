#pragma once
// Runs the built zuvsim binary (path compiled in as ZUVSIM_PATH) and captures
// its exit status, standard output and standard error.

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

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

// `args` is pasted into a shell command line; tests pass only plain words.
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

// The number after "key": in the first place it occurs at or after `from`.
inline double JsonNumber(const std::string& json, const std::string& key, std::size_t from = 0) {
  const auto at = json.find("\"" + key + "\": ", from);
  if (at == std::string::npos) return -1e300;
  return std::strtod(json.c_str() + at + key.size() + 4, nullptr);
}

}  // namespace zuv::zuvsim::testing
