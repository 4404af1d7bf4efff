#include "setup/file/setup_reader.h"

#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <limits>
#include <optional>

#include "setup/file/mat_check.h"
#include "setup/file/mat_var.h"
#include "setup/file/setup_check.h"
#include "setup/file/setup_fields.h"

namespace zuv::setupfile {

namespace {

// Setup files are far smaller; anything larger is not one, and is not read
// into memory just to find that out.
constexpr std::uintmax_t kMaxFileBytes = 16u << 20;

// A problem found while reading: the text of the first one.
struct Problem {
  std::string text;
};

template <class T>
using Result = std::variant<T, Problem>;

// The whole file, or why it cannot be had.
std::variant<std::string, Problem> ReadBytes(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) {
    // A folder that cannot be entered or a name too long is not a missing file.
    if (errno == ENOENT || errno == ENOTDIR) return Problem{"it does not exist"};
    return Problem{std::string("it cannot be reached: ") + std::strerror(errno)};
  }
  if (!S_ISREG(status.st_mode)) return Problem{"it is not a file"};
  if (::access(path.c_str(), R_OK) != 0) {
    return Problem{std::string("it cannot be opened for reading: ") + std::strerror(errno)};
  }
  std::ifstream in(path, std::ios::binary | std::ios::ate);
  if (!in) return Problem{"it cannot be opened for reading"};
  const auto end = in.tellg();
  if (end < 0) return Problem{"it cannot be opened for reading"};
  const auto size = static_cast<std::uintmax_t>(end);
  if (size > kMaxFileBytes) return Problem{"it is too large to be a setup file"};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.seekg(0);
  if (!in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()))) return Problem{"it cannot be read"};
  return bytes;
}

// libmatio reads from a file name. It is given a private in-memory copy of
// the bytes that were checked, so a file changed meanwhile on disk cannot
// slip unchecked bytes past the check. The copy's descriptor closes with it.
class CheckedCopy {
 public:
  CheckedCopy(const std::string& bytes, const std::string& original) : path_(original) {
    fd_ = ::memfd_create("zuv-setup", MFD_CLOEXEC);
    if (fd_ < 0) return;  // no in-memory files here: read the original
    std::size_t written = 0;
    while (written < bytes.size()) {
      const ssize_t n = ::write(fd_, bytes.data() + written, bytes.size() - written);
      if (n <= 0) break;
      written += static_cast<std::size_t>(n);
    }
    if (written == bytes.size()) path_ = "/proc/self/fd/" + std::to_string(fd_);
  }
  ~CheckedCopy() {
    if (fd_ >= 0) ::close(fd_);
  }
  CheckedCopy(const CheckedCopy&) = delete;
  CheckedCopy& operator=(const CheckedCopy&) = delete;
  const std::string& path() const { return path_; }

 private:
  int fd_ = -1;
  std::string path_;
};

std::size_t ElementCount(const matvar_t* v) {
  if (v->rank < 1 || !v->dims) return 0;
  std::size_t n = 1;
  for (int i = 0; i < v->rank; ++i) {
    if (v->dims[i] != 0 && n > std::numeric_limits<std::size_t>::max() / v->dims[i]) {
      return std::numeric_limits<std::size_t>::max();
    }
    n *= v->dims[i];
  }
  return n;
}

// A row, a column, or any array with at most one dimension other than 1.
bool IsVectorShape(const matvar_t* v) {
  int longDims = 0;
  for (int i = 0; i < v->rank; ++i) longDims += v->dims[i] != 1 ? 1 : 0;
  return longDims <= 1;
}

const char* ClassName(matio_classes c) {
  switch (c) {
    case MAT_C_CELL: return "a list of values (cell array)";
    case MAT_C_STRUCT: return "a structure";
    case MAT_C_OBJECT: return "an object";
    case MAT_C_CHAR: return "a text";
    case MAT_C_SPARSE: return "a sparse matrix";
    case MAT_C_FUNCTION: return "a function handle";
    case MAT_C_OPAQUE: return "an opaque object";
    case MAT_C_DOUBLE: case MAT_C_SINGLE: case MAT_C_INT8: case MAT_C_UINT8: case MAT_C_INT16: case MAT_C_UINT16:
    case MAT_C_INT32: case MAT_C_UINT32: case MAT_C_INT64: case MAT_C_UINT64: return "a number";
    default: return "of an unknown type";
  }
}

