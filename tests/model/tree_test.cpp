// The tree's rebuild, visible rows, navigation, selections to ranges, adding and deleting nodes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/model_fixture.h"
#include "model/tree.h"

namespace ql {
namespace {

using qltest::BuildTree;
using qltest::Names;
using qltest::Node;
using qltest::Outline;
using qltest::RowNames;
using Strings = std::vector<std::string>;

// Positions: A 0, A1 1, A11 2, A12 3, A2 4, B 5, B1 6, B11 7, C 8. B is closed.
const Strings kTree = {"A", ".A1", "..A11", "..A12", ".A2", "B-", ".B1", "..B11", "C"};

std::string NameOf(const TTNode* p) { return p ? p->Text : "-"; }

TEST(TTTree, RelinkDerivesLinksFromParents) {
  TTTree t;
  BuildTree(t, kTree);
  struct Case {
    const char* node;
    int level, index, sibNo;
    const char* parent;
    const char* next;
    const char* child;
  } cases[] = {
      {"A", 0, 0, 0, "-", "B", "A1"},     {"A1", 1, 1, 0, "A", "A2", "A11"},
      {"A11", 2, 2, 0, "A1", "A12", "-"}, {"A12", 2, 3, 1, "A1", "-", "-"},
      {"A2", 1, 4, 1, "A", "-", "-"},     {"B", 0, 5, 1, "-", "C", "B1"},
      {"B1", 1, 6, 0, "B", "-", "B11"},   {"B11", 2, 7, 0, "B1", "-", "-"},
      {"C", 0, 8, 2, "-", "-", "-"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.node);
    const TTNode* p = Node(t, c.node);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Level, c.level);
    EXPECT_EQ(p->Index, c.index);
    EXPECT_EQ(p->SibNo, c.sibNo);
    EXPECT_EQ(NameOf(p->Parent), c.parent);
    EXPECT_EQ(NameOf(p->Next), c.next);
    EXPECT_EQ(NameOf(p->Child), c.child);
    EXPECT_EQ(p->Indent, c.level * 10 + 12);
    EXPECT_EQ(p->LineColor, kLevelColors[c.level]);
    EXPECT_TRUE(p->ShowLines);
    EXPECT_TRUE(p->ShowPoint);
  }
  EXPECT_EQ(t.View->Nodes, t.Nodes.data());
  EXPECT_EQ(t.View->Count, 9);
  EXPECT_GE(t.View->LevelStack.size(), 4u);  // a slot beyond the deepest level
  EXPECT_EQ(t.View->LevelStack.size() % 8, 0u);
}

TEST(TTTree, RelinkLayoutFollowsTheRowListSettings) {
  struct Case {
    int vertAlign, height, branchY;
  } cases[] = {{0, 17, 7}, {0, 10, 5}, {1, 17, 8}, {2, 17, 10}, {2, 30, 23}, {3, 17, 99}};
  for (const Case& c : cases) {
    TTTree t;
    BuildTree(t, {"A", ".B"});
    t.Nodes[1]->Height = c.height;
    t.Nodes[1]->BranchY = 99;
    t.View->VertAlign = c.vertAlign;
    t.Relink();
    EXPECT_EQ(t.Nodes[1]->BranchY, c.branchY) << c.vertAlign << " " << c.height;
  }
  TTTree t;
  BuildTree(t, {"A", ".B", "..C"});
  t.View->Step = 20;
  t.View->OneColor = true;
  t.View->TreeColor = 0x123456;
  t.View->Lines = false;
  t.View->Points = false;
  t.Relink();
  EXPECT_EQ(t.Nodes[2]->Indent, 52);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(t.Nodes[i]->LineColor, 0x123456);
    EXPECT_FALSE(t.Nodes[i]->ShowLines);
    EXPECT_FALSE(t.Nodes[i]->ShowPoint);
  }
  // Level colours repeat every 14 levels.
  t.View->OneColor = false;
  Strings deep;
  for (int i = 0; i < 16; ++i) deep.push_back(std::string(size_t(i), '.') + "N" + std::to_string(i));
  BuildTree(t, deep);
  EXPECT_EQ(t.Nodes[15]->LineColor, kLevelColors[1]);
  EXPECT_EQ(t.Nodes[14]->LineColor, 0x0000C0);
}

