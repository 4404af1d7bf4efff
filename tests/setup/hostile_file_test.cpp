// Damaged and hostile setup files are refused with their first problem.
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <sstream>

#include "setup/file/setup_reader.h"
#include "setup/file/setup_writer.h"
#include "setup/setup_file_helpers.h"

namespace zuv::setupfile {
namespace {

using namespace testing;

// What a load says about each of `paths` to an ordinary user, one text each.
// Root enters every folder and reads every file, so as root the loads run in
// a child process that gives up root first; the texts come back through a pipe.
std::vector<std::string> ProblemsForAnOrdinaryUser(const std::vector<std::string>& paths) {
  auto problems = [&paths] {
    std::string lines;
    for (const auto& path : paths) {
      auto result = ReadSetupFile(path);
      const auto* problem = std::get_if<std::string>(&result);
      lines += (problem ? *problem : "accepted") + "\n";
    }
    return lines;
  };
  std::string lines;
  if (::geteuid() != 0) {
    lines = problems();
  } else {
    int pipe[2];
    if (::pipe(pipe) != 0) return {"no pipe"};
    const pid_t child = ::fork();
    if (child == 0) {
      ::close(pipe[0]);
      const gid_t nogroup = 65534;
      if (::setgroups(0, nullptr) != 0 || ::setgid(nogroup) != 0 || ::setuid(65534) != 0) ::_exit(3);
      const std::string text = problems();
      ::_exit(::write(pipe[1], text.data(), text.size()) == static_cast<ssize_t>(text.size()) ? 0 : 4);
    }
    ::close(pipe[1]);
    char chunk[512];
    for (ssize_t n; (n = ::read(pipe[0], chunk, sizeof chunk)) > 0;) lines.append(chunk, static_cast<std::size_t>(n));
    ::close(pipe[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the child that gave up root failed";
  }
  std::vector<std::string> texts;
  std::istringstream in(lines);
  for (std::string line; std::getline(in, line);) texts.push_back(line);
  return texts;
}

class HostileFile : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(WriteSetupFile(valid, FixedFlopContent()), std::nullopt); }

  // The problem found in `path`; fails the test when the file is accepted.
  std::string Problem(const std::string& path) {
    auto result = ReadSetupFile(path);
    const auto* problem = std::get_if<std::string>(&result);
    EXPECT_NE(problem, nullptr) << path << " was accepted";
    return problem ? *problem : "";
  }

  // The problem of the valid file with `change` applied to its variables.
  std::string ProblemAfter(const std::function<bool(matvar_t*)>& change) {
    const std::string changed = folder.path("changed.zuv");
    RewriteFile(valid, changed, change);
    return Problem(changed);
  }

  TempFolder folder;
  std::string valid = folder.path("valid.zuv");
};

TEST_F(HostileFile, TheValidFileIsAcceptedAfterACopy) {
  RewriteFile(valid, folder.path("copy.zuv"), [](matvar_t*) { return true; });
  EXPECT_TRUE(std::holds_alternative<LoadedSetup>(ReadSetupFile(folder.path("copy.zuv"))));
}

TEST_F(HostileFile, FilesThatAreNoMatFilesAreRefused) {
  EXPECT_EQ(Problem(folder.path("absent.zuv")), "it does not exist");
  WriteBytes(folder.path("empty.zuv"), "");
  EXPECT_EQ(Problem(folder.path("empty.zuv")), "it is not a MAT-file (too short)");
  WriteBytes(folder.path("text.zuv"), std::string(300, 'a'));
  EXPECT_EQ(Problem(folder.path("text.zuv")), "it is not a MAT-file");
  EXPECT_EQ(Problem(folder.root().string()), "it is not a file");
  EXPECT_EQ(Problem(folder.path(std::string(300, 'n') + ".zuv")), "it cannot be reached: File name too long");
  EXPECT_EQ(Problem(folder.path("valid.zuv/inside.zuv")), "it does not exist");

  // A folder that cannot be entered and a file that cannot be read are not missing files.
  std::filesystem::create_directory(folder.path("locked"));
  std::filesystem::copy_file(valid, folder.path("locked/setup.zuv"));
  ASSERT_EQ(::chmod(folder.root().c_str(), 0755), 0);
  ASSERT_EQ(::chmod(valid.c_str(), 0644), 0);
  ASSERT_EQ(::chmod(folder.path("locked").c_str(), 0700), 0);
  std::filesystem::copy_file(valid, folder.path("secret.zuv"));
  ASSERT_EQ(::chmod(folder.path("secret.zuv").c_str(), 0), 0);
  EXPECT_EQ(ProblemsForAnOrdinaryUser({folder.path("locked/setup.zuv"), folder.path("secret.zuv"), valid}),
            (std::vector<std::string>{"it cannot be reached: Permission denied",
                                      "it cannot be opened for reading: Permission denied", "accepted"}));

  std::string header = ReadBytes(valid).substr(0, 128);
  header[124] = 0;  // version 0x0200 is the HDF5-based 7.3
  header[125] = 2;
  WriteBytes(folder.path("v73.zuv"), header + std::string(512, '\0'));
  EXPECT_NE(Problem(folder.path("v73.zuv")).find("version 7.3"), std::string::npos);

  WriteBytes(folder.path("huge.zuv"), ReadBytes(valid) + std::string(17 << 20, '\0'));
  EXPECT_EQ(Problem(folder.path("huge.zuv")), "it is too large to be a setup file");
}

TEST_F(HostileFile, TruncatedFilesAreRefusedAtEveryLength) {
  const std::string bytes = ReadBytes(valid);
  const std::string cut = folder.path("cut.zuv");
  // Every length up to the whole file but the last byte; the file is small.
  for (std::size_t length = 0; length < bytes.size(); length += length < 200 ? 1 : 7) {
    WriteBytes(cut, bytes.substr(0, length));
    auto result = ReadSetupFile(cut);
    EXPECT_TRUE(std::holds_alternative<std::string>(result)) << "accepted when cut to " << length << " bytes";
  }
}

// Why a read setup could not be taken into the program as it stands, or "".
std::string Inconsistency(const LoadedSetup& s) {
  std::array<int, 52> uses{};
  for (int card : s.boardcards) ++uses[card - 1];
  const std::size_t board = s.SimulateFlop == 1 ? 0 : (s.SimulateTurn == 1 ? 3 : 4);
  if (s.boardcards.size() != board) return "board does not match its flags";
  for (int p = 0; p < 10; ++p) {
    const auto& cards = s.playerCards[p];
    if (s.activeplayers[p] == 0 && (!cards.empty() || s.simulateplayers[p] != 0)) return "inactive seat in play";
    if (s.activeplayers[p] == 1 && cards.size() != (s.simulateplayers[p] == 1 ? 0u : 2u)) return "seat cards";
    for (int card : cards) ++uses[card - 1];
  }
  for (int n = 0; n < 52; ++n) {
    if (uses[n] > 1) return "card " + std::to_string(n + 1) + " used twice";
    if (s.cardsindeck[n] != (uses[n] == 0 ? 1 : 0)) return "deck flag of card " + std::to_string(n + 1);
  }
  return "";
}

TEST_F(HostileFile, FlippedBytesNeverCrashAndNeverPassAnInconsistentSetup) {
  // The program's own file is compressed, so nearly every flip breaks it;
  // the other writer's file is not, so flips in its values reach the checks.
  const std::string foreign = std::string(ZUV_SOURCE_DIR) + "/tests/setup/data/foreign_setup.zuv";
  for (const std::string& original : {valid, foreign}) {
    SCOPED_TRACE(original);
    const std::string bytes = ReadBytes(original);
    const std::string flipped = folder.path("flipped.zuv");
    int accepted = 0, refused = 0;
    for (std::size_t at = 128; at < bytes.size(); at += original == valid ? 3 : 1) {
      std::string changed = bytes;
      changed[at] = static_cast<char>(changed[at] ^ 0x5a);
      WriteBytes(flipped, changed);
      auto result = ReadSetupFile(flipped);
      if (auto* s = std::get_if<LoadedSetup>(&result)) {
        ++accepted;
        // Whatever got through is a setup the program can take as it stands.
        EXPECT_EQ(Inconsistency(*s), "") << at;
      } else {
        ++refused;
      }
    }
    EXPECT_GT(refused, 0);
    if (original == foreign) {
      EXPECT_GT(accepted, 0) << "flips in unread values pass";
    }
  }
}

TEST_F(HostileFile, MissingVariablesAreNamed) {
  for (const char* name : {"tempTABLE", "tempSETUP", "tempPLAYER", "cardsindeck", "tempSIM"}) {
    EXPECT_EQ(ProblemAfter([name](matvar_t* v) { return std::strcmp(v->name, name) != 0; }),
              std::string("the variable ") + name + " is missing");
  }
}

TEST_F(HostileFile, WrongTypesAndSizesAreNamed) {
  auto replacing = [](const char* record, const char* field, std::function<matvar_t*()> make) {
    return [=](matvar_t* v) {
      if (std::strcmp(v->name, record) == 0) ReplaceField(v, field, make());
      return true;
    };
  };
  EXPECT_EQ(ProblemAfter(replacing("tempSETUP", "Dealer", [] { return TextVar("10"); })),
            "tempSETUP.Dealer is a text, not a number");
  EXPECT_EQ(ProblemAfter(replacing("tempSETUP", "NrOfSims", [] { return DoubleVar({1, 2}, {1, 2}); })),
            "tempSETUP.NrOfSims holds 2 numbers instead of one");
  EXPECT_EQ(ProblemAfter(replacing("tempSIM", "showhands", [] { return DoubleVar({}, {0, 0}); })),
            "tempSIM.showhands holds 0 numbers instead of one");
  EXPECT_EQ(ProblemAfter(replacing("tempTABLE", "activeplayers", [] { return DoubleVar({1, 1, 1}, {1, 3}); })),
            "tempTABLE.activeplayers holds 3 numbers instead of 10");
  EXPECT_EQ(ProblemAfter(replacing("tempTABLE", "boardcards", [] { return DoubleVar({6, 7, 8, 9}, {2, 2}); })),
            "tempTABLE.boardcards is a table of numbers, not a list");
  EXPECT_EQ(ProblemAfter([](matvar_t* v) {
              if (std::strcmp(v->name, "tempPLAYER") == 0) ReplaceField(v, "Cards", TextVar("AsKh"), 1);
              return true;
            }),
            "tempPLAYER(2).Cards is a text, not a number");
  EXPECT_EQ(ProblemAfter([](matvar_t* v) {
              if (std::strcmp(v->name, "cardsindeck") == 0) v->dims[1] = 51;
              return true;
            }),
            "cardsindeck holds 51 numbers instead of 52");
}

TEST_F(HostileFile, RecordsThatAreNotStructuresOrLackAFieldAreNamed) {
  const std::string changed = folder.path("changed.zuv");
  // tempSETUP as a plain number.
  {
    mat_t* in = Mat_Open(valid.c_str(), MAT_ACC_RDONLY);
    mat_t* out = Mat_CreateVer(changed.c_str(), nullptr, MAT_FT_MAT5);
    while (matvar_t* v = Mat_VarReadNext(in)) {
      if (std::strcmp(v->name, "tempSETUP") == 0) {
        size_t dims[2] = {1, 1};
        double one = 1;
        matvar_t* number = Mat_VarCreate("tempSETUP", MAT_C_DOUBLE, MAT_T_DOUBLE, 2, dims, &one, 0);
        Mat_VarWrite(out, number, MAT_COMPRESSION_NONE);
        Mat_VarFree(number);
      } else {
        Mat_VarWrite(out, v, MAT_COMPRESSION_NONE);
      }
      Mat_VarFree(v);
    }
    Mat_Close(out);
    Mat_Close(in);
  }
  EXPECT_EQ(Problem(changed), "tempSETUP is a number, not a structure");

  // A record without a field that is read: a struct built with other fields.
  {
    mat_t* in = Mat_Open(valid.c_str(), MAT_ACC_RDONLY);
    mat_t* out = Mat_CreateVer(changed.c_str(), nullptr, MAT_FT_MAT5);
    while (matvar_t* v = Mat_VarReadNext(in)) {
      if (std::strcmp(v->name, "tempSIM") == 0) {
        const char* fields[] = {"stopsim"};
        size_t dims[2] = {1, 1};
        matvar_t* sim = Mat_VarCreateStruct("tempSIM", 2, dims, fields, 1);
        Mat_VarSetStructFieldByName(sim, "stopsim", 0, DoubleVar({0}, {1, 1}));
        Mat_VarWrite(out, sim, MAT_COMPRESSION_NONE);
        Mat_VarFree(sim);
      } else {
        Mat_VarWrite(out, v, MAT_COMPRESSION_NONE);
      }
      Mat_VarFree(v);
    }
    Mat_Close(out);
    Mat_Close(in);
  }
  EXPECT_EQ(Problem(changed), "tempSIM has no field showhands");
}

TEST_F(HostileFile, ValuesThatBreakTheRulesAreRefusedAfterReading) {
  auto cards = [](std::vector<double> values) {
    return [values](matvar_t* v) {
      if (std::strcmp(v->name, "tempPLAYER") == 0) ReplaceField(v, "Cards", DoubleVar(values, {2, 1}), 1);
      return true;
    };
  };
  EXPECT_NE(ProblemAfter(cards({0, 26})).find("tempPLAYER(2).Cards holds 0"), std::string::npos);
  EXPECT_NE(ProblemAfter(cards({13, 53})).find("tempPLAYER(2).Cards holds 53"), std::string::npos);
  EXPECT_NE(ProblemAfter(cards({40, 26})).find("card 40 is fixed twice"), std::string::npos);
  EXPECT_NE(ProblemAfter([](matvar_t* v) {
              if (std::strcmp(v->name, "cardsindeck") == 0) static_cast<double*>(v->data)[0] = 0;
              return true;
            }).find("cardsindeck(1) is 0"),
            std::string::npos);
}

}  // namespace
}  // namespace zuv::setupfile
