#include "storage/doc_folders.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "support/test_support.h"

namespace ql {
namespace {

namespace fs = std::filesystem;
using qltest::Exists;
using qltest::ReadFile;
using qltest::TempDir;
using qltest::WriteFile;

TEST(AttachFolderTest, LastCharacterBecomesF) {
  EXPECT_EQ(AttachFolder("/notes/Plan.qlt"), "/notes/Plan.qlf/");
  EXPECT_EQ(AttachFolderName("/notes/Plan.qlt"), "/notes/Plan.qlf");
  EXPECT_EQ(AttachFolder("/notes/x"), "/notes/f/");
  EXPECT_EQ(AttachFolder(""), "");
}

TEST(TempFolderTest, InsideTheProgramFolder) {
  const char* saved = getenv("QL_HOME");
  const std::string keep = saved ? saved : "";
  setenv("QL_HOME", "/p", 1);
  EXPECT_EQ(TempFolder(), "/p/Temp/");
  if (saved) setenv("QL_HOME", keep.c_str(), 1); else unsetenv("QL_HOME");
}

TEST(CarryAttachmentsTest, CopyMoveAndTheirGuards) {
  TempDir dir;
  const std::string a = AttachFolder(dir / "a.qlt");
  const std::string b = AttachFolder(dir / "b.qlt");
  fs::create_directories(a + "sub");
  WriteFile(a + "x.txt", "X");
  WriteFile(a + "sub/y.txt", "Y");

  ASSERT_TRUE(CarryAttachments(a, b, true));
  EXPECT_EQ(ReadFile(b + "sub/y.txt"), "Y");
  EXPECT_TRUE(Exists(a + "x.txt"));

  // An existing target folder is replaced by the carried one.
  WriteFile(b + "stale.txt", "S");
  ASSERT_TRUE(CarryAttachments(a, b, false));
  EXPECT_FALSE(Exists(a));
  EXPECT_FALSE(Exists(b + "stale.txt"));
  EXPECT_EQ(ReadFile(b + "x.txt"), "X");

  // The same folder under two spellings (here: through a link) is never carried onto itself.
  symlink("b.qlf", (dir / "B.qlf").c_str());
  EXPECT_FALSE(CarryAttachments(b, AttachFolder(dir / "B.qlt"), false));
  EXPECT_FALSE(CarryAttachments(b, b, true));
  EXPECT_EQ(ReadFile(b + "x.txt"), "X");

  // Nothing to carry: an existing target is deleted and the carry succeeds.
  EXPECT_TRUE(CarryAttachments(AttachFolder(dir / "none.qlt"), b, true));
  EXPECT_FALSE(Exists(b));
}

}  // namespace
}  // namespace ql
