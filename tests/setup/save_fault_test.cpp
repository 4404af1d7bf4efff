// Saves that fail on the way keep the old file and say why: writes that fail,
// a real full disk, read-only files; and saves through symbolic links.
#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/sysmacros.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "setup/file/setup_reader.h"
#include "setup/file/setup_writer.h"
#include "setup/setup_file_helpers.h"
#include "sim/split_mix64.h"

namespace zuv::setupfile {
namespace {

namespace fs = std::filesystem;
using testing::FixedFlopContent;
using testing::Load;
using testing::ReadBytes;
using testing::StartupContent;
using testing::TempFolder;

std::size_t EntriesIn(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

// A setup after a run whose statistics do not compress: about 120 KB on disk.
SetupContent LargeContent() {
  SetupContent c = StartupContent();
  sim::SplitMix64 noise(7);
  std::vector<double> values(10 * 169 * 9);
  for (double& v : values) v = static_cast<double>(noise.Next() >> 11);
  c.sim.Statistic = {{10, 169, 9}, values};
  c.setup.NrOfSims = 4321;
  return c;
}

// Bytes the failing write below still takes before the disk is "full".
std::size_t roomLeft = 0;

// Writes at most 100 bytes a call, and fails for want of space once `roomLeft` is used up.
ssize_t WriteUntilFull(int fd, const void* data, size_t size) {
  if (roomLeft == 0) {
    errno = ENOSPC;
    return -1;
  }
  const ssize_t n = ::write(fd, data, std::min({size, size_t{100}, roomLeft}));
  if (n > 0) roomLeft -= static_cast<std::size_t>(n);
  return n;
}

// Writes at most 100 bytes a call, never failing.
ssize_t WriteInSmallSteps(int fd, const void* data, size_t size) { return ::write(fd, data, std::min<size_t>(size, 100)); }

TEST(SaveFault, AWriteThatFailsKeepsTheOldFileAndNamesTheReason) {
  TempFolder folder;
  const std::string path = folder.path("setup.zuv");
  ASSERT_EQ(WriteSetupFile(path, StartupContent()), std::nullopt);
  const std::string before = ReadBytes(path);

  roomLeft = 1000;
  EXPECT_EQ(WriteSetupFile(path, LargeContent(), WriteUntilFull), "No space left on device");
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(EntriesIn(folder.root()), 1u);

  // Short writes that all succeed make a whole file.
  ASSERT_EQ(WriteSetupFile(path, LargeContent(), WriteInSmallSteps), std::nullopt);
  EXPECT_EQ(Load(path).NrOfSims, 4321);
}

// A small tmpfs of the test's own, mounted in a mount namespace private to
// this test process: nothing outside sees it, and it goes with the process.
class SmallDisk {
 public:
  SmallDisk() {
    if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
      why_ = std::string("no private mount namespace: ") + std::strerror(errno);
      return;
    }
    fs::create_directory(root_);
    if (::mount("zuv-test", root_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV, "size=512k") != 0) {
      why_ = std::string("tmpfs cannot be mounted: ") + std::strerror(errno);
      return;
    }
    mounted_ = true;
  }
  ~SmallDisk() {
    if (mounted_) ::umount2(root_.c_str(), MNT_DETACH);
  }
  bool mounted() const { return mounted_; }
  const std::string& why() const { return why_; }
  std::string path(const std::string& name) const { return root_ + "/" + name; }
  const std::string& root() const { return root_; }

 private:
  TempFolder folder_;
  std::string root_ = folder_.path("disk");
  std::string why_;
  bool mounted_ = false;
};

// Fills the disk to the last byte with `path`; returns its size.
off_t Fill(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  EXPECT_GE(fd, 0);
  const std::string block(4096, 'f');
  off_t size = 0;
  for (ssize_t n; (n = ::write(fd, block.data(), block.size())) > 0;) size += n;
  EXPECT_EQ(errno, ENOSPC);
  ::close(fd);
  return size;
}

// The pipe a save in a child process reports on, and the write after which it waits to be killed.
int toParent = -1;
int writesLeft = 0;

ssize_t WriteThenWaitToBeKilled(int fd, const void* data, size_t size) {
  const ssize_t n = ::write(fd, data, std::min<size_t>(size, 100));
  if (--writesLeft == 0) {
    (void)!::write(toParent, "k", 1);
    for (;;) ::pause();
  }
  return n;
}

TEST(SaveFault, ASaveKilledOnTheWayLeavesTheOldFileAloneAndNothingBehind) {
  TempFolder folder;
  const std::string path = folder.path("setup.zuv");
  ASSERT_EQ(WriteSetupFile(path, StartupContent()), std::nullopt);
  const std::string before = ReadBytes(path);
  // Killed after the first write, in the middle, and before the last one (about 1,200 writes).
  for (int killedAfter : {1, 600, 1100}) {
    int report[2];
    ASSERT_EQ(::pipe(report), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      toParent = report[1];
      writesLeft = killedAfter;
      WriteSetupFile(path, LargeContent(), WriteThenWaitToBeKilled);
      ::_exit(0);
    }
    char byte = 0;
    EXPECT_EQ(::read(report[0], &byte, 1), 1) << "the save ended before write " << killedAfter;
    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::close(report[0]);
    ::close(report[1]);
    EXPECT_TRUE(WIFSIGNALED(status)) << killedAfter;
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(EntriesIn(folder.root()), 1u) << killedAfter;
  }
}

TEST(SaveFault, OnlyARegularFileIsReplaced) {
  TempFolder folder;
  ASSERT_EQ(::mkfifo(folder.path("pipe").c_str(), 0644), 0);
  fs::create_symlink(folder.path("pipe"), folder.path("pipe.zuv"));
  fs::create_directory(folder.path("folder.zuv"));
  struct Case {
    std::string save, stays;
    const char* reason;
  };
  std::vector<Case> cases{{"pipe.zuv", folder.path("pipe"), "it is a pipe, not a regular file"},
                          {"folder.zuv", folder.path("folder.zuv"), "it is a folder, not a regular file"}};
  // A null device of the test's own, so that a failing save cannot take the system's.
  if (::mknod(folder.path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
    fs::create_symlink(folder.path("null"), folder.path("null.zuv"));
    cases.push_back({"null.zuv", folder.path("null"), "it is a device, not a regular file"});
  }
  for (const Case& c : cases) {
    struct stat was {}, is {};
    ASSERT_EQ(::stat(c.stays.c_str(), &was), 0);
    EXPECT_EQ(WriteSetupFile(folder.path(c.save), StartupContent()), c.reason);
    ASSERT_EQ(::stat(c.stays.c_str(), &is), 0);
    EXPECT_EQ(is.st_mode, was.st_mode) << c.save;
    EXPECT_EQ(is.st_ino, was.st_ino) << c.save;
  }
}

// The temporary file's name is no longer than the file's own.
TEST(SaveFault, AnyNameTheFileSystemTakesCanBeSaved) {
  TempFolder folder;
  for (std::size_t length : {251u, 255u}) {
    const std::string path = folder.path(std::string(length - 4, 'n') + ".zuv");
    ASSERT_EQ(WriteSetupFile(path, FixedFlopContent()), std::nullopt) << length;
    EXPECT_EQ(Load(path).NrOfSims, 777);
  }
  EXPECT_EQ(EntriesIn(folder.root()), 2u);
}

TEST(SaveFault, AFullDiskKeepsTheOldFileAndNamesTheReason) {
  SmallDisk disk;
  // Only root may mount; the write seam above covers everyone else.
  if (!disk.mounted()) GTEST_SKIP() << disk.why();
  const std::string path = disk.path("setup.zuv");
  const std::string filler = disk.path("filler");
  ASSERT_EQ(WriteSetupFile(path, FixedFlopContent()), std::nullopt);
  const std::string before = ReadBytes(path);

  // Not one byte free.
  const off_t full = Fill(filler);
  EXPECT_EQ(WriteSetupFile(path, StartupContent()), "No space left on device");
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(EntriesIn(disk.root()), 2u);

  // 8 KiB free: the new file would be cut off there.
  ASSERT_EQ(::truncate(filler.c_str(), full - 8192), 0);
  EXPECT_EQ(WriteSetupFile(path, LargeContent()), "No space left on device");
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(EntriesIn(disk.root()), 2u);
  EXPECT_EQ(Load(path).NrOfSims, 777);

  // With room again the same save goes through.
  ASSERT_EQ(::unlink(filler.c_str()), 0);
  ASSERT_EQ(WriteSetupFile(path, LargeContent()), std::nullopt);
  EXPECT_EQ(Load(path).NrOfSims, 4321);
}

TEST(SaveFault, AReadOnlyFileIsLeftAloneAndSaidToBeReadOnly) {
  TempFolder folder;
  const std::string path = folder.path("setup.zuv");
  ASSERT_EQ(WriteSetupFile(path, FixedFlopContent()), std::nullopt);
  const std::string before = ReadBytes(path);
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  EXPECT_EQ(WriteSetupFile(path, StartupContent()), "the file is read-only");
  EXPECT_EQ(ReadBytes(path), before);
  EXPECT_EQ(EntriesIn(folder.root()), 1u);
}

TEST(SaveFault, ASaveThroughASymbolicLinkReplacesItsTargetAndKeepsLinkAndPermissions) {
  TempFolder folder;
  const std::string target = folder.path("real.zuv");
  ASSERT_EQ(WriteSetupFile(target, StartupContent()), std::nullopt);
  ASSERT_EQ(::chmod(target.c_str(), 0640), 0);
  // Another user's file, where this test may give it to one.
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(target.c_str(), 4321, 4322), 0);
  }
  fs::create_directory(folder.path("links"));
  // A relative link from another folder, and a link to that link.
  fs::create_symlink("../real.zuv", folder.path("links/near.zuv"));
  fs::create_symlink("near.zuv", folder.path("links/far.zuv"));

