#include "base/profile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "base/cp1251.h"
#include "support/test_support.h"

namespace ql {
namespace {

using qltest::ReadFile;
using qltest::TempDir;
using qltest::WriteFile;

TEST(Profile, ReadsStringsWithWindowsTrimmingAndQuoteRules) {
  TProfile p;
  p.Parse(
      "; comment\r\n"
      "[Main]\r\n"
      "  Name =  value with blanks  \r\n"
      "Quoted=\"  kept inside  \"\r\n"
      "Single='x'\r\n"
      "Mixed=\"x'\r\n"
      "Inner=a \"b\" c\r\n"
      "Lone=\"\r\n"
      "Empty=\r\n"
      ";Hidden=1\r\n"
      "NoEquals\r\n"
      "Eq=a=b\r\n");
  struct Case {
    const char* key;
    const char* value;
  } cases[] = {
      {"Name", "value with blanks"}, {"quoted", "  kept inside  "}, {"Single", "x"},
      {"Mixed", "\"x'"},             {"Inner", "a \"b\" c"},         {"Lone", "\""},
      {"Empty", ""},                 {"Hidden", "<def>"},             {"NoEquals", "<def>"},
      {"Eq", "a=b"},                 {"Missing", "<def>"},
  };
  for (const auto& c : cases) EXPECT_EQ(p.GetString("main", c.key, "<def>"), c.value) << c.key;
  EXPECT_EQ(p.GetString("Other", "Name", "d"), "d");
  EXPECT_EQ(p.GetString("Main", "Name", "", 5), "value");
}

TEST(Profile, IntegersAsGetPrivateProfileInt) {
  TProfile p;
  p.Parse("[s]\na=42\nb=  -17xyz\nc=+8\nd=abc\ne=\nf=99999999999\ng=-99999999999\nh=\"12\"\ni=- 5\nj=0x10\n");
  struct Case {
    const char* key;
    int value;
  } cases[] = {
      {"a", 42}, {"b", -17}, {"c", 8}, {"d", 7}, {"e", 7}, {"f", 2147483647},
      {"g", -2147483647 - 1}, {"h", 12}, {"i", 7}, {"j", 0}, {"missing", 7},
  };
  for (const auto& c : cases) EXPECT_EQ(p.GetInt("s", c.key, 7), c.value) << c.key;
}

TEST(Profile, SectionsInFileOrderAndWholeSections) {
  TProfile p;
  p.Parse("[B]\nx=1\n[A]\ny= 2 \nz=\"q\"\n[b]\nx=3\n");
  EXPECT_EQ(p.SectionNames(), (std::vector<std::string>{"B", "A", "b"}));
  EXPECT_EQ(p.SectionLines("a"), (std::vector<std::string>{"y=2", "z=\"q\""}));
  EXPECT_EQ(p.GetString("B", "x"), "1");  // the first of two matching sections
  EXPECT_TRUE(p.SectionLines("none").empty());
}

TEST(Profile, CyrillicNamesMatchIgnoringCase) {
  TProfile p;
  p.Parse("[Заголовок]\nЦвет=red\nЁлка=1\n");
  EXPECT_EQ(p.GetString("ЗАГОЛОВОК", "цвет"), "red");
  EXPECT_EQ(p.GetInt("заголовок", "ёЛКА", 0), 1);
  EXPECT_FALSE(p.HasSection("Заголовки"));
  EXPECT_EQ(TProfile::FoldName("ÄЖz日"), "Äжz日");  // outside 1251: left as it is
}

TEST(Profile, Windows1251FilesAreConvertedAndUtf8IsKept) {
  const std::string utf8 = "[Стиль]\nИмя=Код\n";
  TProfile a;
  a.Parse(utf8);
  TProfile b;
  b.Parse(Utf8ToCp1251(utf8));
  for (TProfile* p : {&a, &b}) {
    EXPECT_EQ(p->SectionNames(), std::vector<std::string>{"Стиль"});
    EXPECT_EQ(p->GetString("стиль", "имя"), "Код");
  }
  TProfile bom;
  bom.Parse("\xEF\xBB\xBF[s]\nk=v\n");
  EXPECT_EQ(bom.SectionNames(), std::vector<std::string>{"s"});
}

TEST(Profile, DamagedFilesReadAsFarAsTheyMakeSense) {
  std::string junk = "[ok]\nk=1\n";
  junk += std::string("\0\xFF\xFE[bad\n=\n[\x01\x02", 14);
  junk += "\n" + std::string(100000, 'x') + "=long\n";
  junk += "[tail]\nv=" + std::string(70000, 'y') + "\n[open";
  TProfile p;
  p.Parse(junk);
  EXPECT_EQ(p.GetInt("ok", "k", 0), 1);
  EXPECT_EQ(p.GetString("tail", "v").size(), 70000u);
  EXPECT_EQ(p.GetString("ok", std::string(100000, 'x')), "long");
  for (size_t cut = 0; cut < junk.size(); cut += 997) {
    TProfile q;
    q.Parse(std::string_view(junk).substr(0, cut));  // must not crash on any prefix
    q.SectionNames();
  }
  TProfile nul;
  nul.Parse(std::string("[s]\na=1\0b=2\n", 12));
  EXPECT_EQ(nul.GetString("s", "a"), "1");
  EXPECT_EQ(nul.GetString("s", "b"), "2");
}

TEST(Profile, WritesInPlaceAtSectionEndOrAsNewSection) {
  TProfile p;
  p.Parse("; head\n[A]\nx=1\ny=2\n\n[B]\nz=3\n");
  p.SetString("a", "X", "10");       // replaced in place, key spelling kept
  p.SetString("A", "w", " spaced");  // added after the section's last entry
  p.SetString("C", "k", "v");        // new section at the end
  p.SetString("B", "multi", "a\r\nb");
  EXPECT_EQ(p.Text(), "; head\n[A]\nx=10\ny=2\nw= spaced\n\n[B]\nz=3\nmulti=a  b\n\n[C]\nk=v\n");
  EXPECT_TRUE(p.DeleteKey("b", "Z"));
  EXPECT_FALSE(p.DeleteKey("b", "z"));
  EXPECT_TRUE(p.DeleteSection("A"));
  EXPECT_EQ(p.Text(), "; head\n[B]\nmulti=a  b\n\n[C]\nk=v\n");
}

TEST(Profile, FreeFunctionsRoundTripThroughTheFile) {
  TempDir dir;
  const std::string path = dir / "QL.ini";
  EXPECT_EQ(GetPrivateProfileInt("0", "Top", 5, path), 5);  // no file
  EXPECT_TRUE(WritePrivateProfileString("0", "Top", "12", path));
  EXPECT_TRUE(WritePrivateProfileString("Find", "FindList", "\"a b\",c", path));
  EXPECT_TRUE(WritePrivateProfileString("Путь", "Папка", "Документы", path));
  EXPECT_EQ(GetPrivateProfileInt("0", "top", 0, path), 12);
  EXPECT_EQ(GetPrivateProfileString("find", "findlist", "", path), "\"a b\",c");
  EXPECT_EQ(GetPrivateProfileString("ПУТЬ", "папка", "", path), "Документы");
  EXPECT_EQ(GetPrivateProfileSectionNames(path), (std::vector<std::string>{"0", "Find", "Путь"}));
  EXPECT_EQ(GetPrivateProfileSection("0", path), std::vector<std::string>{"Top=12"});
  EXPECT_TRUE(DeletePrivateProfileKey("0", "Top", path));
  EXPECT_EQ(GetPrivateProfileInt("0", "Top", -1, path), -1);
  EXPECT_TRUE(DeletePrivateProfileKey("0", "Top", dir / "missing.ini"));
  // Only the file itself: no temporary file is left behind.
  int files = 0;
  for (const auto& e : std::filesystem::directory_iterator(dir.Path())) files += e.is_regular_file();
  EXPECT_EQ(files, 1);
}

TEST(Profile, A1251FileIsRewrittenAsUtf8) {
  TempDir dir;
  const std::string path = dir / "Styles.ini";
  WriteFile(path, Utf8ToCp1251("[Код]\nFontName=Courier New\n"));
  EXPECT_TRUE(WritePrivateProfileString("Код", "FontSize", "10", path));
  EXPECT_EQ(ReadFile(path), "[Код]\nFontName=Courier New\nFontSize=10\n");
}

TEST(Profile, AFailedWriteLeavesTheOldFile) {
  TempDir dir;
  EXPECT_FALSE(WritePrivateProfileString("0", "Top", "2", dir / "missing/QL.ini"));
  const std::string sub = dir / "ro";
  std::filesystem::create_directory(sub);
  const std::string path = sub + "/QL.ini";
  WriteFile(path, "[0]\nTop=1\n");
  std::filesystem::permissions(sub, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
  const bool writable = [&] {  // root ignores permission bits
    std::FILE* f = std::fopen((sub + "/probe").c_str(), "w");
    if (f) std::fclose(f);
    return f != nullptr;
  }();
  if (!writable) {
    EXPECT_FALSE(WritePrivateProfileString("0", "Top", "2", path));
    EXPECT_EQ(ReadFile(path), "[0]\nTop=1\n");
  }
  std::filesystem::permissions(sub, std::filesystem::perms::owner_all);
  // A file that cannot be read is not replaced by the one entry being written.
  std::filesystem::permissions(path, std::filesystem::perms::none);
  if (!writable) {
    EXPECT_FALSE(WritePrivateProfileString("0", "Left", "3", path));
    std::filesystem::permissions(path, std::filesystem::perms::owner_read);
    EXPECT_EQ(ReadFile(path), "[0]\nTop=1\n");
  }
}

}  // namespace
}  // namespace ql
