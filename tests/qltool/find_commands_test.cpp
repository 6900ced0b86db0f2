// qltool search, subst, export and import, run as built on document images written from the
// format tables.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "base/cp1251.h"
#include "storage/doc_images.h"
#include "support/test_support.h"

namespace {

using nlohmann::json;
using qltest::Bytes;
using qltest::ReadFile;
using qltest::TempDir;
using qltest::WriteFile;

using ToolRun = qltest::ProgramRun;

ToolRun Qltool(const TempDir& dir, std::vector<std::string> args) {
  return qltest::RunQltool(dir, std::move(args));
}

std::string W(const std::string& utf8) { return ql::Utf8ToCp1251(utf8); }

// Rows: "Дом -код" (open) > "B1 дом" (closed) > "hidden дом"; then "xab ab".
std::string SearchDoc() {
  return Bytes().Header(4).I8(0).I32(4).I32(1251).I32(1).Z("").I32(4)
      .Node4(1, 0, 1, 0, 0, 0, W("Дом -код"), W("дом\r\nДОМ -кодекс"))
      .Node4(2, 1, 0, 0, 0, 0, W("B1 дом"), "")
      .Node4(3, 2, 0, 0, 0, 0, W("hidden дом"), "")
      .Node4(4, 0, 0, 0, 0, 0, "xab ab", "aaaa");
}

struct Hit {
  int number, id, position, level, offset;
  bool inLong;
  std::string match;
};

json Hits(const std::vector<Hit>& hits) {
  json a = json::array();
  for (const Hit& h : hits)
    a.push_back({{"number", h.number}, {"id", h.id}, {"position", h.position}, {"level", h.level},
                 {"offset", h.offset}, {"inLongText", h.inLong}, {"match", h.match}});
  return a;
}

TEST(QltoolFindTest, SearchPrintsEveryOccurrence) {
  TempDir dir;
  WriteFile(dir / "doc.qlt", SearchDoc());
  const std::string doc = dir / "doc.qlt";
  struct Case {
    std::vector<std::string> args;
    std::vector<Hit> hits;
  };
  const Case cases[] = {
      {{"дом"},
       {{0, 1, 0, 0, 0, false, "Дом"}, {1, 1, 0, 0, 0, true, "дом"}, {2, 1, 0, 0, 5, true, "ДОМ"},
        {3, 2, 1, 1, 3, false, "дом"}, {4, 3, 2, 2, 7, false, "дом"}}},
      {{"дом", "--case"},
       {{0, 1, 0, 0, 0, true, "дом"}, {1, 2, 1, 1, 3, false, "дом"}, {2, 3, 2, 2, 7, false, "дом"}}},
      {{"ДОМ", "--opened", "--no-texts"},
       {{0, 1, 0, 0, 0, false, "Дом"}, {1, 2, 1, 1, 3, false, "дом"}}},
      {{"--no-nodes", "дом"}, {{0, 1, 0, 0, 0, true, "дом"}, {1, 1, 0, 0, 5, true, "ДОМ"}}},
      // A pattern may begin with "-"; whole words reject "-кодекс".
      {{"-код", "--words"}, {{0, 1, 0, 0, 4, false, "-код"}}},
      {{"-код"}, {{0, 1, 0, 0, 4, false, "-код"}, {1, 1, 0, 0, 9, true, "-код"}}},
      {{"ab", "--words"}, {{0, 4, 3, 0, 4, false, "ab"}}},
      {{"aa"}, {{0, 4, 3, 0, 0, true, "aa"}, {1, 4, 3, 0, 2, true, "aa"}}},
      {{"нет такого"}, {}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"search", doc};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ToolRun r = Qltool(dir, args);
    ASSERT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(json::parse(r.out), Hits(c.hits)) << c.args[0];
  }
  const ToolRun r = Qltool(dir, {"search", doc, "дом", "--words"});
  EXPECT_EQ(r.out.rfind("[{\"number\":0,\"id\":1,\"position\":0,\"level\":0,\"offset\":0,"
                        "\"inLongText\":false,\"match\":\"Дом\"}", 0),
            0u);
}

TEST(QltoolFindTest, SubstWritesVersion4OnlyWhenAsked) {
  TempDir dir;
  const std::string source = SearchDoc();
  WriteFile(dir / "doc.qlt", source);
  ToolRun r = Qltool(dir, {"subst", dir / "doc.qlt", "дом", "Дача", "--out", dir / "out.qlt"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(r.out, "5\n");
  EXPECT_EQ(ReadFile(dir / "out.qlt"),
            Bytes().Header(4).I8(0).I32(4).I32(1251).I32(1).Z("").I32(4)
                .Node4(1, 0, 1, 0, 0, 0, W("Дача -код"), W("Дача\r\nДача -кодекс"))
                .Node4(2, 1, 0, 0, 0, 0, W("B1 Дача"), "")
                .Node4(3, 2, 0, 0, 0, 0, W("hidden Дача"), "")
                .Node4(4, 0, 0, 0, 0, 0, "xab ab", "aaaa").str());
  EXPECT_EQ(ReadFile(dir / "doc.qlt"), source);

  struct Case {
    std::vector<std::string> args;
    std::string out;
  };
  const Case cases[] = {
      {{"дом", "X", "--case", "--count"}, "3\n"},
      {{"-код", "+", "--words"}, "1\n"},
      {{"a", "aa"}, "6\n"},
      {{"дом", "X", "--opened", "--no-texts"}, "2\n"},
      {{"", "X"}, "0\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"subst", dir / "doc.qlt"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    r = Qltool(dir, args);
    EXPECT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(r.out, c.out) << c.args[0];
  }
  // Counting never writes.
  r = Qltool(dir, {"subst", dir / "doc.qlt", "дом", "X", "--count", "--out", dir / "count.qlt"});
  EXPECT_EQ(r.out, "5\n");
  EXPECT_FALSE(qltest::Exists(dir / "count.qlt"));
}

TEST(QltoolFindTest, ExportPrintsTheClipboardText) {
  TempDir dir;
  WriteFile(dir / "doc.qlt", SearchDoc());
  WriteFile(dir / "empty.qlt", Bytes().Header(4).I8(0).I32(0).I32(1251).I32(1).Z("").I32(0));
  struct Case {
    std::vector<std::string> args;
    std::string out;
  };
  const Case cases[] = {
      {{}, "№1 Дом -код\r\nдом\r\nДОМ -кодекс\r\n\r\n  №1.1 B1 дом\r\n    №1.1.1 hidden дом\r\n\r\n"
           "№2 xab ab\r\naaaa\r\n"},
      {{"--opened"}, "№1 Дом -код\r\nдом\r\nДОМ -кодекс\r\n\r\n  №1.1 B1 дом\r\n\r\n№2 xab ab\r\naaaa\r\n"},
      {{"--shift", "1", "--num", "1", "--no-text"},
       "-Дом -код\r\n\t-B1 дом\r\n\t\t-hidden дом\r\n\r\n-xab ab\r\n"},
      {{"--shift=0", "--num=2", "--no-text"}, "№1 Дом -код\r\n№1 B1 дом\r\n№1 hidden дом\r\n\r\n№2 xab ab\r\n"},
      {{"--shift", "4", "--num", "0", "--no-text", "--opened"}, "Дом -код\r\n   B1 дом\r\n\r\nxab ab\r\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"export", dir / "doc.qlt"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ToolRun r = Qltool(dir, args);
    EXPECT_EQ(r.rc, 0) << r.err;
    EXPECT_EQ(r.out, c.out);
  }
  ToolRun r = Qltool(dir, {"export", dir / "empty.qlt"});
  EXPECT_EQ(r.rc, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_NE(r.err, "");
}

TEST(QltoolFindTest, UsageAndFailures) {
  TempDir dir;
  WriteFile(dir / "doc.qlt", SearchDoc());
  const std::string doc = dir / "doc.qlt";
  const std::vector<std::vector<std::string>> usage = {
      {"search", doc},
      {"search", doc, "a", "b"},
      {"subst", doc, "a"},
      {"subst", doc, "a", "b", "--out"},
      {"export", doc, "--shift", "5"},
      {"export", doc, "--num", "4"},
      {"export", doc, "--num", "x"},
      {"export"},
      {"import", dir / "in.txt"},
  };
  for (const auto& args : usage) {
    const ToolRun r = Qltool(dir, args);
    EXPECT_EQ(r.rc, 2) << args[0] << " " << args.size();
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err.rfind("usage: ", 0), 0u) << r.err;
  }
  const std::vector<std::vector<std::string>> failures = {
      {"search", dir / "none.qlt", "a"},
      {"subst", dir / "none.qlt", "a", "b"},
      {"export", dir / "none.qlt"},
      {"import", dir / "none.txt", dir / "out.qlt"},
  };
  for (const auto& args : failures) {
    const ToolRun r = Qltool(dir, args);
    EXPECT_EQ(r.rc, 1) << args[0];
    EXPECT_NE(r.err, "");
  }
  EXPECT_FALSE(qltest::Exists(dir / "out.qlt"));
}

json DumpNodes(const TempDir& dir, const std::string& doc) {
  const ToolRun r = Qltool(dir, {"dump", doc});
  EXPECT_EQ(r.rc, 0) << r.err;
  json nodes = json::array();
  const json doc = json::parse(r.out);
  for (const json& n : doc["nodes"])
    nodes.push_back({n["level"], n["text"], n["ltext"], n["opened"]});
  return nodes;
}

TEST(QltoolFindTest, ImportMakesADocumentFromIndentedText) {
  TempDir dir;
  WriteFile(dir / "in.txt",
            "Корень\r\n"
            "> первая строка\r\n"
            ">\r\n"
            "> третья\r\n"
            "    Ребёнок\r\n"
            "\r\n"
            "            внук через уровень\n"
            "        внук\n"
            "   \n"
            "Второй\n"
            "\tтаб\n"
            "\t\t\tглубже на два\n"
            "\t> -текст с дефисом\n");
  const ToolRun r = Qltool(dir, {"import", dir / "in.txt", dir / "out.qlt"});
  ASSERT_EQ(r.rc, 0) << r.err;
  EXPECT_EQ(DumpNodes(dir, dir / "out.qlt"), json::parse(R"([
    [0, "Корень", "первая строка\r\n\r\nтретья", false],
    [1, "Ребёнок", "", false],
    [2, "внук через уровень", "", false],
    [2, "внук", "", false],
    [0, "Второй", "", false],
    [1, "таб", "", false],
    [2, "глубже на два", "-текст с дефисом", false]])"));

  WriteFile(dir / "bad.txt", "> текст без узла\nузел\n");
  const ToolRun bad = Qltool(dir, {"import", dir / "bad.txt", dir / "bad.qlt"});
  EXPECT_EQ(bad.rc, 1);
  EXPECT_NE(bad.err, "");
  EXPECT_FALSE(qltest::Exists(dir / "bad.qlt"));
}

TEST(QltoolFindTest, HelpDocumentIsBuiltBesideThePrograms) {
  TempDir dir;
  const std::string help = std::string(QL_BIN_DIR) + "/Описание программы ВС.qlt";
  const json nodes = DumpNodes(dir, help);
  ASSERT_GE(nodes.size(), 24u);
  EXPECT_EQ(nodes[0][1], "О программе");
  const ToolRun r = Qltool(dir, {"search", help, "Ctrl+F", "--case"});
  ASSERT_EQ(r.rc, 0);
  EXPECT_FALSE(json::parse(r.out).empty());
}

}  // namespace
