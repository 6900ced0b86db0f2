#include "platform/folders.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "platform/doc_file.h"
#include "platform/file_type.h"
#include "support/test_support.h"

namespace ql {
namespace {

// ReadDoc with the bytes as a string, for comparisons.
inline bool ReadDocText(const std::string& path, bool showMessages, std::string& text, TFileLock& lock) {
  std::vector<uint8_t> bytes;
  if (!ReadDoc(path, showMessages, bytes, lock)) return false;
  text.assign(bytes.begin(), bytes.end());
  return true;
}


namespace fs = std::filesystem;
using qltest::Exists;
using qltest::ReadFile;
using qltest::TempDir;
using qltest::WriteFile;

// A small attachment tree: files, a read-only file, a hidden file, a sub-folder, a link, a FIFO.
void MakeTree(const std::string& root, bool withFifo) {
  fs::create_directories(root + "/sub/deeper");
  WriteFile(root + "/a.txt", "A");
  WriteFile(root + "/ro.txt", "RO");
  chmod((root + "/ro.txt").c_str(), 0444);
  WriteFile(root + "/.keep", "K");
  WriteFile(root + "/sub/b.txt", "B");
  WriteFile(root + "/sub/deeper/c.txt", "C");
  symlink("/etc/hostname", (root + "/link").c_str());
  if (withFifo) mkfifo((root + "/fifo").c_str(), 0644);
}

TEST(ClearFolderTest, KeepsHiddenSpecialAndLockedFiles) {
  TempDir dir;
  const std::string root = dir / "f";
  MakeTree(root, true);
  WriteFile(root + "/held.txt", "H");
  std::string bytes;
  TFileLock lock;
  ASSERT_TRUE(ReadDocText(root + "/held.txt", false, bytes, lock));
  ClearFolder(root + "/", true, false);
  EXPECT_TRUE(Exists(root + "/.keep"));
  EXPECT_TRUE(Exists(root + "/fifo"));
  EXPECT_TRUE(Exists(root + "/held.txt"));
  EXPECT_TRUE(Exists(root + "/sub/b.txt"));  // not recursive: sub-folders stay
  EXPECT_FALSE(Exists(root + "/a.txt"));
  EXPECT_FALSE(Exists(root + "/ro.txt"));
  EXPECT_FALSE(Exists(root + "/link"));
  EXPECT_TRUE(Exists("/etc/hostname"));  // the link went, never its target

  lock.Close();
  ClearFolder(root + "/", true, true);
  EXPECT_FALSE(Exists(root + "/sub"));
  EXPECT_FALSE(Exists(root + "/held.txt"));
  EXPECT_TRUE(Exists(root + "/.keep"));  // so the folder itself stays
  fs::remove(root + "/.keep");
  fs::remove(root + "/fifo");
  ClearFolder(root + "/", true, true);
  EXPECT_FALSE(Exists(root));
}

TEST(CopyFolderTest, CopiesTheTreeLinksAsLinksAndStopsAtASystemFile) {
  TempDir dir;
  MakeTree(dir / "from", false);
  ASSERT_TRUE(CopyFolder(dir / "from/", dir / "to/"));
  EXPECT_EQ(ReadFile(dir / "to/a.txt"), "A");
  EXPECT_EQ(ReadFile(dir / "to/sub/deeper/c.txt"), "C");
  EXPECT_FALSE(Exists(dir / "to/.keep"));
  EXPECT_TRUE(fs::is_symlink(dir / "to/link"));
  EXPECT_EQ(fs::read_symlink(dir / "to/link"), "/etc/hostname");
  struct stat st;
  stat((dir / "to/ro.txt").c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0444u);

  EXPECT_FALSE(CopyFolder(dir / "from/", dir / "to/"));  // the target folder exists already
  EXPECT_FALSE(CopyFolder(dir / "none/", dir / "x/"));
  EXPECT_FALSE(Exists(dir / "x"));

  // Names in byte order: "b" is a FIFO, so "a" is copied and "c" is not.
  fs::create_directory(dir / "sys");
  WriteFile(dir / "sys/a", "a");
  mkfifo((dir / "sys/b").c_str(), 0644);
  WriteFile(dir / "sys/c", "c");
  EXPECT_FALSE(CopyFolder(dir / "sys/", dir / "sys2/"));
  EXPECT_TRUE(Exists(dir / "sys2/a"));
  EXPECT_FALSE(Exists(dir / "sys2/b"));
  EXPECT_FALSE(Exists(dir / "sys2/c"));
}

TEST(MoveFolderTest, RenamesButNeverReplacesAnExistingTarget) {
  TempDir dir;
  MakeTree(dir / "from", false);
  ASSERT_TRUE(MoveFolder(dir / "from/", dir / "to/"));
  EXPECT_FALSE(Exists(dir / "from"));
  EXPECT_EQ(ReadFile(dir / "to/sub/b.txt"), "B");

  MakeTree(dir / "other", false);
  fs::create_directory(dir / "empty");
  EXPECT_FALSE(MoveFolder(dir / "other/", dir / "empty/"));
  EXPECT_TRUE(Exists(dir / "other/a.txt"));
  EXPECT_TRUE(fs::is_empty(dir / "empty"));
}

TEST(SamePathTest, EqualBytesOrSameFile) {
  TempDir dir;
  fs::create_directory(dir / "A");
  symlink("A", (dir / "L").c_str());
  EXPECT_TRUE(SamePath(dir / "A/", dir / "A"));
  EXPECT_TRUE(SamePath(dir / "L/", dir / "A/"));
  EXPECT_TRUE(SamePath(dir / "missing", dir / "missing/"));
  EXPECT_FALSE(SamePath(dir / "A", dir / "a"));  // case matters on an ordinary mount
  EXPECT_FALSE(SamePath(dir / "missing1", dir / "missing2"));
}

TEST(ProgramFolderTest, QlHomeOrTheExecutablesFolder) {
  const char* saved = getenv("QL_HOME");
  const std::string keep = saved ? saved : "";
  setenv("QL_HOME", "/some/where", 1);
  EXPECT_EQ(ProgramFolder(), "/some/where/");
  unsetenv("QL_HOME");
  const std::string folder = ProgramFolder();
  EXPECT_EQ(folder.back(), '/');
  EXPECT_TRUE(Exists(folder + "test_platform"));
  if (saved) setenv("QL_HOME", keep.c_str(), 1);
}

TEST(RegisterFileTypeTest, WritesMimeTypeAndDesktopEntry) {
  TempDir dir;
  const char* saved = getenv("XDG_DATA_HOME");
  const std::string keep = saved ? saved : "";
  setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
  RegisterFileType("qlt", "/opt/my ql/QL");
  if (saved) setenv("XDG_DATA_HOME", keep.c_str(), 1);
  const std::string mime = ReadFile(dir / "data/mime/packages/ql-qlt.xml");
  EXPECT_NE(mime.find("<glob pattern=\"*.qlt\"/>"), std::string::npos);
  EXPECT_NE(mime.find("type=\"application/x-ql-qlt\""), std::string::npos);
  const std::string desktop = ReadFile(dir / "data/applications/ql-qlt.desktop");
  EXPECT_NE(desktop.find("Exec=\"/opt/my ql/QL\" %f\n"), std::string::npos);
  EXPECT_NE(desktop.find("MimeType=application/x-ql-qlt;\n"), std::string::npos);
  EXPECT_EQ(DesktopExecLine("/a/b$c\\d%e"), "\"/a/b\\\\$c\\\\\\\\d%%e\" %f");

  // Failures are silent: an unwritable data folder is no error.
  setenv("XDG_DATA_HOME", "/proc/nonexistent", 1);
  RegisterFileType("qlt", "/x/QL");
  if (saved) setenv("XDG_DATA_HOME", keep.c_str(), 1); else unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace ql
