// stampel run on temporary folders: stamps, stripping, sequence numbers, the "into" case, folders.
#include <sys/stat.h>
#include <unistd.h>

#include "tools/tool_run.h"

namespace qltest {
namespace {

class StampelTest : public ToolTest {};

// Whether `name` is prefix + "hh-mm-ss" + suffix.
bool IsTimeStamped(const std::string& name, const std::string& prefix, const std::string& suffix) {
  const std::string shape = "00-00-00";
  if (name.size() != prefix.size() + shape.size() + suffix.size()) return false;
  if (name.compare(0, prefix.size(), prefix) != 0) return false;
  if (name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0) return false;
  for (size_t i = 0; i < shape.size(); ++i) {
    char c = name[prefix.size() + i];
    if (shape[i] == '0' ? !(c >= '0' && c <= '9') : c != '-') return false;
  }
  return true;
}

TEST_F(StampelTest, RenamesWithTodaysStampAfterStrippingAnOldOne) {
  Make(P("report.txt"), "r");
  EXPECT_EQ(Run("stampel", {P("report.txt")}), 0);
  EXPECT_EQ(Names(dir_.Path()), std::vector<std::string>{"report " + Today() + ".txt"});

  // A file stamped on another day is renamed to today's stamp, not stamped twice.
  Make(P("old 2020-01-02.txt"), "o");
  EXPECT_EQ(Run("stampel", {P("old 2020-01-02.txt")}), 0);
  EXPECT_TRUE(Exists(P("old " + Today() + ".txt")));
  EXPECT_FALSE(Exists(P("old 2020-01-02.txt")));
}

TEST_F(StampelTest, CopiesBesideTheSourceWithDateAndTime) {
  Make(P("report.txt"), "body");
  EXPECT_EQ(Run("stampel", {P("report.txt"), "/c", "/t"}), 0);
  std::vector<std::string> names = Names(dir_.Path());
  ASSERT_EQ(names.size(), 2u);
  EXPECT_TRUE(IsTimeStamped(names[0], "report " + Today() + " ", ".txt")) << names[0];
  EXPECT_EQ(names[1], "report.txt");
  EXPECT_EQ(ReadFile(P(names[0])), "body");
}

TEST_F(StampelTest, StripsStampsWithD) {
  struct Case {
    const char* name;
    const char* stripped;  // null: nothing to strip, the name stays and the run fails
  } cases[] = {
      {"report 2024-03-07 14-05-09.txt", "report.txt"},
      {"x 2024-03-07 3.txt", "x.txt"},       // a sequence number after a stamp goes with it
      {"a  2024-3-7.txt", "a.txt"},          // runs of any length, several spaces
      {"v1-2-3.txt", "v.txt"},               // three hyphen-joined runs are a stamp
      {"trail .txt", "trail.txt"},           // trailing spaces alone are cut too
      {"x 5.txt", nullptr},                  // a sequence number without a stamp stays
      {"2024-03-07.txt", nullptr},           // a name made of stamps only stays
      {"ver1.txt", nullptr},
      {"a 1-2.txt", nullptr},                // two runs are no stamp
  };
  for (const Case& c : cases) {
    TempDir d;
    Make(d / c.name, "s");
    int code = Run("stampel", {d / c.name, "/d"});
    if (c.stripped) {
      EXPECT_EQ(code, 0) << c.name;
      EXPECT_EQ(Names(d.Path()), std::vector<std::string>{c.stripped}) << c.name;
    } else {
      EXPECT_EQ(code, 1) << c.name;
      EXPECT_EQ(Names(d.Path()), std::vector<std::string>{c.name}) << c.name;
    }
  }
}

TEST_F(StampelTest, OnlyNAddsTheFirstFreeNumberAndKeepsStamps) {
  Make(P("report.txt"), "1");
  EXPECT_EQ(Run("stampel", {P("report.txt"), "/onlyN"}), 0);
  EXPECT_EQ(Names(dir_.Path()), std::vector<std::string>{"report 1.txt"});

  Make(P("report.txt"), "2");
  Make(P("report 2.txt"), "taken");
  EXPECT_EQ(Run("stampel", {P("report.txt"), "-onlyN", "-c"}), 0);
  EXPECT_EQ(ReadFile(P("report 3.txt")), "2");

  Make(P("s 2020-01-01.txt"));
  EXPECT_EQ(Run("stampel", {P("s 2020-01-01.txt"), "/onlyN"}), 0);
  EXPECT_TRUE(Exists(P("s 2020-01-01 1.txt")));
}

TEST_F(StampelTest, CopiesIntoAFolderOrToANewName) {
  Make(P("report 2020-05-05.txt"), "r");
  MakeFolder(P("Archive"));
  const std::string stamped = "report " + Today() + ".txt";
  EXPECT_EQ(Run("stampel", {P("report 2020-05-05.txt"), P("Archive/")}), 0);
  EXPECT_EQ(ReadFile(P("Archive/" + stamped)), "r");
  EXPECT_TRUE(Exists(P("report 2020-05-05.txt")));  // copied, not moved

  // An existing folder written without the slash is the into case too; /m moves.
  MakeFolder(P("Other"));
  EXPECT_EQ(Run("stampel", {P("report 2020-05-05.txt"), P("Other"), "/m"}), 0);
  EXPECT_TRUE(Exists(P("Other/" + stamped)));
  EXPECT_FALSE(Exists(P("report 2020-05-05.txt")));

  // A new name takes the destination's base and extension; its stamps are not stripped.
  EXPECT_EQ(Run("stampel", {P("Archive/" + stamped), P("Archive/new 2001-01-01.md")}), 0);
  EXPECT_EQ(ReadFile(P("Archive/new 2001-01-01 " + Today() + ".md")), "r");

  // A destination written as a folder must be one.
  EXPECT_EQ(Run("stampel", {P("Other/" + stamped), P("Missing/")}), 1);
  EXPECT_EQ(Run("stampel", {P("Other/" + stamped), P("Archive/" + stamped + "/")}), 1);
}

TEST_F(StampelTest, StampsAFolderBeforeItsLastDot) {
  Make(P("Work/ver1.5/a.txt"), "a");
  Make(P("Work/ver1.5/sub/b.txt"), "b");
  Make(P("Work/ver1.5/.keep"), "k");
  MakeFolder(P("Work/ver1.5/empty"));
  MakeFolder(P("Backup"));
  EXPECT_EQ(Run("stampel", {P("Work/ver1.5"), P("Backup/")}), 0);
  const std::string copy = P("Backup/ver1 " + Today() + ".5");
  EXPECT_EQ(ReadFile(copy + "/a.txt"), "a");
  EXPECT_EQ(ReadFile(copy + "/sub/b.txt"), "b");
  EXPECT_TRUE(IsFolder(copy + "/empty"));
  EXPECT_FALSE(Exists(copy + "/.keep"));  // names beginning with a dot are skipped
  EXPECT_TRUE(Exists(P("Work/ver1.5/a.txt")));

  // Without /n the old copy of today is replaced as a whole; deleting it never follows a link.
  Make(copy + "/stale.txt");
  Make(P("outside/o.txt"), "o");
  ASSERT_EQ(symlink(P("outside").c_str(), (copy + "/sub/out").c_str()), 0);
  EXPECT_EQ(Run("stampel", {P("Work/ver1.5"), P("Backup/")}), 0);
  EXPECT_FALSE(Exists(copy + "/stale.txt"));
  EXPECT_FALSE(Exists(copy + "/sub/out"));
  EXPECT_EQ(ReadFile(P("outside/o.txt")), "o");
  EXPECT_TRUE(Exists(copy + "/sub/b.txt"));

  // With /n a second copy gets a number.
  EXPECT_EQ(Run("stampel", {P("Work/ver1.5"), P("Backup/"), "/n"}), 0);
  EXPECT_TRUE(Exists(P("Backup/ver1 " + Today() + " 1.5/a.txt")));

  // Without a destination the folder is renamed.
  EXPECT_EQ(Run("stampel", {P("Work/ver1.5/")}), 0);
  EXPECT_EQ(Names(P("Work")), std::vector<std::string>{"ver1 " + Today() + ".5"});
}

TEST_F(StampelTest, NeverDestroysTheSourceFolder) {
  const std::string stamped = "dir " + Today();
  Make(P(stamped + "/keep.txt"), "k");
  // Re-stamping today's folder names the folder itself as the target.
  EXPECT_EQ(Run("stampel", {P(stamped)}), 1);
  EXPECT_EQ(Run("stampel", {P(stamped), "/d"}), 0);  // "dir" is free
  EXPECT_EQ(Run("stampel", {P("dir"), "/d"}), 1);
  EXPECT_EQ(ReadFile(P("dir/keep.txt")), "k");
  // A copy into the folder itself would never end.
  EXPECT_EQ(Run("stampel", {P("dir"), P("dir/")}), 1);
  EXPECT_EQ(Names(P("dir")), std::vector<std::string>{"keep.txt"});
  // The old target holds the source: deleting it first would delete the source.
  const std::string holder = "b/q " + Today();
  Make(P(holder + "/q/keep.txt"), "k2");
  EXPECT_EQ(Run("stampel", {P(holder + "/q"), P("b/")}), 1);
  EXPECT_EQ(Run("stampel", {P(holder + "/q"), P("b/"), "/m"}), 1);
  EXPECT_EQ(ReadFile(P(holder + "/q/keep.txt")), "k2");
  EXPECT_EQ(Names(P("b")), std::vector<std::string>{"q " + Today()});
}

TEST_F(StampelTest, NFailsWhenEveryNumberIsTaken) {
  const std::string day = Today();
  Make(P("x.txt"));
  Make(P("x " + day + ".txt"));
  for (int n = 1; n <= 999; ++n) Make(P("x " + day + " " + std::to_string(n) + ".txt"));
  EXPECT_EQ(Run("stampel", {P("x.txt"), "/n"}), 1);
  EXPECT_TRUE(Exists(P("x.txt")));
  EXPECT_EQ(Names(dir_.Path()).size(), 1001u);
}

TEST_F(StampelTest, MoveNeverReplacesButCopyOverwritesAReadOnlyTarget) {
  const std::string stamped = P("report " + Today() + ".txt");
  Make(P("report.txt"), "first");
  EXPECT_EQ(Run("stampel", {P("report.txt")}), 0);
  Make(P("report.txt"), "second");
  EXPECT_EQ(Run("stampel", {P("report.txt")}), 1);  // the first result stays
  EXPECT_EQ(ReadFile(stamped), "first");
  EXPECT_EQ(ReadFile(P("report.txt")), "second");

  chmod(stamped.c_str(), 0444);
  EXPECT_EQ(Run("stampel", {P("report.txt"), "/c"}), 0);
  EXPECT_EQ(ReadFile(stamped), "second");
  EXPECT_EQ(Run("stampel", {P("report.txt"), "/c", "/n"}), 0);  // O_EXCL copy to a new number
  EXPECT_EQ(ReadFile(P("report " + Today() + " 1.txt")), "second");
}

TEST_F(StampelTest, MovingAFolderTwiceOnOneDayKeepsTheFirstResult) {
  const std::string stamped = P("notes " + Today());
  mkdir(P("notes").c_str(), 0755);
  Make(P("notes/a.txt"), "first");
  EXPECT_EQ(Run("stampel", {P("notes")}), 0);
  mkdir(P("notes").c_str(), 0755);
  Make(P("notes/a.txt"), "second");
  EXPECT_EQ(Run("stampel", {P("notes")}), 1);
  EXPECT_EQ(ReadFile(stamped + "/a.txt"), "first");
  EXPECT_EQ(ReadFile(P("notes/a.txt")), "second");
  // A copy refreshes the earlier copy.
  EXPECT_EQ(Run("stampel", {P("notes"), "/c"}), 0);
  EXPECT_EQ(ReadFile(stamped + "/a.txt"), "second");
}

TEST_F(StampelTest, CommandLineRules) {
  Make(P("report.txt"), "r");
  const std::vector<std::vector<std::string>> refused = {
      {},
      {"/c"},
      {P("report.txt"), "/d", "/t"},
      {P("report.txt"), "/t", "/onlyN"},
      {P("report.txt"), "/c", "-m"},
      {P("report.txt"), "-x"},
      {P("report.txt"), "-C"},  // option words keep their case
      {P("report.txt"), "-"},
      {P("missing.txt")},
      {""},
  };
  for (const auto& args : refused) {
    EXPECT_EQ(Run("stampel", args), 1) << ::testing::PrintToString(args);
  }
  EXPECT_EQ(Names(dir_.Path()), std::vector<std::string>{"report.txt"});

  // Options mix with positional arguments; of several destinations the last one wins.
  EXPECT_EQ(Run("stampel", {"-c", P("report.txt"), P("nowhere/x.txt"), P("b.txt")}), 0);
  EXPECT_EQ(ReadFile(P("b " + Today() + ".txt")), "r");
  // A relative source is taken from the working folder.
  EXPECT_EQ(Run("stampel", {"report.txt", "/onlyN"}, dir_.Path()), 0);
  EXPECT_TRUE(Exists(P("report 1.txt")));
}

TEST_F(StampelTest, HandlesALinkAsTheEntryItself) {
  Make(P("outside/data.txt"), "d");
  ASSERT_EQ(symlink(P("outside").c_str(), P("link").c_str()), 0);
  EXPECT_EQ(Run("stampel", {P("link"), "/c"}), 0);
  const std::string copy = P("link " + Today());
  EXPECT_TRUE(IsLink(copy));
  EXPECT_EQ(Run("stampel", {copy, P("moved"), "/m"}), 0);
  EXPECT_TRUE(IsLink(P("moved " + Today())));
  EXPECT_EQ(ReadFile(P("outside/data.txt")), "d");
}

TEST_F(StampelTest, LongPaths) {
  std::string folder = dir_.Path();
  for (int i = 0; i < 4; ++i) folder += "/" + std::string(120, 'a' + i);
  Make(folder + "/file.txt", "deep");
  EXPECT_GT(folder.size(), 480u);
  EXPECT_EQ(Run("stampel", {folder + "/file.txt", folder + "/"}), 0);
  EXPECT_EQ(ReadFile(folder + "/file " + Today() + ".txt"), "deep");
}

}  // namespace
}  // namespace qltest
