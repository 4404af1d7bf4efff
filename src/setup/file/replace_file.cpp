#include "setup/file/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <variant>
#include <vector>

namespace zuv::setupfile {

namespace {

namespace fs = std::filesystem;

std::string Reason(int error) { return std::strerror(error); }

// The file a save replaces: `path`, or the file its symbolic links lead to,
// so that editing through a link keeps the link.
std::variant<std::string, int> FileBehindLinks(const std::string& path) {
  fs::path file = path;
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(file, error))) return file.string();
    const fs::path target = fs::read_symlink(file, error);
    if (error) return error.value();
    file = target.is_absolute() ? target : file.parent_path() / target;
  }
  return ELOOP;
}

// Why the existing file at `path` must not be replaced, if it must not.
std::optional<std::string> Refusal(const std::string& path) {
  struct stat old {};
  if (::stat(path.c_str(), &old) != 0) return std::nullopt;  // a new file
  if (S_ISDIR(old.st_mode)) return Reason(EISDIR);
  // Root may write anything; a file without write permission is still read-only.
  if ((old.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0) return "the file is read-only";
  return std::nullopt;
}

// Permissions of the new file: those of the file it replaces, or the usual
// ones for a new file (a temporary file starts readable by its owner only).
mode_t NewFileMode(const std::string& path) {
  struct stat old {};
  if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) return old.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Every byte written, or the error of the write that failed.
std::optional<int> WriteAll(int fd, const std::string& bytes, WriteCall write) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : ENOSPC;
    done += static_cast<std::size_t>(n);
  }
  return std::nullopt;
}

// Writes the temporary file and checks it; the reason when anything failed.
std::optional<std::string> FillTemporary(int fd, const std::string& bytes, mode_t mode, WriteCall write) {
  if (auto error = WriteAll(fd, bytes, write)) return Reason(*error);
  if (::fchmod(fd, mode) != 0) return Reason(errno);
  // On disk before it takes the old file's place, so a crash cannot leave a half file behind the name.
  if (::fsync(fd) != 0) return Reason(errno);
  const auto back = ReadWhole(fd);
  if (!back) return Reason(errno);
  if (*back != bytes) return "the file on disk differs from what was written";
  return std::nullopt;
}

}  // namespace

std::optional<std::string> ReadWhole(int fd) {
  std::string bytes;
  std::vector<char> chunk(1 << 16);
  for (off_t at = 0;;) {
    const ssize_t n = ::pread(fd, chunk.data(), chunk.size(), at);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return std::nullopt;
    if (n == 0) return bytes;
    bytes.append(chunk.data(), static_cast<std::size_t>(n));
    at += n;
  }
}

std::optional<std::string> ReplaceFile(const std::string& path, const std::string& bytes, WriteCall write) {
  const auto behind = FileBehindLinks(path);
  if (const int* error = std::get_if<int>(&behind)) return Reason(*error);
  const std::string& file = std::get<std::string>(behind);
  if (auto refusal = Refusal(file)) return refusal;

  std::vector<char> tmpName(file.begin(), file.end());
  for (char c : std::string(".tmp-XXXXXX")) tmpName.push_back(c);
  tmpName.push_back('\0');
  const int fd = ::mkostemp(tmpName.data(), O_CLOEXEC);
  if (fd < 0) return Reason(errno);
  const std::string tmp(tmpName.data());

  auto problem = FillTemporary(fd, bytes, NewFileMode(file), write);
  if (::close(fd) != 0 && !problem) problem = Reason(errno);
  if (!problem && ::rename(tmp.c_str(), file.c_str()) != 0) problem = Reason(errno);
  if (problem) ::unlink(tmp.c_str());
  return problem;
}

}  // namespace zuv::setupfile
