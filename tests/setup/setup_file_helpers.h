#pragma once
// Shared pieces of the setup-file tests: a valid setup as the program saves
// it, temporary folders, and rewriting a saved file variable by variable.

#include <matio.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "setup/file/setup_content.h"

namespace zuv::setupfile::testing {

// The setup the program has right after start-up (seats 1 and 2 dealt at
// random, nothing fixed), with whole records.
SetupContent StartupContent();

// Seats 1, 2 and 5 active; seat 2 holds As Ah, seat 5 holds 2c 2d; the flop
// 7s 8s 9s is fixed, the turn is dealt; 777 hands, seed -3, show every hand on.
SetupContent FixedFlopContent();

// A fresh folder under the test temp folder, removed when the test ends.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  std::string path(const std::string& name) const { return (root_ / name).string(); }
  const std::filesystem::path& root() const { return root_; }

 private:
  std::filesystem::path root_;
};

// Copies the MAT-file `from` to `to` variable by variable; `change` sees each
// variable and may alter it, or return false to leave it out.
void RewriteFile(const std::string& from, const std::string& to, const std::function<bool(matvar_t*)>& change);

// Replaces field `field` of element `index` of the structure `record` with `value`.
void ReplaceField(matvar_t* record, const char* field, matvar_t* value, std::size_t index = 0);
matvar_t* DoubleVar(std::vector<double> values, std::vector<std::size_t> dims);
matvar_t* TextVar(const std::string& text);

// The setup loaded from `path`; fails the test and gives an empty one when it is refused.
LoadedSetup Load(const std::string& path);

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

}  // namespace zuv::setupfile::testing
