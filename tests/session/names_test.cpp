#include <gtest/gtest.h>

#include "session/doc_names.h"
#include "session/file_windows.h"
#include "session/recent_list.h"
#include "support/test_support.h"

namespace {

using ql::TDocNames;

TDocNames Names(const std::string& dir, const std::string& name) {
  TDocNames n;
  n.ProgDir = "/opt/ql/";
  n.DocDir = dir;
  n.DocName = name;
  n.Update();
  return n;
}

TEST(DocNames, DerivedFields) {
  struct Case {
    std::string dir, name, path, shown;
    bool rel;
    std::string dirValue, fileValue, recent, caption, attach;
  } cases[] = {
      {"", "Plan", "/opt/ql/Plan.qlt", "", false, "", "Plan", "|Plan", "Plan", "/opt/ql/Plan.qlf/"},
      {"/opt/ql/Notes", "Plan", "/opt/ql/Notes/Plan.qlt", "Notes", true, ":Notes", "Plan", ":Notes|Plan",
       "Plan [Notes]", "/opt/ql/Notes/Plan.qlf/"},
      {"/home/u/docs", "Итоги", "/home/u/docs/Итоги.qlt", "/home/u/docs", false, "/home/u/docs", "Итоги",
       "/home/u/docs|Итоги", "Итоги [/home/u/docs]", "/home/u/docs/Итоги.qlf/"},
      // Byte-exact prefix: a sibling folder that merely starts like the program folder.
      {"/opt/qlx", "A", "/opt/qlx/A.qlt", "/opt/qlx", false, "/opt/qlx", "A", "/opt/qlx|A", "A [/opt/qlx]",
       "/opt/qlx/A.qlf/"},
      // A document in Temp/ is not remembered.
      {"/opt/ql/Temp", "T", "/opt/ql/Temp/T.qlt", "Temp", true, "", "", ":Temp|T", "T [Temp]",
       "/opt/ql/Temp/T.qlf/"},
      {"", "", "", "", false, "", "", "|", "Ветвеслов", ""},
      {"/opt/ql/Notes", "", "", "Notes", true, ":Notes", "", ":Notes|", "Ветвеслов", ""},
  };
  for (const Case& c : cases) {
    const TDocNames n = Names(c.dir, c.name);
    SCOPED_TRACE(c.dir + "|" + c.name);
    EXPECT_EQ(n.DocPath, c.path);
    EXPECT_EQ(n.ShownDir, c.shown);
    EXPECT_EQ(n.DirRel, c.rel);
    EXPECT_EQ(n.DirValue, c.dirValue);
    EXPECT_EQ(n.FileValue, c.fileValue);
    EXPECT_EQ(n.RecentEntry(), c.recent);
    EXPECT_EQ(n.Caption, c.caption);
    EXPECT_EQ(n.AttachDir, c.attach);
  }
  EXPECT_EQ(Names("/opt/ql/Notes", "Plan").FileDir, "/opt/ql/Notes");
}

TEST(DocNames, SplitAndRecentTargets) {
  std::string folder, name;
  ql::SplitDocPath("/opt/ql/Plan.qlt", "/opt/ql/", folder, name);
  EXPECT_EQ(folder, "");
  EXPECT_EQ(name, "Plan");
  ql::SplitDocPath("/opt/ql/Notes/Plan.qlt", "/opt/ql/", folder, name);
  EXPECT_EQ(folder, "/opt/ql/Notes");
  EXPECT_EQ(name, "Plan");

  EXPECT_TRUE(ql::RecentTarget(":Notes|Plan", "/opt/ql/", folder, name));
  EXPECT_EQ(folder, "/opt/ql/Notes");
  EXPECT_EQ(name, "Plan");
  EXPECT_TRUE(ql::RecentTarget("|A|B", "/opt/ql/", folder, name));
  EXPECT_EQ(folder, "");
  EXPECT_EQ(name, "A|B");
  EXPECT_FALSE(ql::RecentTarget("nobar", "/opt/ql/", folder, name));
}

TEST(RecentList, TwentyEntriesMostRecentFirst) {
  ql::TRecentList r;
  for (int i = 0; i < 25; ++i) r.Add("|d" + std::to_string(i));
  ASSERT_EQ(r.Items().size(), 20u);
  EXPECT_EQ(r.Items().front(), "|d24");
  EXPECT_EQ(r.Items().back(), "|d5");
  // An entry elsewhere moves to the front without growing the list.
  r.Add("|d10");
  EXPECT_EQ(r.Items().size(), 20u);
  EXPECT_EQ(r.Items()[0], "|d10");
  EXPECT_EQ(r.Items()[1], "|d24");
  r.Drop("|d10");
  r.Drop("|absent");
  EXPECT_EQ(r.Items().size(), 19u);
  EXPECT_EQ(r.Items()[0], "|d24");
}

TEST(RecentList, MenuSkipsCurrentAndEntriesWithoutBar) {
  ql::TRecentList r;
  r.Assign({"|Cur", ":Notes|Plan", "junk", "/home/u|Итоги", "|Root"});
  const auto menu = r.Menu("|Cur");
  ASSERT_EQ(menu.size(), 3u);
  EXPECT_EQ(menu[0].Caption, "Plan [:Notes]");
  EXPECT_EQ(menu[0].Index, 1u);
  EXPECT_EQ(menu[1].Caption, "Итоги [/home/u]");
  EXPECT_EQ(menu[2].Caption, "Root");
  EXPECT_EQ(menu[2].Index, 4u);
}

TEST(FileWindows, CreateButtonAndPath) {
  EXPECT_TRUE(ql::CreateOkEnabled("/d", "a"));
  EXPECT_FALSE(ql::CreateOkEnabled("/d", ""));
  EXPECT_FALSE(ql::CreateOkEnabled("", "a"));
  EXPECT_FALSE(ql::CreateOkEnabled("/d", "   "));
  // The extension is always appended; leading blanks go, trailing ones stay.
  EXPECT_EQ(ql::FileWindowPath("/d", "Итоги.qlt"), "/d/Итоги.qlt.qlt");
  EXPECT_EQ(ql::FileWindowPath("  /d/", "  a b "), "/d/a b .qlt");
  EXPECT_EQ(ql::FileWindowPath("", "a"), "a.qlt");
}

TEST(FileWindows, SaveAsButtons) {
  qltest::TempDir dir;
  qltest::WriteFile(dir / "Plan.qlt", "x");
  ql::TSaveAsTarget t{dir.Path(), "Plan", true};
  struct Case {
    std::string dir, name;
    bool differs;
  } cases[] = {
      {dir.Path(), "Plan", false},
      {"  " + dir.Path() + "/", "  Plan", false},  // leading blanks and a trailing "/" do not count
      {dir.Path() + "/.", "Plan", false},           // another spelling of the same existing file
      {dir.Path(), "plan", true},                   // a case change is a real rename here
      {dir.Path(), "Other", true},
      {"/elsewhere", "Plan", true},
      {"", "Other", false},
      {dir.Path(), " ", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dir + "|" + c.name);
    EXPECT_EQ(t.CopyEnabled(c.dir, c.name), c.differs);
    EXPECT_EQ(t.RenameEnabled(c.dir, c.name), c.differs);
  }
  // A read-only document can only be copied.
  t.Editable = false;
  EXPECT_TRUE(t.CopyEnabled(dir.Path(), "Other"));
  EXPECT_FALSE(t.RenameEnabled(dir.Path(), "Other"));
}

}  // namespace
