#include "setup/file/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// What a file that is not a regular file is, for the refusal.
const char* Kind(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISFIFO(mode)) return "a pipe";
  if (S_ISSOCK(mode)) return "a socket";
  return "a special file";
}

// Why the existing file at `path` must not be replaced, if it must not. Only
// a regular file is replaced: a device or pipe behind a link stays what it is.
std::optional<std::string> Refusal(const std::string& path) {
  struct stat old {};
  if (::stat(path.c_str(), &old) != 0) return std::nullopt;  // a new file
  if (!S_ISREG(old.st_mode)) return std::string("it is ") + Kind(old.st_mode) + ", not a regular file";
  // Root may write anything; a file without write permission is still read-only.
  if ((old.st_mode & 0222) == 0 || ::access(path.c_str(), W_OK) != 0) return "the file is read-only";
  return std::nullopt;
}

// The new file takes the owner, group and permissions of the file it
// replaces where the system allows (only root may give a file away, and a
// group only to one of the saver's groups); a new file gets the usual
// permissions (a temporary file starts readable by its owner only).
std::optional<int> TakeOldFilesPlace(int fd, const std::string& path) {
  struct stat old {};
  if (::stat(path.c_str(), &old) != 0) {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return ::fchmod(fd, 0666 & ~mask) == 0 ? std::nullopt : std::optional(errno);
  }
  // Before the mode: a change of owner clears the set-user-ID bits. Where
  // neither is allowed the file becomes the saver's, as any file one writes.
  if (::fchown(fd, old.st_uid, old.st_gid) != 0) (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
  return ::fchmod(fd, old.st_mode & 07777) == 0 ? std::nullopt : std::optional(errno);
}

// A temporary file in the folder of the file it replaces.
struct Temporary {
  int fd = -1;
  std::string name;  // empty while it has none
};

// Unnamed where the file system allows, so that a save killed on the way
// leaves nothing behind; otherwise under a short name of its own, so that
// any name the file system takes can be saved.
std::variant<Temporary, int> OpenTemporary(const std::string& folder) {
  const int unnamed = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
  if (unnamed >= 0) return Temporary{unnamed, ""};
  std::string name = folder + "/.zuv-save-XXXXXX";
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return errno;
  return Temporary{fd, name};
}

// Gives the finished unnamed file a short name, to be renamed over the old
// file (a link cannot replace a file); the error when no name could be given.
std::variant<std::string, int> NameTemporary(int fd, const std::string& folder) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  for (int serial = 0;; ++serial) {
    const std::string name = folder + "/.zuv-save-" + std::to_string(::getpid()) + "-" + std::to_string(serial);
    // Without privileges a file is linked through its /proc entry.
    if (::linkat(fd, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0 ||
        ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      return name;
    }
    if (errno != EEXIST || serial == 100) return errno;
  }
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
std::optional<std::string> FillTemporary(int fd, const std::string& bytes, const std::string& file, WriteCall write) {
  if (auto error = WriteAll(fd, bytes, write)) return Reason(*error);
  if (auto error = TakeOldFilesPlace(fd, file)) return Reason(*error);
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

  const fs::path parent = fs::path(file).parent_path();
  const std::string folder = parent.empty() ? "." : parent.string();
  const auto opened = OpenTemporary(folder);
  if (const int* error = std::get_if<int>(&opened)) return Reason(*error);
  Temporary tmp = std::get<Temporary>(opened);

  auto problem = FillTemporary(tmp.fd, bytes, file, write);
  if (!problem && tmp.name.empty()) {
    auto named = NameTemporary(tmp.fd, folder);
    if (const int* error = std::get_if<int>(&named)) problem = Reason(*error);
    if (auto* name = std::get_if<std::string>(&named)) tmp.name = *name;
  }
  if (::close(tmp.fd) != 0 && !problem) problem = Reason(errno);
  if (!problem && ::rename(tmp.name.c_str(), file.c_str()) != 0) problem = Reason(errno);
  if (problem && !tmp.name.empty()) ::unlink(tmp.name.c_str());
  return problem;
}

}  // namespace zuv::setupfile