template <class T>
void Convert(const void* data, std::size_t n, std::vector<double>& out) {
  const T* p = static_cast<const T*>(data);
  for (std::size_t i = 0; i < n; ++i) out.push_back(static_cast<double>(p[i]));
}

// The values of a real numeric (or logical) array as doubles, column-major.
Result<std::vector<double>> Numbers(const matvar_t* v, const std::string& what) {
  std::size_t size = 0;
  switch (v->class_type) {
    case MAT_C_DOUBLE: size = sizeof(double); break;
    case MAT_C_SINGLE: size = sizeof(float); break;
    case MAT_C_INT8: case MAT_C_UINT8: size = 1; break;
    case MAT_C_INT16: case MAT_C_UINT16: size = 2; break;
    case MAT_C_INT32: case MAT_C_UINT32: size = 4; break;
    case MAT_C_INT64: case MAT_C_UINT64: size = 8; break;
    default: return Problem{what + " is " + ClassName(v->class_type) + ", not a number"};
  }
  if (v->isComplex) return Problem{what + " holds complex numbers"};
  const std::size_t n = ElementCount(v);
  std::vector<double> out;
  if (n == 0) return out;
  if (!v->data || n > v->nbytes / size) return Problem{what + " is damaged (its data is shorter than its size)"};
  out.reserve(n);
  switch (v->class_type) {
    case MAT_C_DOUBLE: Convert<double>(v->data, n, out); break;
    case MAT_C_SINGLE: Convert<float>(v->data, n, out); break;
    case MAT_C_INT8: Convert<std::int8_t>(v->data, n, out); break;
    case MAT_C_UINT8: Convert<std::uint8_t>(v->data, n, out); break;
    case MAT_C_INT16: Convert<std::int16_t>(v->data, n, out); break;
    case MAT_C_UINT16: Convert<std::uint16_t>(v->data, n, out); break;
    case MAT_C_INT32: Convert<std::int32_t>(v->data, n, out); break;
    case MAT_C_UINT32: Convert<std::uint32_t>(v->data, n, out); break;
    case MAT_C_INT64: Convert<std::int64_t>(v->data, n, out); break;
    default: Convert<std::uint64_t>(v->data, n, out); break;
  }
  return out;
}

Result<double> Scalar(const matvar_t* v, const std::string& what) {
  auto values = Numbers(v, what);
  if (auto* p = std::get_if<Problem>(&values)) return *p;
  const auto& list = std::get<std::vector<double>>(values);
  if (list.size() != 1) return Problem{what + " holds " + std::to_string(list.size()) + " numbers instead of one"};
  return list[0];
}

// Empty, or a row or column of numbers of any length (the check judges the length).
Result<std::vector<double>> List(const matvar_t* v, const std::string& what) {
  auto values = Numbers(v, what);
  if (auto* p = std::get_if<Problem>(&values)) return *p;
  if (!std::get<std::vector<double>>(values).empty() && !IsVectorShape(v)) {
    return Problem{what + " is a table of numbers, not a list"};
  }
  return values;
}

template <std::size_t N>
Result<std::array<double, N>> FixedList(const matvar_t* v, const std::string& what) {
  auto values = List(v, what);
  if (auto* p = std::get_if<Problem>(&values)) return *p;
  const auto& list = std::get<std::vector<double>>(values);
  if (list.size() != N) {
    return Problem{what + " holds " + std::to_string(list.size()) + " numbers instead of " + std::to_string(N)};
  }
  std::array<double, N> out{};
  std::copy(list.begin(), list.end(), out.begin());
  return out;
}

Result<const matvar_t*> Field(const matvar_t* record, const char* name, std::size_t index, const std::string& what) {
  matvar_t* field = Mat_VarGetStructFieldByName(const_cast<matvar_t*>(record), name, index);
  if (!field) return Problem{what + " has no field " + name};
  return static_cast<const matvar_t*>(field);
}

