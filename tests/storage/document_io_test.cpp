#include "storage/document_io.h"

#include <gtest/gtest.h>

#include "base/message_hook.h"
#include "model/tree.h"
#include "storage/doc_body.h"
#include "storage/doc_images.h"
#include "storage/style_table_fake.h"

namespace ql {
namespace {

using qltest::Bytes;
using qltest::FakeStyles;

std::vector<uint8_t> Vec(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }
std::string Str(const std::vector<uint8_t>& v) { return std::string(v.begin(), v.end()); }

bool Load(const std::string& image, TTTree& tree, FakeStyles& styles, TDocHeader* header = nullptr) {
  return ReadDocument(Vec(image), "/docs/x.qlt", true, tree, styles, header);
}

struct NodeView {
  uint32_t id;
  int32_t level;
  bool opened;
  uint8_t flags;
  uint16_t style, style1;
  std::string text, ltext;
  bool operator==(const NodeView&) const = default;
};

std::ostream& operator<<(std::ostream& os, const NodeView& n) {
  return os << "{" << n.id << " L" << n.level << " o" << n.opened << " f" << int(n.flags) << " s" << n.style
            << "/" << n.style1 << " '" << n.text << "' '" << n.ltext << "'}";
}

std::vector<NodeView> Nodes(const TTTree& tree) {
  std::vector<NodeView> out;
  for (const TTNode* p : tree.NodeSpan()) {
    out.push_back({p->Id, p->Level, p->Opened, p->Flags, p->Style, p->Style1, p->Text, p->LText});
  }
  return out;
}

TEST(ReadDocumentTest, Version1GetsIdsInFileOrderAndIsWrittenBackAsVersion4) {
  const std::string v1 = Bytes().Header(1, 0, 2, 1).I32(3)
      .I32(0).I8(1).Z("a")
      .I32(1).I8(0).Z("b")
      .I32(0).I8(0).Z("c");
  TTTree tree;
  FakeStyles styles;
  TDocHeader header;
  ASSERT_TRUE(Load(v1, tree, styles, &header));
  EXPECT_EQ(header.version, 1);
  EXPECT_EQ(header.selBottom, 2);
  EXPECT_EQ(header.topRow, 1);
  EXPECT_EQ(Nodes(tree), (std::vector<NodeView>{{1, 0, true, 0, 0, 0, "a", ""},
                                                 {2, 1, false, 0, 0, 0, "b", ""},
                                                 {3, 0, false, 0, 0, 0, "c", ""}}));
  EXPECT_EQ(tree.MaxId, 3u);
  EXPECT_EQ(tree.Nodes[1]->Parent, tree.Nodes[0]);
  EXPECT_EQ(tree.Nodes[0]->Height, 17);
  EXPECT_TRUE(tree.Nodes[2]->CanOpen);
  EXPECT_EQ(tree.ImageLen, static_cast<int32_t>(v1.size()));
  EXPECT_EQ(Str(tree.Image), v1);

  const std::string v4 = Bytes().Header(4, 0, 2, 1).I8(0).I32(3).I32(1251).I32(1).Z("").I32(3)
      .Node4(1, 0, 1, 0, 0, 0, "a", "")
      .Node4(2, 1, 0, 0, 0, 0, "b", "")
      .Node4(3, 0, 0, 0, 0, 0, "c", "");
  EXPECT_EQ(Str(SerializeDocument(tree, {0, 2, 1}, styles)), v4);
}

TEST(ReadDocumentTest, LevelsThatJumpArePlacedUnderTheNearestShallowerNode) {
  // A file whose levels jump opens (its texts stay reachable) instead of being refused; every
  // node goes under the nearest earlier node with a smaller file level.
  const std::string v1 = Bytes().Header(1).I32(4)
      .I32(0).I8(0).Z("a")
      .I32(3).I8(0).Z("b")
      .I32(3).I8(0).Z("c")
      .I32(1).I8(0).Z("d");
  TTTree tree;
  FakeStyles styles;
  ASSERT_TRUE(Load(v1, tree, styles));
  ASSERT_EQ(tree.Count, 4);
  const int expected[] = {0, 1, 1, 1};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(tree.Nodes[i]->Level, expected[i]) << i;
  EXPECT_EQ(tree.Nodes[3]->Parent, tree.Nodes[0]);
}

TEST(ReadDocumentTest, Version2And3Fields) {
  TTTree tree;
  FakeStyles styles;
  ASSERT_TRUE(Load(Bytes().Header(2).I32(1).I32(0).I8(0).Z("t").Z("long"), tree, styles));
  EXPECT_EQ(Nodes(tree), (std::vector<NodeView>{{1, 0, false, 0, 0, 0, "t", "long"}}));
  ASSERT_TRUE(Load(Bytes().Header(3).I8(1).I32(40).I32(1).I32(12).I32(0).I8(2).Z("t").Z("l"), tree, styles));
  EXPECT_EQ(Nodes(tree), (std::vector<NodeView>{{12, 0, true, 0, 0, 0, "t", "l"}}));  // opened byte 2
  EXPECT_TRUE(tree.IdsWrapped);
  EXPECT_EQ(tree.MaxId, 40u);  // wrapped: not raised to the largest id
}

TEST(ReadDocumentTest, DuplicateIdsAndALowCounter) {
  TTTree tree;
  FakeStyles styles;
  ASSERT_TRUE(Load(Bytes().Header(3).I8(0).I32(3).I32(3)
                       .I32(5).I32(0).I8(0).Z("").Z("")
                       .I32(7).I32(0).I8(0).Z("").Z("")
                       .I32(5).I32(0).I8(0).Z("").Z(""),
                   tree, styles));
  EXPECT_EQ(tree.Nodes[0]->Id, 5u);
  EXPECT_EQ(tree.Nodes[1]->Id, 7u);
  EXPECT_EQ(tree.Nodes[2]->Id, 8u);
  EXPECT_EQ(tree.MaxId, 8u);
  EXPECT_EQ(tree.FindById(8), tree.Nodes[2]);

  ASSERT_TRUE(Load(Bytes().Header(3).I8(0).I32(50).I32(1).I32(60).I32(0).I8(0).Z("").Z(""), tree, styles));
  TTNode* added = tree.AddNode(0, false);
  ASSERT_NE(added, nullptr);
  EXPECT_EQ(added->Id, 61u);
}

TEST(ReadDocumentTest, LevelsAreRebasedAndStylesMappedByName) {
  TTTree tree;
  FakeStyles styles({"", "Code", "Head"});
  const std::string v4 = Bytes().Header(4).I8(0).I32(9).I32(866)
      .I32(3).Z("Head").Z("Mine").Z("")
      .I32(4)
      .Node4(1, 3, 1, 1, 0, 1, "a", "A")
      .Node4(2, 4, 0, 2, 2, 2, "b", "")
      .Node4(3, 4, 0, 0xFF, 1, 0, "c", "")
      .Node4(4, 3, 0, 0, 2, 2, "d", "")
      .Raw("garbage after the nodes");
  ASSERT_TRUE(Load(v4, tree, styles));
  EXPECT_EQ(Nodes(tree), (std::vector<NodeView>{{1, 0, true, 1, 2, 3, "a", "A"},
                                                 {2, 1, false, 2, 0, 0, "b", ""},
                                                 {3, 1, false, 0xFF, 3, 2, "c", ""},
                                                 {4, 0, false, 0, 0, 0, "d", ""}}));
  EXPECT_EQ(styles.Names(), (std::vector<std::string>{"", "Code", "Head", "Mine"}));
  EXPECT_EQ(tree.CodePage, 866u);
  EXPECT_EQ(tree.ImageLen, static_cast<int32_t>(v4.size() - 23));

  // Written back: the used styles in table order ("", "Head", "Mine"; "Code" is unused).
  const std::string expected = Bytes().Header(4, 1, 1, 0).I8(0).I32(9).I32(866)
      .I32(3).Z("").Z("Head").Z("Mine")
      .I32(4)
      .Node4(1, 0, 1, 1, 1, 2, "a", "A")
      .Node4(2, 1, 0, 2, 0, 0, "b", "")
      .Node4(3, 1, 0, 0xFF, 2, 1, "c", "")
      .Node4(4, 0, 0, 0, 0, 0, "d", "");
  EXPECT_EQ(Str(SerializeDocument(tree, {1, 1, 0}, styles)), expected);
}

TEST(ReadDocumentTest, EmptyDocumentIs33BytesBothWays) {
  TTTree tree;
  FakeStyles styles;
  const std::vector<uint8_t> bytes = SerializeDocument(tree, {}, styles);
  EXPECT_EQ(Str(bytes), Bytes().Header(4).I8(0).I32(0).I32(1251).I32(0).I32(0).str());
  EXPECT_EQ(bytes.size(), 33u);
  ASSERT_TRUE(ReadDocument(std::vector<uint8_t>(bytes), "e", true, tree, styles));
  EXPECT_EQ(tree.Count, 0);
  EXPECT_EQ(tree.ImageLen, 33);
}

TEST(ReadDocumentTest, DamagedOrNewerFilesLeaveTheDocumentAlone) {
  TTTree tree;
  FakeStyles styles({"", "Code"});
  const std::string good = Bytes().Header(4).I8(0).I32(1).I32(1251).I32(1).Z("Code").I32(1)
      .Node4(1, 0, 0, 0, 0, 0, "keep", "");
  ASSERT_TRUE(Load(good, tree, styles));
  const struct {
    const char* name;
    std::string bytes;
    const char* title;
  } cases[] = {
      {"empty file", "", "Файл ВС повреждён и не может быть прочитан"},
      {"short header", Bytes().I32(4).I32(0), "Файл ВС повреждён и не может быть прочитан"},
      {"cut short", good.substr(0, good.size() - 1), "Файл ВС повреждён и не может быть прочитан"},
      {"unknown style name then a bad style number",
       Bytes().Header(4).I8(0).I32(1).I32(1251).I32(1).Z("New").I32(1).Node4(1, 0, 0, 0, 1, 0, "", ""),
       "Файл ВС повреждён и не может быть прочитан"},
      {"version 5", Bytes().Header(5), "У файла ВС более новая версия, чем у программы"},
  };
  for (const auto& c : cases) {
    MessageRecorder messages;
    EXPECT_FALSE(Load(c.bytes, tree, styles)) << c.name;
    ASSERT_EQ(messages.Requests().size(), 1u) << c.name;
    EXPECT_EQ(messages.Requests()[0].title, c.title) << c.name;
    EXPECT_EQ(messages.Requests()[0].text, "/docs/x.qlt");
    EXPECT_EQ(messages.Requests()[0].icon, MsgIcon::Warning);
    ASSERT_EQ(tree.Count, 1) << c.name;
    EXPECT_EQ(tree.Nodes[0]->Text, "keep");
    EXPECT_EQ(Str(tree.Image), good);
    EXPECT_EQ(styles.Names().size(), 2u);  // no document-only style was added
  }
  MessageRecorder quiet;
  EXPECT_FALSE(ReadDocument(Vec("xx"), "p", false, tree, styles));
  EXPECT_TRUE(quiet.Requests().empty());
}

TEST(BodyTest, BranchWrittenWithItsBaseAndPastedUnderAParent) {
  TTTree tree;
  FakeStyles styles({"", "Code"});
  ASSERT_TRUE(Load(Bytes().Header(4).I8(0).I32(30).I32(1251).I32(2).Z("").Z("Code").I32(4)
                       .Node4(10, 0, 1, 0, 0, 0, "top", "")
                       .Node4(20, 1, 1, 0, 1, 1, "branch", "x")
                       .Node4(30, 2, 0, 2, 0, 1, "leaf", "")
                       .Node4(25, 0, 0, 0, 0, 0, "other", ""),
                   tree, styles));
  TWr wr;
  WriteBody(wr, tree, 1, 3, tree.Nodes[1]->Level, styles);
  const std::string body(wr.View());
  EXPECT_EQ(body, Bytes().I8(0).I32(30).I32(1251).I32(2).Z("").Z("Code").I32(2)
                      .Node4(20, 0, 1, 0, 1, 1, "branch", "x")
                      .Node4(30, 1, 0, 2, 0, 1, "leaf", "").str());

  // Pasting it under "other" (level 0): fresh ids, levels one below the parent, ids in the
  // data skipped, the code page taken.
  TTNode* other = tree.Nodes[3];
  tree.CodePage = 1;
  TRe re(body, 4);
  ASSERT_EQ(ReadBody(re, tree, other, 4, true, styles), 2);
  tree.Relink();
  EXPECT_EQ(tree.MaxId, 32u);
  EXPECT_EQ(tree.CodePage, 1251u);
  EXPECT_EQ(Nodes(tree)[4], (NodeView{31, 1, true, 0, 1, 1, "branch", "x"}));
  EXPECT_EQ(Nodes(tree)[5], (NodeView{32, 2, false, 2, 0, 1, "leaf", ""}));
  EXPECT_EQ(tree.Nodes[4]->Parent, other);
  EXPECT_EQ(tree.FindById(31), tree.Nodes[4]);

  // A damaged body inserts nothing.
  const std::string cut = body.substr(0, body.size() - 1);
  TRe bad(cut, 4);
  EXPECT_EQ(ReadBody(bad, tree, nullptr, 0, true, styles), -1);
  EXPECT_EQ(tree.Count, 6);
}

TEST(BodyTest, SavedDocumentReadsBackToTheSameBytes) {
  TTTree tree;
  FakeStyles styles({"", "A", "B"});
  for (int i = 0; i < 50; ++i) {
    TTNode* p = tree.AddNode(i - 1, i % 3 == 1);
    p->Text = "node " + std::to_string(i);
    p->LText = std::string(i, '\xE0');
    p->Style = static_cast<uint16_t>(i % 3);
    p->Flags = static_cast<uint8_t>(i % 4);
  }
  const std::vector<uint8_t> first = SerializeDocument(tree, {3, 4, 1}, styles);
  TTTree again;
  FakeStyles styles2({"", "B"});
  ASSERT_TRUE(ReadDocument(std::vector<uint8_t>(first), "p", true, again, styles2));
  EXPECT_EQ(styles2.Names(), (std::vector<std::string>{"", "B", "A"}));
  // Style numbers differ between the tables, the names and the bytes written do not.
  FakeStyles sameOrder({"", "A", "B"});
  TTTree third;
  ASSERT_TRUE(ReadDocument(std::vector<uint8_t>(first), "p", true, third, sameOrder));
  EXPECT_EQ(SerializeDocument(third, {3, 4, 1}, sameOrder), first);
}

}  // namespace
}  // namespace ql
