#include "setup/file/setup_writer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

#include "setup/file/mat_check.h"
#include "setup/file/mat_var.h"
#include "setup/file/replace_file.h"

namespace zuv::setupfile {

namespace {

MatVar Numeric(const NumericArray& a) {
  std::vector<size_t> dims(a.dims.begin(), a.dims.end());
  while (dims.size() < 2) dims.push_back(1);
  void* data = a.values.empty() ? nullptr : const_cast<double*>(a.values.data());
  return MatVar(Mat_VarCreate(nullptr, MAT_C_DOUBLE, MAT_T_DOUBLE, static_cast<int>(dims.size()), dims.data(), data, 0));
}

MatVar Scalar(double v) { return Numeric(NumericArray::Scalar(v)); }
template <std::size_t N>
MatVar Row(const std::array<double, N>& v) {
  return Numeric(NumericArray::Row({v.begin(), v.end()}));
}
MatVar RowOrEmpty(const std::vector<double>& v) { return Numeric(NumericArray::RowOrEmpty(v)); }
MatVar ColumnOrEmpty(const std::vector<double>& v) { return Numeric(NumericArray::ColumnOrEmpty(v)); }

// Texts are written as 16-bit characters, as other writers do; libmatio
// miscounts the size of 8-bit character data inside compressed variables.
MatVar Text(const std::string& text) {
  std::vector<std::uint16_t> chars(text.begin(), text.end());
  for (auto& c : chars) c &= 0xff;
  size_t dims[2] = {text.empty() ? 0u : 1u, text.size()};
  return MatVar(Mat_VarCreate(nullptr, MAT_C_CHAR, MAT_T_UINT16, 2, dims, chars.empty() ? nullptr : chars.data(), 0));
}

template <std::size_t N>
MatVar TextList(const std::array<std::string, N>& texts) {
  size_t dims[2] = {1, N};
  MatVar cell(Mat_VarCreate(nullptr, MAT_C_CELL, MAT_T_CELL, 2, dims, nullptr, 0));
  if (!cell) return cell;
  for (std::size_t i = 0; i < N; ++i) {
    MatVar text = Text(texts[i]);
    if (!text) return nullptr;
    Mat_VarSetCell(cell.get(), static_cast<int>(i), text.release());
  }
  return cell;
}

// A top-level variable named `name`; libmatio frees the name with the variable.
MatVar Named(MatVar v, const char* name) {
  if (v) v->name = strdup(name);
  return v;
}

// A structure array whose fields are filled element by element.
class Record {
 public:
  Record(const char* name, std::vector<const char*> fields, std::size_t count = 1) : fields_(std::move(fields)) {
    size_t dims[2] = {1, count};
    var_.reset(Mat_VarCreateStruct(name, 2, dims, fields_.data(), static_cast<unsigned>(fields_.size())));
    ok_ = var_ != nullptr;
  }
  void set(const char* field, MatVar value, std::size_t index = 0) {
    if (!ok_ || !value) {
      ok_ = false;
      return;
    }
    // The record owns the value from here on; what it returns is the empty field it had.
    Mat_VarFree(Mat_VarSetStructFieldByName(var_.get(), field, index, value.release()));
  }
  // The finished record, or null when anything failed.
  MatVar take() { return ok_ ? std::move(var_) : nullptr; }

