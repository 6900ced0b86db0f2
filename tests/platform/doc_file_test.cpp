#include "platform/doc_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "base/message_hook.h"
#include "support/test_support.h"

extern char** environ;

namespace ql {
namespace {

// ReadDoc with the bytes as a string, for comparisons.
inline bool ReadDocText(const std::string& path, bool showMessages, std::string& text, TFileLock& lock) {
  std::vector<uint8_t> bytes;
  if (!ReadDoc(path, showMessages, bytes, lock)) return false;
  text.assign(bytes.begin(), bytes.end());
  return true;
}


using qltest::ReadFile;
using qltest::TempDir;
using qltest::WriteFile;

const char* const kAlreadyOpen = "Невозможно записать файл - файл уже открыт";
const char* const kCannotWrite = "Невозможно записать файл";

// Names in the folder, hidden ones included: a failed save must leave no temporary file behind.
std::vector<std::string> Entries(const TempDir& dir) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

// Whether a fresh open would get the lock, i.e. nobody holds the document.
bool Lockable(const std::string& path) {
  std::string bytes;
  TFileLock lock;
  return ReadDocText(path, false, bytes, lock) && lock.Held();
}

// Runs `body` in a forked child and returns its exit code.
template <typename F>
int InChild(F body) {
  const pid_t pid = fork();
  if (pid == 0) _exit(body());
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

TEST(ReadDocTest, FailuresShowTheirTitleWithThePath) {
  TempDir dir;
  mkfifo((dir / "fifo.qlt").c_str(), 0644);
  std::filesystem::create_directory(dir / "folder.qlt");
  const struct {
    std::string path;
    const char* title;
  } cases[] = {
      {dir / "missing.qlt", "Файла не существует!"},
      {dir / "nofolder/x.qlt", "Файла не существует!"},
      {dir / "folder.qlt", "Невозможно считать файл!"},
      {dir / "fifo.qlt", "Невозможно считать файл!"},  // a special file is never opened (no hang)
  };
  for (const auto& c : cases) {
    MessageRecorder messages;
    std::string bytes = "old";
    TFileLock lock;
    EXPECT_FALSE(ReadDocText(c.path, true, bytes, lock)) << c.path;
    EXPECT_EQ(bytes, "old");
    EXPECT_FALSE(lock.Held());
    ASSERT_EQ(messages.Requests().size(), 1u) << c.path;
    EXPECT_EQ(messages.Requests()[0].title, c.title);
    EXPECT_EQ(messages.Requests()[0].text, c.path);
    EXPECT_EQ(messages.Requests()[0].icon, MsgIcon::Warning);
  }
  MessageRecorder quiet;
  std::string bytes;
  TFileLock lock;
  EXPECT_FALSE(ReadDocText(dir / "missing.qlt", false, bytes, lock));
  EXPECT_TRUE(quiet.Requests().empty());
}

TEST(ReadDocTest, SecondOpenInTheSameProcessIsReadOnlyUntilTheLockCloses) {
  TempDir dir;
  const std::string path = dir / "a.qlt";
  WriteFile(path, std::string("a\0b", 3));
  std::string first, second;
  TFileLock lock1, lock2;
  ASSERT_TRUE(ReadDocText(path, true, first, lock1));
  EXPECT_TRUE(lock1.Held());
  EXPECT_EQ(first, std::string("a\0b", 3));
  ASSERT_TRUE(ReadDocText(path, true, second, lock2));
  EXPECT_FALSE(lock2.Held());
  EXPECT_EQ(second, first);
  lock1.Close();
  EXPECT_TRUE(Lockable(path));
}

TEST(ReadDocTest, FileWithoutOwnerWriteBitOpensReadOnly) {
  TempDir dir;
  const std::string path = dir / "ro.qlt";
  WriteFile(path, "x");
  chmod(path.c_str(), 0444);  // tests run as root too: the mode bit decides, not access()
  std::string bytes;
  TFileLock lock;
  ASSERT_TRUE(ReadDocText(path, true, bytes, lock));
  EXPECT_FALSE(lock.Held());
  EXPECT_EQ(bytes, "x");
}

TEST(ReadDocTest, LockIsSeenByAnotherProcessBothWays) {
  TempDir dir;
  const std::string path = dir / "a.qlt";
  WriteFile(path, "old");
  {
    std::string bytes;
    TFileLock lock;
    ASSERT_TRUE(ReadDocText(path, true, bytes, lock));
    // The other instance reads the document but gets no lock.
    EXPECT_EQ(InChild([&] {
                std::string b;
                TFileLock l;
                return ReadDocText(path, false, b, l) && !l.Held() && b == "old" ? 0 : 1;
              }),
              0);
  }
  // Now the other process holds it: here it opens read-only and saving is refused.
  int ready[2], done[2];
  ASSERT_EQ(pipe(ready), 0);
  ASSERT_EQ(pipe(done), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    std::string b;
    TFileLock l;
    ReadDocText(path, false, b, l);
    char c = l.Held() ? 'y' : 'n';
    (void)!write(ready[1], &c, 1);
    (void)!read(done[0], &c, 1);
    _exit(0);
  }
  char c = 0;
  ASSERT_EQ(read(ready[0], &c, 1), 1);
  EXPECT_EQ(c, 'y');
  EXPECT_FALSE(Lockable(path));
  {
    MessageRecorder messages;
    TFileLock none;
    EXPECT_FALSE(WriteDoc(path, "new", none));
    ASSERT_EQ(messages.Requests().size(), 1u);
    EXPECT_EQ(messages.Requests()[0].title, kAlreadyOpen);
    EXPECT_EQ(messages.Requests()[0].text, path);
  }
  EXPECT_EQ(ReadFile(path), "old");
  EXPECT_EQ(Entries(dir), std::vector<std::string>{"a.qlt"});
  (void)!write(done[1], "x", 1);
  waitpid(pid, nullptr, 0);
  for (int fd : {ready[0], ready[1], done[0], done[1]}) close(fd);
  EXPECT_TRUE(Lockable(path));
}

TEST(WriteDocTest, ChildStartedWhileLockedDoesNotKeepTheLock) {
  TempDir dir;
  const std::string path = dir / "a.qlt";
  WriteFile(path, "old");
  std::string bytes;
  TFileLock lock;
  ASSERT_TRUE(ReadDocText(path, true, bytes, lock));
  pid_t child;
  char sleepArg[] = "sleep", secs[] = "30";
  char* argv[] = {sleepArg, secs, nullptr};
  ASSERT_EQ(posix_spawnp(&child, "sleep", nullptr, nullptr, argv, environ), 0);
  // The Part's order: the caller closes its lock, then saves; the child must not be in the way.
  lock.Close();
  EXPECT_TRUE(WriteDoc(path, "new", lock));
  EXPECT_TRUE(lock.Held());
  EXPECT_EQ(ReadFile(path), "new");
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
}

TEST(WriteDocTest, SaveKeepsTheLockModeAndLeavesNoTemporaryFile) {
  TempDir dir;
  const std::string path = dir / "a.qlt";
  WriteFile(path, "old");
  chmod(path.c_str(), 0640);
  std::string bytes;
  TFileLock lock;
  ASSERT_TRUE(ReadDocText(path, true, bytes, lock));
  MessageRecorder messages;
  ASSERT_TRUE(WriteDoc(path, "new bytes", lock));
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_TRUE(lock.Held());
  EXPECT_EQ(ReadFile(path), "new bytes");
  EXPECT_FALSE(Lockable(path));  // locked all the time, also after the save
  struct stat st;
  stat(path.c_str(), &st);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(Entries(dir), std::vector<std::string>{"a.qlt"});
  // Saving again through the new lock works as well.
  ASSERT_TRUE(WriteDoc(path, "third", lock));
  EXPECT_EQ(ReadFile(path), "third");
  lock.Close();
  EXPECT_TRUE(Lockable(path));
}

TEST(WriteDocTest, NewFileReadOnlyFileAndMissingFolder) {
  TempDir dir;
  {
    TFileLock lock;
    ASSERT_TRUE(WriteDoc(dir / "new.qlt", "n", lock));
    EXPECT_TRUE(lock.Held());
    EXPECT_EQ(ReadFile(dir / "new.qlt"), "n");
  }
  WriteFile(dir / "ro.qlt", "ro");
  chmod((dir / "ro.qlt").c_str(), 0444);
  const struct {
    std::string path;
    const char* title;
  } cases[] = {{dir / "ro.qlt", kAlreadyOpen}, {dir / "none/x.qlt", kCannotWrite}};
  for (const auto& c : cases) {
    MessageRecorder messages;
    TFileLock lock;
    EXPECT_FALSE(WriteDoc(c.path, "zz", lock));
    EXPECT_FALSE(lock.Held());
    ASSERT_EQ(messages.Requests().size(), 1u);
    EXPECT_EQ(messages.Requests()[0].title, c.title);
    EXPECT_EQ(messages.Requests()[0].text, c.path);
  }
  EXPECT_EQ(ReadFile(dir / "ro.qlt"), "ro");
}

TEST(WriteDocTest, FailedSaveKeepsOldBytesAndLockAndLeavesNoTemporaryFile) {
  for (TWriteFault fault : {TWriteFault::Write, TWriteFault::Fsync, TWriteFault::Rename}) {
    TempDir dir;
    const std::string path = dir / "a.qlt";
    WriteFile(path, "old");
    std::string bytes;
    TFileLock lock;
    ASSERT_TRUE(ReadDocText(path, true, bytes, lock));
    MessageRecorder messages;
    SetWriteFaultForTests(fault);
    EXPECT_FALSE(WriteDoc(path, "new", lock));
    SetWriteFaultForTests(TWriteFault::None);
    ASSERT_EQ(messages.Requests().size(), 1u);
    EXPECT_EQ(messages.Requests()[0].title, kCannotWrite);
    EXPECT_EQ(ReadFile(path), "old");
    EXPECT_EQ(Entries(dir), std::vector<std::string>{"a.qlt"});
    EXPECT_TRUE(lock.Held());
    EXPECT_FALSE(Lockable(path));
    EXPECT_TRUE(WriteDoc(path, "new", lock));
    EXPECT_EQ(ReadFile(path), "new");
  }
}

TEST(WriteDocTest, FullDiskLeavesTheOldDocument) {
  TempDir dir;
  const std::string path = dir / "a.qlt";
  WriteFile(path, "old");
  // A file size limit makes the write fail part-way, as a full disk would.
  EXPECT_EQ(InChild([&] {
              signal(SIGXFSZ, SIG_IGN);
              struct rlimit limit = {4096, 4096};
              setrlimit(RLIMIT_FSIZE, &limit);
              MessageRecorder messages;
              TFileLock lock;
              const bool saved = WriteDoc(path, std::string(100000, 'x'), lock);
              return !saved && messages.Requests().size() == 1 && messages.Requests()[0].title == kCannotWrite
                         ? 0
                         : 1;
            }),
            0);
  EXPECT_EQ(ReadFile(path), "old");
  EXPECT_EQ(Entries(dir), std::vector<std::string>{"a.qlt"});
}

TEST(WriteDocTest, FolderWithoutRoomForANewFileIsWrittenInPlace) {
  TempDir dir;
  const std::string path = dir / "a.qlt";
  WriteFile(path, "old and longer");
  std::string bytes;
  TFileLock lock;
  ASSERT_TRUE(ReadDocText(path, true, bytes, lock));
  SetWriteFaultForTests(TWriteFault::NoNewFile);
  const bool saved = WriteDoc(path, "new", lock);
  SetWriteFaultForTests(TWriteFault::None);
  EXPECT_TRUE(saved);
  EXPECT_EQ(ReadFile(path), "new");
  EXPECT_TRUE(lock.Held());
  EXPECT_FALSE(Lockable(path));
  EXPECT_EQ(Entries(dir), std::vector<std::string>{"a.qlt"});
  if (geteuid() != 0) {  // a real read-only folder (root may create files in it anyway)
    chmod(dir.Path().c_str(), 0555);
    EXPECT_TRUE(WriteDoc(path, "again", lock));
    chmod(dir.Path().c_str(), 0755);
    EXPECT_EQ(ReadFile(path), "again");
  }
}

TEST(WriteDocTest, DocumentReachedThroughALinkIsSavedToItsTarget) {
  TempDir dir;
  std::filesystem::create_directory(dir / "real");
  WriteFile(dir / "real/doc.qlt", "old");
  symlink("real/doc.qlt", (dir / "link.qlt").c_str());
  std::string bytes;
  TFileLock lock;
  ASSERT_TRUE(ReadDocText(dir / "link.qlt", true, bytes, lock));
  ASSERT_TRUE(WriteDoc(dir / "link.qlt", "new", lock));
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "link.qlt"));
  EXPECT_EQ(ReadFile(dir / "real/doc.qlt"), "new");
  EXPECT_FALSE(Lockable(dir / "real/doc.qlt"));
}

TEST(WholeFileTest, PlainReadAndWriteRespectTheDocumentLock) {
  TempDir dir;
  const std::string path = dir / "t.txt";
  ASSERT_TRUE(WriteFileWhole(path, "abc", true));
  std::string bytes;
  ASSERT_TRUE(ReadFileWhole(path, true, bytes));
  EXPECT_EQ(bytes, "abc");
  ASSERT_TRUE(WriteFileWhole(path, "x", true));  // truncates
  ASSERT_TRUE(ReadFileWhole(path, true, bytes));
  EXPECT_EQ(bytes, "x");

  TFileLock lock;
  ASSERT_TRUE(ReadDocText(path, false, bytes, lock));
  MessageRecorder messages;
  EXPECT_FALSE(WriteFileWhole(path, "y", false));
  EXPECT_TRUE(messages.Requests().empty());
  EXPECT_FALSE(WriteFileWhole(path, "y", true));
  EXPECT_TRUE(ReadFileWhole(path, true, bytes));  // reading is shared
  EXPECT_FALSE(ReadFileWhole(dir / "missing", true, bytes));
  ASSERT_EQ(messages.Requests().size(), 2u);
  EXPECT_EQ(messages.Requests()[0].title, kCannotWrite);
  EXPECT_EQ(messages.Requests()[1].title, "Невозможно считать файл");
  EXPECT_EQ(messages.Requests()[1].text, dir / "missing");
  EXPECT_EQ(ReadFile(path), "x");
}

}  // namespace
}  // namespace ql
