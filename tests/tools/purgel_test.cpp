// purgel run on temporary folder trees, and the extension filter rules through it.
#include <sys/stat.h>
#include <unistd.h>

#include "tools/tool_run.h"

namespace qltest {
namespace {

class PurgelTest : public ToolTest {};

TEST_F(PurgelTest, FilterRules) {
  std::string hundred;  // 99 patterns, then "b,c" is the hundredth, comma included
  for (int i = 0; i < 99; ++i) hundred += "q,";
  hundred += "b,c";
  struct Case {
    std::string filter;
    std::vector<std::string> files;
    std::vector<std::string> left;
  } cases[] = {
      {"htm*,css", {"a.HTML", "b.css", "c.txt", "d.htm", "e.ht", "f"}, {"c.txt", "e.ht", "f"}},
      {"txt,", {"a.txt", "b", "c.doc", "d.", "e.TXT"}, {"c.doc"}},
      {"*", {"a.txt", "b", "c.x.y"}, {}},
      {"", {"a.txt", "b"}, {"a.txt"}},
      {"T*", {"a.txt", "b.t", "c.x"}, {"c.x"}},
      {"ТЕКСТ,Ёж", {"а.текст", "б.ёЖ", "в.тексты"}, {"в.тексты"}},
      {"α", {"a.α", "b.β", "c.Α"}, {"b.β", "c.Α"}},  // outside 1251: kept, never equal
      {hundred, {"x.q", "x.b,c", "x.c", "x.b"}, {"x.b", "x.c"}},
  };
  for (const Case& c : cases) {
    TempDir d;
    for (const std::string& f : c.files) Make(d / f);
    EXPECT_EQ(Run("purgel", {d.Path(), c.filter}), 0) << c.filter;
    EXPECT_EQ(Names(d.Path()), c.left) << c.filter;
  }
}

TEST_F(PurgelTest, ASpecialFileFailsItsFolderAndIsNeverOpened) {
  Make(P("a.bak"));
  Make(P("z.bak"));
  Make(P("sub/y.bak"));
  Make(P("ro.bak"));
  chmod(P("ro.bak").c_str(), 0444);
  ASSERT_EQ(mkfifo(P("m.fifo").c_str(), 0644), 0);
  EXPECT_EQ(Run("purgel", {P(""), "bak"}), 1);
  // Before the FIFO deleted, after it kept; subfolders are still purged; no folder is deleted.
  EXPECT_EQ(Names(dir_.Path()), (std::vector<std::string>{"m.fifo", "ro.bak", "sub", "z.bak"}));
  EXPECT_TRUE(Names(P("sub")).empty());
  // The same without the FIFO: a read-only file is deleted too.
  unlink(P("m.fifo").c_str());
  EXPECT_EQ(Run("purgel", {P(""), "bak"}), 0);
  EXPECT_EQ(Names(dir_.Path()), std::vector<std::string>{"sub"});
}

TEST_F(PurgelTest, DotNamesNoSAndLinks) {
  Make(P("tree/.config"));
  Make(P("tree/.hidden/a.tmp"));
  Make(P("tree/b.tmp"));
  Make(P("tree/sub/c.tmp"));
  Make(P("outside/d.tmp"), "d");
  ASSERT_EQ(symlink(P("outside").c_str(), P("tree/sub/out").c_str()), 0);
  EXPECT_EQ(Run("purgel", {P("tree"), "tmp", "-noS"}), 0);
  EXPECT_FALSE(Exists(P("tree/b.tmp")));
  EXPECT_TRUE(Exists(P("tree/sub/c.tmp")));
  EXPECT_EQ(Run("purgel", {P("tree/"), "*"}), 0);
  EXPECT_TRUE(Exists(P("tree/.config")));
  EXPECT_TRUE(Exists(P("tree/.hidden/a.tmp")));
  EXPECT_EQ(Names(P("tree/sub")), std::vector<std::string>{});  // the link itself went
  EXPECT_EQ(ReadFile(P("outside/d.tmp")), "d");
}

TEST_F(PurgelTest, Arguments) {
  Make(P("a.tmp"));
  const std::vector<std::vector<std::string>> refused = {
      {},
      {P("")},
      {P(""), "/noS"},
      {P(""), "tmp", "-x"},
      {P("missing"), "tmp"},
      {P("a.tmp"), "tmp"},
      {P(""), std::string(1000, 'x')},
  };
  for (const auto& args : refused) {
    EXPECT_EQ(Run("purgel", args), 1) << ::testing::PrintToString(args);
  }
  // The length is counted in characters: 1000 Cyrillic letters are refused, 999 accepted.
  std::string cyrillic;
  for (int i = 0; i < 999; ++i) cyrillic += "ё";
  EXPECT_EQ(Run("purgel", {P(""), cyrillic + "ё"}), 1);
  EXPECT_TRUE(Exists(P("a.tmp")));
  EXPECT_EQ(Run("purgel", {P(""), cyrillic}), 0);
  EXPECT_TRUE(Exists(P("a.tmp")));
  // Of several filters the last one wins.
  EXPECT_EQ(Run("purgel", {P(""), "tmp", cyrillic}), 0);
  EXPECT_TRUE(Exists(P("a.tmp")));
  Make(P("b.tmp"));
  EXPECT_EQ(Run("purgel", {"/noS", ".", "TMP"}, dir_.Path()), 0);
  EXPECT_TRUE(Names(dir_.Path()).empty());
}

}  // namespace
}  // namespace qltest