 private:
  std::vector<const char*> fields_;
  MatVar var_;
  bool ok_ = false;
};

MatVar TableVar(const SavedTable& t) {
  Record r("tempTABLE", {"activeplayers", "simulateplayers", "boardcards", "tempplayercards", "tablecolor",
                         "activeplayercolor", "lightyellow", "backgroundcolor", "deactiveplayercolor", "playerangle",
                         "skew", "axes", "tableradie", "headradie", "patchhandle", "cmenu", "cmitem1", "cmitem2",
                         "cmitem3", "cmitem4", "boardcardsimage", "dealerbutton", "winner"});
  r.set("activeplayers", Row(t.activeplayers));
  r.set("simulateplayers", Row(t.simulateplayers));
  r.set("boardcards", ColumnOrEmpty(t.boardcards));
  r.set("tempplayercards", ColumnOrEmpty(t.tempplayercards));
  r.set("tablecolor", Row(t.tablecolor));
  r.set("activeplayercolor", Row(t.activeplayercolor));
  r.set("lightyellow", Row(t.lightyellow));
  r.set("backgroundcolor", Row(t.backgroundcolor));
  r.set("deactiveplayercolor", Row(t.deactiveplayercolor));
  r.set("playerangle", Row(t.playerangle));
  r.set("skew", Scalar(t.skew));
  r.set("axes", Scalar(t.axes));
  r.set("tableradie", Row(t.tableradie));
  r.set("headradie", Row(t.headradie));
  r.set("patchhandle", Scalar(t.patchhandle));
  r.set("cmenu", Scalar(t.cmenu));
  r.set("cmitem1", Scalar(t.cmitem1));
  r.set("cmitem2", Scalar(t.cmitem2));
  r.set("cmitem3", Scalar(t.cmitem3));
  r.set("cmitem4", Scalar(t.cmitem4));
  r.set("boardcardsimage", Row(t.boardcardsimage));
  r.set("dealerbutton", Scalar(t.dealerbutton));
  r.set("winner", RowOrEmpty(t.winner));
  return r.take();
}

MatVar SetupVar(const SavedSetup& s) {
  Record r("tempSETUP", {"NrOfSims", "Dealer", "SimulateFlop", "SimulateTurn", "SetSeed", "Seed", "CardSize",
                         "NrOfPlayers", "handnames"});
  r.set("NrOfSims", Scalar(s.NrOfSims));
  r.set("Dealer", Scalar(s.Dealer));
  r.set("SimulateFlop", Scalar(s.SimulateFlop));
  r.set("SimulateTurn", Scalar(s.SimulateTurn));
  r.set("SetSeed", Scalar(s.SetSeed));
  r.set("Seed", Scalar(s.Seed));
  r.set("CardSize", Row(s.CardSize));
  r.set("NrOfPlayers", Scalar(s.NrOfPlayers));
  r.set("handnames", TextList(s.handnames));
  return r.take();
}

MatVar PlayerVar(const std::array<SavedPlayer, kSeats>& players) {
  Record r("tempPLAYER",
           {"Cards", "hand", "highcard", "patchhandle", "playernrtexthandle", "cardimage", "handtext",
            "handtextrectangle", "cmenu", "cmitem1", "cmitem2", "cmitem3"},
           kSeats);
  for (std::size_t i = 0; i < kSeats; ++i) {
    const SavedPlayer& p = players[i];
    r.set("Cards", ColumnOrEmpty(p.Cards), i);
    r.set("hand", RowOrEmpty(p.hand), i);
    r.set("highcard", RowOrEmpty(p.highcard), i);
    r.set("patchhandle", Scalar(p.patchhandle), i);
    r.set("playernrtexthandle", Scalar(p.playernrtexthandle), i);
    r.set("cardimage", Row(p.cardimage), i);
    r.set("handtext", Scalar(p.handtext), i);
    r.set("handtextrectangle", Scalar(p.handtextrectangle), i);
    r.set("cmenu", Scalar(p.cmenu), i);
    r.set("cmitem1", Scalar(p.cmitem1), i);
    r.set("cmitem2", Scalar(p.cmitem2), i);
    r.set("cmitem3", Scalar(p.cmitem3), i);
  }
  return r.take();
}

MatVar DeckVar(const std::array<double, kCards>& cardsindeck) {
  size_t dims[2] = {1, kCards};
  return MatVar(Mat_VarCreate("cardsindeck", MAT_C_DOUBLE, MAT_T_DOUBLE, 2, dims,
                              const_cast<double*>(cardsindeck.data()), 0));
}

MatVar SimVar(const SavedSim& s) {
  Record r("tempSIM", {"showhands", "stopsim", "WinStat", "WinStat2", "Statistic", "WinRecord"});
  r.set("showhands", Scalar(s.showhands));
  r.set("stopsim", Scalar(s.stopsim));
  r.set("WinStat", Numeric(s.WinStat));
  r.set("WinStat2", Numeric(s.WinStat2));
  r.set("Statistic", Numeric(s.Statistic));
  r.set("WinRecord", Numeric(s.WinRecord));
  return r.take();
}

bool Consistent(const NumericArray& a) {
  std::size_t n = 1;
  for (std::size_t d : a.dims) n *= d;
  return !a.dims.empty() && n == a.values.size();
}

// Writes the variables into the (already created) file at `path`.
std::optional<std::string> WriteVariables(const std::string& path, const SetupContent& content) {
  for (const NumericArray* a : {&content.sim.WinStat, &content.sim.WinStat2, &content.sim.Statistic,
                                &content.sim.WinRecord}) {
    if (!Consistent(*a)) return "the statistics do not fit their sizes";
  }
  MatVar vars[] = {TableVar(content.table), SetupVar(content.setup), PlayerVar(content.players),
                   DeckVar(content.cardsindeck), SimVar(content.sim),
                   Named(TextList(content.ranges), "playerranges"),
                   Named(RowOrEmpty(content.deadcards), "deadcards"), Named(Scalar(content.exact), "exactodds")};
  for (const MatVar& v : vars) {
    if (!v) return "out of memory";
  }
  mat_t* mat = Mat_CreateVer(path.c_str(), "Zuv Poker Simulator setup file", MAT_FT_MAT5);
  if (!mat) return "the file cannot be created";
  for (const MatVar& v : vars) {
    if (Mat_VarWrite(mat, v.get(), MAT_COMPRESSION_ZLIB) != 0) {
      Mat_Close(mat);
      return "writing failed";
    }
  }
  if (Mat_Close(mat) != 0) return "writing failed";
  return std::nullopt;
}

// Makes the whole MAT-file in `bytes`. libmatio writes to a file name and does
// not check its writes, so it writes into a file in memory, where they cannot
// fail for want of disk space; the bytes then go to disk with every write checked.
std::optional<std::string> MakeMatFile(const SetupContent& content, std::string& bytes) {
  const int fd = ::memfd_create("zuv-save", MFD_CLOEXEC);
  if (fd < 0) return std::strerror(errno);
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  if (auto problem = WriteVariables("/proc/self/fd/" + std::to_string(fd), content)) return problem;
  auto made = ReadWhole(fd);
  if (!made) return std::strerror(errno);
  bytes = std::move(*made);
  return std::nullopt;
}

}  // namespace

std::optional<std::string> WriteSetupFile(const std::string& path, const SetupContent& content, WriteCall write) {
  QuietMatioLog();
  std::string bytes;
  if (auto problem = MakeMatFile(content, bytes)) return problem;
  // What goes to disk must pass the same check as any file that is loaded.
  if (auto problem = CheckMatBytes(bytes)) return "the new file is broken (" + *problem + ")";
  return ReplaceFile(path, bytes, write);
}

}  // namespace zuv::setupfile