Result<const matvar_t*> Record(const matvar_t* v, const std::string& what, std::size_t count) {
  if (v->class_type != MAT_C_STRUCT) return Problem{what + " is " + ClassName(v->class_type) + ", not a structure"};
  const std::size_t n = ElementCount(v);
  if (n != count || !IsVectorShape(v)) {
    return Problem{what + " holds " + std::to_string(n) + " structures instead of " + std::to_string(count)};
  }
  return v;
}

// A row of plain (ASCII) characters as a string.
Result<std::string> TextOf(const matvar_t* v, const std::string& what) {
  if (v->class_type != MAT_C_CHAR) return Problem{what + " is " + ClassName(v->class_type) + ", not a text"};
  const std::size_t n = ElementCount(v);
  if (n == 0) return std::string();
  if (!IsVectorShape(v)) return Problem{what + " is a table of characters, not a text"};
  std::size_t size = 0;
  switch (v->data_type) {
    case MAT_T_UINT8: case MAT_T_INT8: case MAT_T_UTF8: size = 1; break;
    case MAT_T_UINT16: case MAT_T_INT16: case MAT_T_UTF16: size = 2; break;
    default: return Problem{what + " is a text of an unknown kind"};
  }
  if (!v->data || n > v->nbytes / size) return Problem{what + " is damaged (its data is shorter than its size)"};
  std::string text;
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned c = size == 1 ? static_cast<const std::uint8_t*>(v->data)[i]
                                 : static_cast<const std::uint16_t*>(v->data)[i];
    if (c == 0 || c > 0x7e) return Problem{what + " holds a character that is not plain text"};
    text.push_back(static_cast<char>(c));
  }
  return text;
}

// A row of N texts ("playerranges": one text per seat).
template <std::size_t N>
Result<std::array<std::string, N>> Texts(const matvar_t* v, const std::string& what) {
  if (v->class_type != MAT_C_CELL) return Problem{what + " is " + ClassName(v->class_type) + ", not a list of texts"};
  if (ElementCount(v) != N || !IsVectorShape(v)) {
    return Problem{what + " holds " + std::to_string(ElementCount(v)) + " texts instead of " + std::to_string(N)};
  }
  std::array<std::string, N> texts;
  for (std::size_t i = 0; i < N; ++i) {
    const std::string item = what + "{" + std::to_string(i + 1) + "}";
    const matvar_t* cell = Mat_VarGetCell(const_cast<matvar_t*>(v), static_cast<int>(i));
    if (!cell) return Problem{item + " cannot be read"};
    auto text = TextOf(cell, item);
    if (auto* p = std::get_if<Problem>(&text)) return *p;
    texts[i] = std::get<std::string>(std::move(text));
  }
  return texts;
}

// A value as the place it is read into asks for it.
Result<double> ReadValue(const matvar_t* v, const std::string& what, const double&) { return Scalar(v, what); }
Result<std::vector<double>> ReadValue(const matvar_t* v, const std::string& what, const std::vector<double>&) {
  return List(v, what);
}
template <std::size_t N>
Result<std::array<double, N>> ReadValue(const matvar_t* v, const std::string& what, const std::array<double, N>&) {
  return FixedList<N>(v, what);
}
template <std::size_t N>
Result<std::array<std::string, N>> ReadValue(const matvar_t* v, const std::string& what,
                                             const std::array<std::string, N>&) {
  return Texts<N>(v, what);
}

// Reads the entries of VisitSetupFile that a load takes back, until the first problem.
class FileFieldsReader {
 public:
  FileFieldsReader(mat_t* mat, FileFields& fields) : mat_(mat), fields_(fields) {
    size_t count = 0;
    char** names = Mat_GetDir(mat, &count);
    if (!names && count != 0) {
      problem_ = "its list of variables cannot be read";
      return;
    }
    for (size_t i = 0; i < count; ++i) {
      if (names[i]) names_.emplace_back(names[i]);
    }
  }
  const std::optional<std::string>& problem() const { return problem_; }

