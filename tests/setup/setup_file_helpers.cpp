#include "setup/setup_file_helpers.h"

#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <sstream>

#include "setup/file/setup_reader.h"

namespace zuv::setupfile::testing {

SetupContent StartupContent() {
  SetupContent c;
  c.table.activeplayers = {1, 1, 0, 0, 0, 0, 0, 0, 0, 0};
  c.table.simulateplayers = {1, 1, 0, 0, 0, 0, 0, 0, 0, 0};
  c.table.tablecolor = {14 / 255.0, 70 / 255.0, 0};
  c.table.activeplayercolor = c.table.tablecolor;
  c.table.backgroundcolor = c.table.tablecolor;
  c.table.lightyellow = {1, 1, 0.8};
  c.table.deactiveplayercolor = {0.6, 0.6, 0.6};
  c.table.skew = 0.8;
  c.table.axes = 1;
  c.table.boardcardsimage = {2, 3, 4, 5, 6};
  c.setup = {50000, 10, 1, 1, 1, 0, {40 / 240.0 * 1.3, 56 / 240.0 * 1.3}, 10,
             {"High card", "Pair", "Two pairs", "Trips", "Straight", "Flush", "Full house", "Four of a kind",
              "Straight flush"}};
  c.cardsindeck.fill(1);
  c.sim.WinStat = {{10, 9}, std::vector<double>(90, 0.0)};
  return c;
}

SetupContent FixedFlopContent() {
  SetupContent c = StartupContent();
  c.table.activeplayers = {1, 1, 0, 0, 1, 0, 0, 0, 0, 0};
  c.table.simulateplayers = {1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  c.players[1].Cards = {13, 26};
  c.players[4].Cards = {40, 27};
  c.table.boardcards = {6, 7, 8};
  for (int card : {13, 26, 40, 27, 6, 7, 8}) c.cardsindeck[card - 1] = 0;
  c.setup.NrOfSims = 777;
  c.setup.Seed = -3;
  c.setup.SimulateFlop = 0;
  c.sim.showhands = 1;
  return c;
}

LoadedSetup Load(const std::string& path) {
  auto result = ReadSetupFile(path);
  if (auto* problem = std::get_if<std::string>(&result)) {
    ADD_FAILURE() << path << ": " << *problem;
    return {};
  }
  return std::get<LoadedSetup>(result);
}

TempFolder::TempFolder() {
  static int counter = 0;
  root_ = std::filesystem::path(::testing::TempDir()) /
          ("zuv_setup_" + std::to_string(::getpid()) + "_" + std::to_string(counter++));
  std::filesystem::remove_all(root_);
  std::filesystem::create_directories(root_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(root_, ignored);
}

void RewriteFile(const std::string& from, const std::string& to, const std::function<bool(matvar_t*)>& change) {
  mat_t* in = Mat_Open(from.c_str(), MAT_ACC_RDONLY);
  ASSERT_NE(in, nullptr) << from;
  mat_t* out = Mat_CreateVer(to.c_str(), nullptr, MAT_FT_MAT5);
  ASSERT_NE(out, nullptr) << to;
  while (matvar_t* v = Mat_VarReadNext(in)) {
    if (change(v)) {
      EXPECT_EQ(Mat_VarWrite(out, v, MAT_COMPRESSION_NONE), 0);
    }
    Mat_VarFree(v);
  }
  Mat_Close(out);
  Mat_Close(in);
}

void ReplaceField(matvar_t* record, const char* field, matvar_t* value, std::size_t index) {
  Mat_VarFree(Mat_VarSetStructFieldByName(record, field, index, value));
}

matvar_t* DoubleVar(std::vector<double> values, std::vector<std::size_t> dims) {
  return Mat_VarCreate(nullptr, MAT_C_DOUBLE, MAT_T_DOUBLE, static_cast<int>(dims.size()), dims.data(),
                       values.empty() ? nullptr : values.data(), 0);
}

matvar_t* TextVar(const std::string& text) {
  std::vector<std::uint16_t> chars(text.begin(), text.end());
  size_t dims[2] = {1, text.size()};
  return Mat_VarCreate(nullptr, MAT_C_CHAR, MAT_T_UINT16, 2, dims, chars.data(), 0);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

}  // namespace zuv::setupfile::testing