TEST(TTTree, BuildRowsHidesClosedBranches) {
  TTTree t;
  BuildTree(t, kTree);
  EXPECT_EQ(RowNames(t), (Strings{"A", "A1", "A11", "A12", "A2", "B", "C"}));
  EXPECT_EQ(Node(t, "B1")->Row, 5);
  EXPECT_EQ(Node(t, "B11")->Row, 5);
  EXPECT_FALSE(Node(t, "B1")->Visible);
  EXPECT_FALSE(Node(t, "B11")->Visible);
  EXPECT_EQ(Node(t, "C")->Row, 6);

  Node(t, "A1")->Opened = false;
  Node(t, "B")->Opened = true;
  t.BuildRows();
  EXPECT_EQ(RowNames(t), (Strings{"A", "A1", "A2", "B", "B1", "B11", "C"}));
  EXPECT_EQ(Node(t, "A11")->Row, 1);
  EXPECT_EQ(Node(t, "A12")->Row, 1);
  EXPECT_FALSE(Node(t, "A12")->Visible);
  EXPECT_TRUE(Node(t, "B11")->Visible);

  Node(t, "A")->Opened = false;  // a closed node hides its whole subtree, open ones included
  t.BuildRows();
  EXPECT_EQ(RowNames(t), (Strings{"A", "B", "B1", "B11", "C"}));
  for (const char* hidden : {"A1", "A11", "A12", "A2"}) {
    EXPECT_EQ(Node(t, hidden)->Row, 0) << hidden;
    EXPECT_FALSE(Node(t, hidden)->Visible) << hidden;
  }
}

TEST(TTTree, EmptyTreeHasNoRows) {
  TTTree t;
  t.Relink();
  EXPECT_EQ(t.View->RowCount, 0);
  int start = 5, end = 5;
  EXPECT_FALSE(t.RowsToRange(0, 0, true, false, start, end));
  EXPECT_EQ(start, 0);
  EXPECT_EQ(end, -1);
}

TEST(TTTree, Navigation) {
  TTTree t;
  BuildTree(t, kTree);
  struct Case {
    const char* node;
    int subtreeEnd, nextRowAfter;
    const char* prevSibling;
  } cases[] = {{"A", 5, 5, "-"},   {"A1", 4, 4, "-"},  {"A11", 3, 3, "-"}, {"A12", 4, 4, "A11"},
               {"A2", 5, 5, "A1"}, {"B", 8, 6, "A"},   {"B1", 8, 6, "-"},  {"C", 9, 7, "B"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.node);
    const TTNode* p = Node(t, c.node);
    EXPECT_EQ(t.SubtreeEnd(p), c.subtreeEnd);
    EXPECT_EQ(t.NextRowAfter(p), c.nextRowAfter);
    EXPECT_EQ(NameOf(t.PrevSibling(p)), c.prevSibling);
  }
  EXPECT_EQ(t.SubtreeEnd(nullptr), 9);
  EXPECT_EQ(NameOf(t.BlockTop(2, 5)), "A2");
  EXPECT_EQ(NameOf(t.BlockTop(1, 4)), "A1");
  EXPECT_EQ(NameOf(t.BlockTop(3, 8)), "B");
  EXPECT_EQ(NameOf(t.BlockTop(0, 3)), "A");
  EXPECT_EQ(t.BlockTop(3, 3), nullptr);

  t.AncestorPath(Node(t, "B11"));
  EXPECT_EQ(NameOf(t.View->LevelStack[0]), "B");
  EXPECT_EQ(NameOf(t.View->LevelStack[1]), "B1");
  EXPECT_EQ(NameOf(t.View->LevelStack[2]), "B11");
}

TEST(TTTree, RowsToRange) {
  TTTree t;
  BuildTree(t, kTree);  // rows: A 0, A1 1, A11 2, A12 3, A2 4, B 5 (closed), C 6
  struct Case {
    int top, bottom;
    bool whole, fromShallowest, ok;
    const char* nodes;
  } cases[] = {
      {1, 1, false, false, true, "A1"},                   // open last row: the node alone
      {5, 5, false, false, true, "B B1 B11"},             // closed last row: hidden ones come
      {1, 1, true, false, true, "A1 A11 A12"},            // whole: the open node's branch
      {0, 2, false, false, true, "A A1 A11"},
      {0, 2, true, false, true, "A A1 A11 A12 A2"},       // ends inside: to the top's end
      {2, 3, true, false, true, "A11 A12"},
      {2, 4, true, false, true, "A11 A12 A2"},
      {4, 6, false, false, true, "A2 B B1 B11 C"},
      {2, 5, false, true, true, "B B1 B11"},              // starts at the shallowest row
      {3, 4, true, true, true, "A2"},
      {-1, 0, false, false, false, ""},
      {3, 2, false, false, false, ""},
      {0, 7, true, false, false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.top << ".." << c.bottom << " whole " << c.whole
                                    << " shallowest " << c.fromShallowest);
    int start = -9, end = -9;
    EXPECT_EQ(t.RowsToRange(c.top, c.bottom, c.whole, c.fromShallowest, start, end), c.ok);
    if (c.ok) {
      EXPECT_EQ(Names(t, start, end), c.nodes);
    } else {
      EXPECT_EQ(start, 0);
      EXPECT_EQ(end, -1);
    }
  }
}

