// twinner and relocer run on temporary folder trees.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "tools/tool_run.h"

namespace qltest {
namespace {

class TwinnerTest : public ToolTest {};

TEST_F(TwinnerTest, CopiesMatchingFilesAndOnlyTheirFolders) {
  Make(P("src/a.HTML"), "a");
  Make(P("src/b.css"), "b");
  Make(P("src/c.txt"), "c");
  Make(P("src/sub/d.htm"), "d");
  Make(P("src/sub/deeper/e.CSS"), "e");
  Make(P("src/other/f.txt"), "f");
  MakeFolder(P("src/empty"));
  Make(P("src/.config"), "hidden");
  Make(P("src/.hidden/g.css"), "g");
  EXPECT_EQ(Run("twinner", {P("src"), P("dst"), "htm*,css"}), 0);
  EXPECT_EQ(Names(P("dst")), (std::vector<std::string>{"a.HTML", "b.css", "sub"}));
  EXPECT_EQ(ReadFile(P("dst/a.HTML")), "a");
  EXPECT_EQ(ReadFile(P("dst/sub/d.htm")), "d");
  EXPECT_EQ(ReadFile(P("dst/sub/deeper/e.CSS")), "e");
  EXPECT_TRUE(Exists(P("src/a.HTML")));  // copied, not moved

  // /noS stays in the top folder.
  EXPECT_EQ(Run("twinner", {"/noS", P("src"), P("flat/"), "*"}), 0);
  EXPECT_EQ(Names(P("flat")), (std::vector<std::string>{"a.HTML", "b.css", "c.txt"}));
}

TEST_F(TwinnerTest, OverwritesReadOnlyTargetsButNeverSpecialFiles) {
  Make(P("src/a.txt"), "new");
  Make(P("src/b.txt"), "new b");
  Make(P("dst/a.txt"), "old");
  chmod(P("dst/a.txt").c_str(), 0444);
  ASSERT_EQ(mkfifo(P("dst/b.txt").c_str(), 0644), 0);
  // A link in the target's place is replaced, never written through.
  Make(P("src/a2.txt"), "new a2");
  Make(P("outside/secret.txt"), "secret");
  ASSERT_EQ(symlink(P("outside/secret.txt").c_str(), P("dst/a2.txt").c_str()), 0);
  EXPECT_EQ(Run("twinner", {P("src"), P("dst"), "txt"}), 1);
  EXPECT_EQ(ReadFile(P("dst/a.txt")), "new");
  EXPECT_FALSE(IsLink(P("dst/a2.txt")));
  EXPECT_EQ(ReadFile(P("dst/a2.txt")), "new a2");
  EXPECT_EQ(ReadFile(P("outside/secret.txt")), "secret");
  struct stat st;
  ASSERT_EQ(lstat(P("dst/b.txt").c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

TEST_F(TwinnerTest, ArgumentsAndRoots) {
  Make(P("src/a.txt"));
  Make(P("file"));
  const std::vector<std::vector<std::string>> refused = {
      {P("src"), P("dst")},
      {P("src"), P("dst"), "/noS"},          // three arguments, no filter
      {P("src"), P("dst"), "txt", "-nos"},   // unknown option
      {P("missing"), P("dst"), "txt"},
      {P("file"), P("dst"), "txt"},
      {P("src"), P("file"), "txt"},
      {P("src"), P("no/such/dst"), "txt"},   // only the last component is made
      {P("src"), P("dst"), std::string(1000, 't')},
  };
  for (const auto& args : refused) {
    EXPECT_EQ(Run("twinner", args), 1) << ::testing::PrintToString(args);
    EXPECT_EQ(Run("relocer", args), 1) << ::testing::PrintToString(args);
  }
  EXPECT_FALSE(Exists(P("dst")));
  EXPECT_FALSE(Exists(P("no")));
  EXPECT_TRUE(Exists(P("src/a.txt")));

  // A 999-character filter is accepted; of several filters the last one wins.
  EXPECT_EQ(Run("twinner", {P("src"), P("dst"), std::string(999, 't')}), 0);
  EXPECT_TRUE(Names(P("dst")).empty());
  EXPECT_EQ(Run("twinner", {P("src"), P("dst"), "doc", "txt"}), 0);
  EXPECT_TRUE(Exists(P("dst/a.txt")));
  // Relative paths are taken from the working folder.
  EXPECT_EQ(Run("relocer", {"src", "moved", "TXT"}, dir_.Path()), 0);
  EXPECT_TRUE(Exists(P("moved/a.txt")));
  EXPECT_FALSE(Exists(P("src/a.txt")));
}

TEST_F(TwinnerTest, RelocerStopsTheFolderAtAnExistingTarget) {
  Make(P("src/a.txt"), "a");
  Make(P("src/b.txt"), "b");
  Make(P("src/c.txt"), "c");
  Make(P("src/d/e.txt"), "e");
  Make(P("src/z/f.txt"), "f");
  Make(P("dst/b.txt"), "kept");
  EXPECT_EQ(Run("relocer", {P("src"), P("dst"), "txt"}), 1);
  EXPECT_EQ(ReadFile(P("dst/a.txt")), "a");
  EXPECT_FALSE(Exists(P("src/a.txt")));
  EXPECT_EQ(ReadFile(P("dst/b.txt")), "kept");
  EXPECT_EQ(ReadFile(P("src/b.txt")), "b");
  // Everything after the failure in that folder stays where it was.
  EXPECT_TRUE(Exists(P("src/c.txt")));
  EXPECT_TRUE(Exists(P("src/d/e.txt")));
  EXPECT_TRUE(Exists(P("src/z/f.txt")));
  EXPECT_EQ(Names(P("dst")), (std::vector<std::string>{"a.txt", "b.txt"}));
}

TEST_F(TwinnerTest, AFileInTheWayOfADestinationFolderFailsThatFolder) {
  Make(P("src/a/x.txt"), "x");
  Make(P("src/a/y.txt"), "y");
  Make(P("src/b/z.txt"), "z");
  Make(P("dst/a"), "a file");
  EXPECT_EQ(Run("relocer", {P("src"), P("dst"), "txt"}), 1);
  EXPECT_EQ(ReadFile(P("dst/a")), "a file");
  EXPECT_TRUE(Exists(P("src/a/x.txt")));
  EXPECT_TRUE(Exists(P("src/a/y.txt")));
  // The failure of "a" ends the walk of its parent before "b".
  EXPECT_TRUE(Exists(P("src/b/z.txt")));
}

TEST_F(TwinnerTest, LinksAreMovedOrCopiedAsLinksNeverFollowed) {
  Make(P("outside/keep.txt"), "k");
  Make(P("src/sub/a.txt"), "a");
  ASSERT_EQ(symlink(P("outside").c_str(), P("src/sub/out").c_str()), 0);
  ASSERT_EQ(symlink(P("outside").c_str(), P("src/out2").c_str()), 0);
  EXPECT_EQ(Run("twinner", {P("src"), P("copy"), "*"}), 0);
  EXPECT_TRUE(IsLink(P("copy/sub/out")));
  EXPECT_TRUE(IsLink(P("copy/out2")));
  EXPECT_EQ(Run("relocer", {P("src"), P("dst"), "*"}), 0);
  EXPECT_TRUE(IsLink(P("dst/sub/out")));
  EXPECT_TRUE(IsLink(P("dst/out2")));
  EXPECT_EQ(ReadFile(P("dst/sub/a.txt")), "a");
  EXPECT_EQ(Names(P("outside")), std::vector<std::string>{"keep.txt"});
  EXPECT_EQ(ReadFile(P("outside/keep.txt")), "k");

  // A link in the destination where a folder is needed is in the way, not followed.
  Make(P("src2/sub/b.txt"), "b");
  MakeFolder(P("dst2"));
  ASSERT_EQ(symlink(P("outside").c_str(), P("dst2/sub").c_str()), 0);
  EXPECT_EQ(Run("twinner", {P("src2"), P("dst2"), "txt"}), 1);
  EXPECT_EQ(Names(P("outside")), std::vector<std::string>{"keep.txt"});
}

TEST_F(TwinnerTest, SameSourceAndDestinationLosesNothing) {
  Make(P("src/a.txt"), "a");
  EXPECT_EQ(Run("twinner", {P("src"), P("src"), "txt"}), 1);
  EXPECT_EQ(Run("relocer", {P("src"), P("src/"), "txt"}), 1);
  EXPECT_EQ(ReadFile(P("src/a.txt")), "a");
}

TEST_F(TwinnerTest, LongPaths) {
  std::string rel;
  for (int i = 0; i < 5; ++i) rel += "/" + std::string(100, 'a' + i);
  Make(P("src" + rel + "/file.txt"), "deep");
  EXPECT_EQ(Run("twinner", {P("src"), P("dst"), "txt"}), 0);
  EXPECT_EQ(ReadFile(P("dst" + rel + "/file.txt")), "deep");
  EXPECT_EQ(Run("relocer", {P("dst"), P("moved"), "txt"}), 0);
  EXPECT_EQ(ReadFile(P("moved" + rel + "/file.txt")), "deep");
  EXPECT_FALSE(Exists(P("dst" + rel + "/file.txt")));
}

// Moves between file systems copy and delete; runs only where /dev/shm is another file system.
TEST_F(TwinnerTest, MovesAcrossFileSystems) {
  struct stat here, shm;
  if (stat(dir_.Path().c_str(), &here) != 0 || stat("/dev/shm", &shm) != 0 ||
      here.st_dev == shm.st_dev || access("/dev/shm", W_OK) != 0) {
    GTEST_SKIP() << "no second file system";
  }
  char pattern[] = "/dev/shm/qltools.XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string other = pattern;
  Make(P("src/a.txt"), "a");
  Make(P("src/sub/b.txt"), "b");
  Make(P("folder.v/c.txt"), "c");
  EXPECT_EQ(Run("relocer", {P("src"), other + "/moved", "txt"}), 0);
  EXPECT_EQ(ReadFile(other + "/moved/sub/b.txt"), "b");
  EXPECT_FALSE(Exists(P("src/sub/b.txt")));
  EXPECT_EQ(Run("stampel", {P("folder.v"), other + "/", "/m"}), 0);
  EXPECT_EQ(ReadFile(other + "/folder " + Today() + ".v/c.txt"), "c");
  EXPECT_FALSE(Exists(P("folder.v")));
  std::filesystem::remove_all(other);
}

}  // namespace
}  // namespace qltest