  void record(const char* name, std::size_t elements) {
    record_ = nullptr;
    recordName_ = name;
    elements_ = elements;
    index_ = 0;
    if (const matvar_t* v = Required(name)) take(Record(v, name, elements), record_);
  }
  void element(std::size_t index) { index_ = index; }

  void field(const char* name, auto&&, const auto& read, const auto&) {
    if (problem_ || !IsRead(read)) return;
    const std::string what =
        elements_ == 1 ? recordName_ : recordName_ + "(" + std::to_string(index_ + 1) + ")";
    const matvar_t* f = nullptr;
    if (take(Field(record_, name, index_, what), f)) ReadInto(f, what + "." + name, read);
  }

  void variable(const char* name, auto&&, const auto& read, const auto&) {
    if (const matvar_t* v = Required(name)) ReadInto(v, name, read);
  }

  // Only an absent variable means an older file; one that is there but
  // cannot be read is a damaged file like any other.
  void extra(const char* name, auto&&, const auto& read, const auto&) {
    if (problem_ || !Present(name)) return;
    if (const matvar_t* v = Load(name)) ReadInto(v, name, read);
  }

 private:
  static bool IsRead(std::nullptr_t) { return false; }
  static bool IsRead(const auto&) { return true; }
  void ReadInto(const matvar_t*, const std::string&, std::nullptr_t) {}
  template <class Read>
  void ReadInto(const matvar_t* v, const std::string& what, const Read& read) {
    auto& place = read.at(fields_);
    take(ReadValue(v, what, place), place);
  }

  bool Present(const char* name) const { return std::find(names_.begin(), names_.end(), name) != names_.end(); }

  const matvar_t* Required(const char* name) {
    if (problem_) return nullptr;
    if (!Present(name)) {
      problem_ = std::string("the variable ") + name + " is missing";
      return nullptr;
    }
    return Load(name);
  }

  const matvar_t* Load(const char* name) {
    MatVar v(Mat_VarRead(mat_, name));
    if (!v) {
      problem_ = std::string("the variable ") + name + " cannot be read";
      return nullptr;
    }
    vars_.push_back(std::move(v));
    return vars_.back().get();
  }

  template <class T, class U>
  bool take(Result<T> result, U& out) {
    if (problem_) return false;
    if (auto* p = std::get_if<Problem>(&result)) {
      problem_ = p->text;
      return false;
    }
    out = std::move(std::get<T>(result));
    return true;
  }

  mat_t* mat_;
  FileFields& fields_;
  std::vector<std::string> names_;
  std::vector<MatVar> vars_;  // what the fields point into lives as long as the reader
  std::optional<std::string> problem_;
  const matvar_t* record_ = nullptr;
  std::string recordName_;
  std::size_t elements_ = 1;
  std::size_t index_ = 0;
};

Result<FileFields> ReadOpenFile(mat_t* mat) {
  FileFields f;
  FileFieldsReader reader(mat, f);
  const SetupContent unused;
  if (!reader.problem()) VisitSetupFile(reader, unused);
  if (reader.problem()) return Problem{*reader.problem()};
  return f;
}

}  // namespace

std::variant<FileFields, std::string> ReadFileFields(const std::string& path) {
  const auto bytes = ReadBytes(path);
  if (auto* p = std::get_if<Problem>(&bytes)) return p->text;
  if (auto problem = CheckMatBytes(std::get<std::string>(bytes))) return *problem;
  QuietMatioLog();
  const CheckedCopy copy(std::get<std::string>(bytes), path);
  MatFile mat(Mat_Open(copy.path().c_str(), MAT_ACC_RDONLY));
  if (!mat) return "it cannot be read as a MAT-file";
  if (Mat_GetVersion(mat.get()) != MAT_FT_MAT5) return "it is not a MAT-file of version 5";
  auto result = ReadOpenFile(mat.get());
  if (auto* p = std::get_if<Problem>(&result)) return p->text;
  return std::get<FileFields>(std::move(result));
}

std::variant<LoadedSetup, std::string> ReadSetupFile(const std::string& path) {
  auto fields = ReadFileFields(path);
  if (auto* problem = std::get_if<std::string>(&fields)) return *problem;
  return CheckSetup(std::get<FileFields>(fields));
}

}  // namespace zuv::setupfile
