#include "setup/file/setup_writer.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <vector>

#include "setup/file/mat_check.h"
#include "setup/file/setup_fields.h"
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

MatVar Value(double v) { return Numeric(NumericArray::Scalar(v)); }
template <std::size_t N>
MatVar Value(const std::array<double, N>& v) {
  return Numeric(NumericArray::Row({v.begin(), v.end()}));
}
MatVar Value(const std::vector<double>& v) { return Numeric(NumericArray::RowOrEmpty(v)); }
MatVar Value(const Column<const std::vector<double>>& v) { return Numeric(NumericArray::ColumnOrEmpty(v.values)); }
MatVar Value(const NumericArray& a) { return Numeric(a); }
template <std::size_t N>
MatVar Value(const std::array<std::string, N>& texts) {
  return TextList(texts);
}

// A top-level variable named `name`; libmatio frees the name with the variable.
MatVar Named(MatVar v, const char* name) {
  if (v) v->name = strdup(name);
  return v;
}

// Makes the variables of VisitSetupFile, in its order. A structure is made
// once all its fields are known: its field names are those of its first element.
class VariableWriter {
 public:
  void record(const char* name, std::size_t elements) {
    close();
    record_ = {name, elements, {}, {}};
    open_ = true;
  }
  void element(std::size_t index) { index_ = index; }
  void field(const char* name, const auto& saved, const auto&, const auto&) {
    if (index_ == 0) record_.names.push_back(name);
    record_.values.push_back({name, index_, Value(saved)});
  }
  void variable(const char* name, const auto& saved, const auto&, const auto&) {
    close();
    vars_.push_back(Named(Value(saved), name));
  }
  void extra(const char* name, const auto& saved, const auto& read, const auto& record) {
    variable(name, saved, read, record);
  }
  // Every variable, or null for one that could not be made.
  std::vector<MatVar> take() {
    close();
    return std::move(vars_);
  }

 private:
  struct FieldValue {
    const char* name;
    std::size_t index;
    MatVar value;
  };
  struct PendingRecord {
    const char* name = nullptr;
    std::size_t elements = 1;
    std::vector<const char*> names;
    std::vector<FieldValue> values;
  };

  void close() {
    if (!open_) return;
    open_ = false;
    index_ = 0;
    size_t dims[2] = {1, record_.elements};
    MatVar var(Mat_VarCreateStruct(record_.name, 2, dims, record_.names.data(),
                                   static_cast<unsigned>(record_.names.size())));
    for (FieldValue& f : record_.values) {
      if (!var || !f.value) {
        var.reset();
        break;
      }
      // The record owns the value from here on; what it returns is the empty field it had.
      Mat_VarFree(Mat_VarSetStructFieldByName(var.get(), f.name, f.index, f.value.release()));
    }
    vars_.push_back(std::move(var));
  }

  bool open_ = false;
  std::size_t index_ = 0;
  PendingRecord record_;
  std::vector<MatVar> vars_;
};

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
  VariableWriter writer;
  VisitSetupFile(writer, content);
  const std::vector<MatVar> vars = writer.take();
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