  ASSERT_EQ(WriteSetupFile(folder.path("links/far.zuv"), FixedFlopContent()), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(folder.path("links/far.zuv")));
  EXPECT_TRUE(fs::is_symlink(folder.path("links/near.zuv")));
  EXPECT_EQ(Load(target).NrOfSims, 777);
  struct stat st {};
  ASSERT_EQ(::stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  if (root) {
    EXPECT_EQ(std::pair(st.st_uid, st.st_gid), std::pair(uid_t{4321}, gid_t{4322}));
  }
  EXPECT_EQ(EntriesIn(folder.root()), 2u);
  EXPECT_EQ(EntriesIn(folder.path("links")), 2u);

  // A link that leads nowhere yet: the save makes the file it names.
  fs::create_symlink("new.zuv", folder.path("dangling.zuv"));
  ASSERT_EQ(WriteSetupFile(folder.path("dangling.zuv"), FixedFlopContent()), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(folder.path("dangling.zuv")));
  EXPECT_EQ(Load(folder.path("new.zuv")).NrOfSims, 777);

  // Links in a circle are refused and left as they are.
  fs::create_symlink("b.zuv", folder.path("a.zuv"));
  fs::create_symlink("a.zuv", folder.path("b.zuv"));
  EXPECT_EQ(WriteSetupFile(folder.path("a.zuv"), FixedFlopContent()), std::strerror(ELOOP));
  EXPECT_TRUE(fs::is_symlink(folder.path("a.zuv")));
}

}  // namespace
}  // namespace zuv::setupfile
