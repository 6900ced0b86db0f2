// Runs the built qltool on document images written from the format tables.
#include <gtest/gtest.h>

#include <cstdlib>
#include <nlohmann/json.hpp>

#include "storage/doc_images.h"
#include "support/test_support.h"

namespace {

using nlohmann::json;
using qltest::Bytes;
using qltest::ReadFile;
using qltest::TempDir;
using qltest::WriteFile;

using Result = qltest::ProgramRun;

Result RunTool(const TempDir& dir, std::vector<std::string> args) {
  return qltest::RunQltool(dir, std::move(args));
}

// "Код" and "Свой" in 1251.
const std::string kCode1251 = "\xCA\xEE\xE4";
const std::string kOwn1251 = "\xD1\xE2\xEE\xE9";

std::string StylesIni() {
  return "[Код]\nKeyWords=while if\nFontName=Courier New\n[Паскаль]\nPascal=1\nKeyWords=begin End\n"
         "[Черновик]\nTemp=1\n";
}

std::string Version4Doc() {
  return Bytes().Header(4, 1, 2, 0).I8(0).I32(12).I32(1251)
      .I32(3).Z("").Z(kCode1251).Z(kOwn1251)
      .I32(3)
      .Node4(7, 2, 2, 1, 1, 0, "\xCF\xF0\xE8\xE2\xE5\xF2", "line1\r\nline2")  // "Привет"
      .Node4(9, 3, 0, 0, 2, 1, "child", "")
      .Node4(12, 2, 0, 0, 0, 0, "", "");
}

TEST(QltoolTest, DumpShowsTheDocumentAsLoaded) {
  TempDir dir;
  WriteFile(dir / "Styles.ini", StylesIni());
  WriteFile(dir / "doc.qlt", Version4Doc());
  const Result r = RunTool(dir, {"dump", dir / "doc.qlt", "--styles", dir / "Styles.ini"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const json doc = json::parse(r.out);
  EXPECT_EQ(doc, json::parse(R"({"version":4,"selTop":1,"selBottom":2,"topRow":0,"idsWrapped":false,
    "maxId":12,"codePage":1251,"nodes":[
    {"id":7,"level":0,"opened":true,"flags":1,"style":"Код","style1":"","text":"Привет","ltext":"line1\r\nline2"},
    {"id":9,"level":1,"opened":false,"flags":0,"style":"Свой","style1":"Код","text":"child","ltext":""},
    {"id":12,"level":0,"opened":false,"flags":0,"style":"","style1":"","text":"","ltext":""}]})"));
  // Key order as documented.
  EXPECT_EQ(r.out.rfind("{\"version\":4,\"selTop\":1,\"selBottom\":2,\"topRow\":0,\"idsWrapped\":false,", 0), 0u);
}

TEST(QltoolTest, DumpOfAnOldVersionAndSaveWritesVersion4) {
  TempDir dir;
  WriteFile(dir / "old.qlt", Bytes().Header(1, 0, 1, 0).I32(2).I32(0).I8(1).Z("a").I32(1).I8(0).Z("b"));
  Result r = RunTool(dir, {"dump", dir / "old.qlt"});
  ASSERT_EQ(r.rc, 0) << r.err;
  const json doc = json::parse(r.out);
  EXPECT_EQ(doc["version"], 1);
  EXPECT_EQ(doc["maxId"], 2);
  EXPECT_EQ(doc["nodes"][1]["id"], 2);
  EXPECT_EQ(doc["nodes"][1]["level"], 1);

  r = RunTool(dir, {"save", dir / "old.qlt", dir / "new.qlt"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(ReadFile(dir / "new.qlt"), Bytes().Header(4, 0, 1, 0).I8(0).I32(2).I32(1251).I32(1).Z("").I32(2)
                                           .Node4(1, 0, 1, 0, 0, 0, "a", "")
                                           .Node4(2, 1, 0, 0, 0, 0, "b", "").str());
  EXPECT_EQ(ReadFile(dir / "old.qlt").size(), 16u + 4 + 14);  // the source is left alone

  // A document-only style name survives a save through a table that lacks it.
  WriteFile(dir / "doc.qlt", Version4Doc());
  r = RunTool(dir, {"save", dir / "doc.qlt", dir / "copy.qlt", "--styles", dir / "none.ini"});
  ASSERT_EQ(r.rc, 0) << r.err;
  // Levels come back rebased to 0 and the opened byte 2 as 1; everything else as it was.
  EXPECT_EQ(ReadFile(dir / "copy.qlt"), Bytes().Header(4, 1, 2, 0).I8(0).I32(12).I32(1251)
                                            .I32(3).Z("").Z(kCode1251).Z(kOwn1251)
                                            .I32(3)
                                            .Node4(7, 0, 1, 1, 1, 0, "\xCF\xF0\xE8\xE2\xE5\xF2", "line1\r\nline2")
                                            .Node4(9, 1, 0, 0, 2, 1, "child", "")
                                            .Node4(12, 0, 0, 0, 0, 0, "", "").str());
}

TEST(QltoolTest, DamagedMissingAndNewerFilesFailWithOneLine) {
  TempDir dir;
  const std::string doc = Version4Doc();
  WriteFile(dir / "cut.qlt", doc.substr(0, doc.size() - 3));
  WriteFile(dir / "new.qlt", Bytes().Header(5));
  const struct {
    std::string file;
    std::string message;
  } cases[] = {
      {dir / "cut.qlt", "Файл ВС повреждён и не может быть прочитан: " + dir / "cut.qlt" + "\n"},
      {dir / "new.qlt", "У файла ВС более новая версия, чем у программы: " + dir / "new.qlt" + "\n"},
      {dir / "none.qlt", "Файла не существует!: " + dir / "none.qlt" + "\n"},
  };
  for (const auto& c : cases) {
    Result r = RunTool(dir, {"dump", c.file});
    EXPECT_EQ(r.rc, 1) << c.file;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, c.message);
    r = RunTool(dir, {"save", c.file, dir / "out.qlt"});
    EXPECT_EQ(r.rc, 1);
    EXPECT_EQ(r.err, c.message);
    EXPECT_FALSE(qltest::Exists(dir / "out.qlt"));
  }
}

TEST(QltoolTest, StylesListsTheTableWithKeywords) {
  TempDir dir;
  WriteFile(dir / "s.ini", StylesIni());
  Result r = RunTool(dir, {"styles", "--styles", dir / "s.ini"});
  ASSERT_EQ(r.rc, 0) << r.err;
  const json styles = json::parse(r.out);
  ASSERT_EQ(styles.size(), 3u);  // style 0, Код, Паскаль; the Temp style is dropped
  EXPECT_EQ(styles[0]["name"], "");
  EXPECT_EQ(styles[0]["fontName"], nullptr);
  EXPECT_EQ(styles[0]["tokenizer"], nullptr);
  EXPECT_EQ(styles[1]["number"], 1);
  EXPECT_EQ(styles[1]["name"], "Код");
  EXPECT_EQ(styles[1]["fontName"], "Courier New");
  EXPECT_EQ(styles[1]["tokenizer"], "c");
  EXPECT_EQ(styles[1]["keywords"], json::parse(R"(["if","while"])"));
  EXPECT_EQ(styles[2]["tokenizer"], "pascal");
  const std::vector<std::string> keys = {"number", "name", "fontName", "fontSize", "sizeStep", "fontStyle",
      "fontColor", "bkColor", "branchColor", "highlighting", "wrapLine", "wrapLine1", "wrapSymbol", "eatSpace",
      "wrapSpace", "wrapKind", "equalRows", "pascal", "topSpace", "bottomSpace", "startSymbol", "endSymbol",
      "tokenizer", "keywords"};
  std::vector<std::string> got;
  for (auto it = styles[1].begin(); it != styles[1].end(); ++it) got.push_back(it.key());
  std::sort(got.begin(), got.end());
  std::vector<std::string> want = keys;
  std::sort(want.begin(), want.end());
  EXPECT_EQ(got, want);

  // A missing file means style 0 only; without --styles the program folder's file is read.
  r = RunTool(dir, {"styles", "--styles", dir / "missing.ini"});
  ASSERT_EQ(r.rc, 0);
  EXPECT_EQ(json::parse(r.out).size(), 1u);
  const char* home = std::getenv("QL_HOME");
  ASSERT_NE(home, nullptr);
  WriteFile(std::string(home) + "/Styles.ini", "[Один]\n");
  r = RunTool(dir, {"styles"});
  ASSERT_EQ(r.rc, 0);
  EXPECT_EQ(json::parse(r.out)[1]["name"], "Один");
}

TEST(QltoolTest, UsageErrorsExitWithTwo) {
  TempDir dir;
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"frobnicate"},
      {"dump"},
      {"dump", "a", "b"},
      {"save", "a"},
      {"styles", "extra"},
      {"dump", "a", "--styles"},
      {"dump", "a", "--colour"},
  };
  for (const auto& args : cases) {
    const Result r = RunTool(dir, args);
    EXPECT_EQ(r.rc, 2) << (args.empty() ? "" : args[0]);
    EXPECT_NE(r.err.find("usage: qltool"), std::string::npos);
    EXPECT_EQ(r.out, "");
  }
}

}  // namespace