TEST(TTTree, AddNode) {
  struct Case {
    const char* what;
    Strings before;
    int row;
    bool asChild;
    bool ok;
    Strings after;
  } cases[] = {
      {"empty tree, any row", {}, 3, false, true, {"new"}},
      {"empty tree as child", {}, -1, true, true, {"new"}},
      {"sibling after the whole branch", kTree, 1, false, true,
       {"A", ".A1", "..A11", "..A12", ".new", ".A2", "B-", ".B1", "..B11", "C"}},
      {"last child", kTree, 1, true, true,
       {"A", ".A1", "..A11", "..A12", "..new", ".A2", "B-", ".B1", "..B11", "C"}},
      {"child of a closed node opens it", kTree, 5, true, true,
       {"A", ".A1", "..A11", "..A12", ".A2", "B", ".B1", "..B11", ".new", "C"}},
      {"top-level at the end", kTree, 6, false, true,
       {"A", ".A1", "..A11", "..A12", ".A2", "B-", ".B1", "..B11", "C", "new"}},
      {"not a row", kTree, 7, false, false, kTree},
      {"negative row", kTree, -1, true, false, kTree},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TTTree t;
    BuildTree(t, c.before);
    TTNode* p = t.AddNode(c.row, c.asChild);
    EXPECT_EQ(p != nullptr, c.ok);
    if (p) {
      p->Text = "new";
      EXPECT_EQ(p->Height, kNewNodeHeight);
      EXPECT_TRUE(p->CanOpen);
      EXPECT_TRUE(p->Visible);
      EXPECT_EQ(p->Id, uint32_t(c.before.size() + 1));
      EXPECT_EQ(t.FindById(p->Id), p);
    }
    EXPECT_EQ(Outline(t), c.after);
  }
}

TEST(TTTree, InheritStyles) {
  // Styles per node: A 1/2, A1 3/4, A11 5/6, A12 7/8, A2 9/10, B 11/12, ...
  struct Case {
    const char* what;
    int pos;
    const char* parent;
    int style, style1;
  } cases[] = {
      {"position 0", 0, "-", 0, 0},
      {"previous sibling with a branch", 4, "A", 3, 4},
      {"first child takes the parent's", 5, "A2", 9, 10},
      {"first child before existing ones", 1, "A", 1, 2},
      {"top-level after a branch", 8, "-", 11, 12},
      {"last child", 8, "B", 13, 14},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TTTree t;
    BuildTree(t, kTree);
    for (int i = 0; i < t.Count; ++i) {
      t.Nodes[i]->Style = uint16_t(2 * i + 1);
      t.Nodes[i]->Style1 = uint16_t(2 * i + 2);
    }
    TTNode* parent = Node(t, c.parent);
    ASSERT_TRUE(t.InsertNodes(c.pos, 2, true));
    for (int i = c.pos; i < c.pos + 2; ++i) {
      t.Nodes[i]->Parent = parent;
      t.Nodes[i]->Flags = 3;
    }
    t.InheritStyles(c.pos, 2);
    for (int i = c.pos; i < c.pos + 2; ++i) {
      EXPECT_EQ(t.Nodes[i]->Style, c.style);
      EXPECT_EQ(t.Nodes[i]->Style1, c.style1);
      EXPECT_EQ(t.Nodes[i]->Flags, 0);
    }
  }
}

TEST(TTTree, InsertNodesGrowsByDoublingAndKeepsOrder) {
  TTTree t;
  ASSERT_TRUE(t.InsertNodes(0, 3, false));
  EXPECT_EQ(t.Capacity, 128);
  EXPECT_EQ(t.Nodes[0]->Id, 0u);
  EXPECT_TRUE(t.Nodes[0]->CanOpen);
  EXPECT_FALSE(t.Nodes[0]->Opened);
  t.Nodes[0]->Text = "first";
  ASSERT_TRUE(t.InsertNodes(0, 125, true));
  EXPECT_EQ(t.Capacity, 128);
  ASSERT_TRUE(t.InsertNodes(128, 1, true));
  EXPECT_EQ(t.Capacity, 256);
  ASSERT_TRUE(t.InsertNodes(10, 100, true));
  EXPECT_EQ(t.Capacity, 256);
  ASSERT_TRUE(t.InsertNodes(10, 600, true));
  EXPECT_EQ(t.Capacity, 829);  // more than twice the old capacity: exactly what is needed
  EXPECT_EQ(t.Tmp.size(), 829u);
  EXPECT_EQ(t.Nodes[825]->Text, "first");
  EXPECT_EQ(t.Count, 829);
  EXPECT_EQ(t.Ids.Count(), 826);
  EXPECT_FALSE(t.InsertNodes(830, 1, true));
  EXPECT_FALSE(t.InsertNodes(0, -1, true));
  EXPECT_EQ(t.Count, 829);
}

TEST(TTTree, DeleteBlockReturnsTheRowToSelect) {
  struct Case {
    int start, end;
    int row;
    Strings after;
  } cases[] = {
      {1, 4, 1, {"A", ".A2", "B-", ".B1", "..B11", "C"}},
      {5, 8, 5, {"A", ".A1", "..A11", "..A12", ".A2", "C"}},
      {8, 9, 5, {"A", ".A1", "..A11", "..A12", ".A2", "B-", ".B1", "..B11"}},  // last row
      {0, 9, -1, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << ".." << c.end);
    TTTree t;
    BuildTree(t, kTree);
    std::vector<uint32_t> gone;
    for (int i = c.start; i < c.end; ++i) gone.push_back(t.Nodes[i]->Id);
    t.Cur = t.Nodes[c.start];
    EXPECT_EQ(t.DeleteBlock(c.start, c.end), c.row);
    EXPECT_EQ(Outline(t), c.after);
    EXPECT_EQ(t.Cur, nullptr);
    for (uint32_t id : gone) EXPECT_EQ(t.FindById(id), nullptr);
    EXPECT_EQ(t.Ids.Count(), t.Count);
    for (int i = 0; i < t.Count; ++i) EXPECT_EQ(t.FindById(t.Nodes[i]->Id), t.Nodes[i]);
  }
}

TEST(TTTree, DeleteNodesKeepsWhatARangeLeavesOfABranch) {
  struct Case {
    int start, end;
    Strings after;
  } cases[] = {
      {1, 2, {"A", ".A11", ".A12", ".A2", "B-", ".B1", "..B11", "C"}},
      {0, 2, {"A11", "A12", "A2", "B-", ".B1", "..B11", "C"}},
      {5, 7, {"A", ".A1", "..A11", "..A12", ".A2", "B11", "C"}},
      {2, 3, {"A", ".A1", "..A12", ".A2", "B-", ".B1", "..B11", "C"}},  // whole: nothing moves
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << ".." << c.end);
    TTTree t;
    BuildTree(t, kTree);
    t.DeleteNodes(c.start, c.end);
    t.Relink();
    EXPECT_EQ(Outline(t), c.after);
  }
  // Two stretches deleted one after the other, the second found by its nodes while the
  // positions are stale, as uniting rows does.
  TTTree t;
  BuildTree(t, kTree);
  TTNode* a12 = Node(t, "A12");
  t.DeleteNodes(1, 2);
  t.DeleteNodes(a12->Index - 1, a12->Index);  // A12 now stands one position earlier
  t.Relink();
  EXPECT_EQ(Outline(t), (Strings{"A", ".A11", ".A2", "B-", ".B1", "..B11", "C"}));
}

TEST(TTTree, ClearEmptiesAllButTheCodePage) {
  TTTree t;
  BuildTree(t, kTree);
  int cleared = 0;
  t.OnClear = [&cleared] { ++cleared; };
  t.CodePage = 866;
  t.Image.assign(10, 1);
  t.ImageLen = 10;
  t.IdsWrapped = true;
  t.Cur = t.Nodes[2];
  t.Clear();
  EXPECT_EQ(cleared, 1);
  EXPECT_EQ(t.Count, 0);
  EXPECT_EQ(t.Capacity, 0);
  EXPECT_TRUE(t.Nodes.empty());
  EXPECT_TRUE(t.Tmp.empty());
  EXPECT_EQ(t.ImageLen, 0);
  EXPECT_TRUE(t.Image.empty());
  EXPECT_EQ(t.MaxId, 0u);
  EXPECT_FALSE(t.IdsWrapped);
  EXPECT_EQ(t.Ids.Count(), 0);
  EXPECT_EQ(t.Cur, nullptr);
  EXPECT_EQ(t.CodePage, 866u);
  t.Relink();
  EXPECT_EQ(t.View->RowCount, 0);
  EXPECT_EQ(t.AddNode(0, false)->Id, 1u);
}

TEST(TTTree, CharCountAndSharedRowList) {
  TTTree t;
  BuildTree(t, {"ab", ".cde"});
  t.Nodes[1]->LText = "12345";
  EXPECT_EQ(t.CharCount(), 2 + 3 + 5);
  TTree grid;
  grid.Step = 4;
  t.SetView(&grid);
  t.Relink();
  EXPECT_EQ(grid.Nodes, t.Nodes.data());
  EXPECT_EQ(grid.RowCount, 2);
  EXPECT_EQ(grid.Rows.size(), 32u);
  EXPECT_EQ(t.Nodes[1]->Indent, 16);
}

}  // namespace
}  // namespace ql
