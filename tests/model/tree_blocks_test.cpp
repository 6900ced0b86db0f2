// Block operations: moving and copying blocks, hanging read blocks under a parent, counting the
// styles a range uses.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "model/model_fixture.h"
#include "model/tree.h"
#include "styles/style.h"

namespace ql {
namespace {

using qltest::BuildTree;
using qltest::Node;
using qltest::Outline;
using Strings = std::vector<std::string>;

// Positions: A 0, A1 1, A11 2, A12 3, A2 4, B 5, B1 6, B11 7, C 8 (all open).
const Strings kTree = {"A", ".A1", "..A11", "..A12", ".A2", "B", ".B1", "..B11", "C"};

TEST(MoveBlock, MovesAndRefusals) {
  struct Case {
    const char* what;
    int start, end, dest;
    const char* parent;  // "" for none
    bool moved;
    int finalPos;
    Strings after;  // empty: unchanged
  } cases[] = {
      {"up among siblings", 4, 5, 1, "A", true, 1,
       {"A", ".A2", ".A1", "..A11", "..A12", "B", ".B1", "..B11", "C"}},
      {"down after the next sibling", 1, 4, 5, "A", true, 2,
       {"A", ".A2", ".A1", "..A11", "..A12", "B", ".B1", "..B11", "C"}},
      {"to the top", 8, 9, 0, "", true, 0,
       {"C", "A", ".A1", "..A11", "..A12", ".A2", "B", ".B1", "..B11"}},
      {"into the previous sibling's branch", 5, 8, 5, "A", true, 5,
       {"A", ".A1", "..A11", "..A12", ".A2", ".B", "..B1", "...B11", "C"}},
      {"out of the parent's branch", 4, 5, 5, "", true, 4,
       {"A", ".A1", "..A11", "..A12", "A2", "B", ".B1", "..B11", "C"}},
      {"block from a deeper level into a branch", 3, 5, 3, "A11", true, 3,
       {"A", ".A1", "..A11", "...A12", "...A2", "B", ".B1", "..B11", "C"}},
      {"later top nodes follow the first's parent", 3, 5, 2, "A1", true, 2,
       {"A", ".A1", "..A12", "..A2", "..A11", "B", ".B1", "..B11", "C"}},
      {"own place", 1, 4, 1, "A", false, 1, {}},
      {"directly after itself", 1, 4, 4, "A", false, 1, {}},
      {"inside itself under another parent", 1, 4, 2, "B", false, 1, {}},
      {"under its own descendant", 1, 4, 5, "A11", false, 1, {}},
      {"not a place for top-level nodes", 8, 9, 2, "", false, 8, {}},
      {"not a place for children of the parent", 8, 9, 9, "A", false, 8, {}},
      {"block that cuts a branch", 0, 2, 9, "", false, 0, {}},
      {"empty block", 3, 3, 0, "", false, 3, {}},
      {"destination out of range", 8, 9, 10, "", false, 8, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TTTree t;
    BuildTree(t, kTree);
    std::vector<uint32_t> ids;
    for (int i = 0; i < t.Count; ++i) ids.push_back(t.Nodes[i]->Id);
    int finalPos = -7;
    EXPECT_EQ(t.MoveBlock(c.start, c.end, c.dest, Node(t, c.parent), false, &finalPos), c.moved);
    EXPECT_EQ(finalPos, c.finalPos);
    EXPECT_EQ(Outline(t), c.after.empty() ? kTree : c.after);
    EXPECT_EQ(t.Count, 9);
    for (uint32_t id : ids) ASSERT_NE(t.FindById(id), nullptr);  // moving keeps every id
  }
}

TEST(MoveBlock, MoveOpensTheParent) {
  TTTree t;
  BuildTree(t, {"A-", ".A1", "B", "C"});
  EXPECT_TRUE(t.MoveBlock(3, 4, 2, Node(t, "A"), false));
  EXPECT_EQ(Outline(t), (Strings{"A", ".A1", ".C", "B"}));
  EXPECT_EQ(t.View->RowCount, 4);
  // A parent that never could open (as a node a caller made so) gets CanOpen with its children.
  Node(t, "B")->CanOpen = false;
  EXPECT_TRUE(t.MoveBlock(2, 3, 4, Node(t, "B"), false));
  EXPECT_TRUE(Node(t, "B")->CanOpen);
  EXPECT_TRUE(Node(t, "B")->Opened);
}

TEST(MoveBlock, Copies) {
  struct Case {
    const char* what;
    int start, end, dest;
    const char* parent;
    bool copied;
    Strings after;
  } cases[] = {
      {"duplicate after itself", 1, 4, 4, "A", true,
       {"A", ".A1", "..A11", "..A12", ".A1", "..A11", "..A12", ".A2", "B", ".B1", "..B11", "C"}},
      {"before the sources", 5, 8, 1, "A", true,
       {"A", ".B", "..B1", "...B11", ".A1", "..A11", "..A12", ".A2", "B", ".B1", "..B11", "C"}},
      {"to the end as top level", 1, 4, 9, "", true,
       {"A", ".A1", "..A11", "..A12", ".A2", "B", ".B1", "..B11", "C", "A1", ".A11", ".A12"}},
      {"copies whose source parent is outside hang under the parent", 3, 5, 5, "A", true,
       {"A", ".A1", "..A11", "..A12", ".A2", ".A12", ".A2", "B", ".B1", "..B11", "C"}},
      {"not a place for children of the parent", 8, 9, 2, "B", false, kTree},
      {"empty block", 2, 2, 0, "", false, kTree},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TTTree t;
    BuildTree(t, kTree);
    int finalPos = -7;
    EXPECT_EQ(t.MoveBlock(c.start, c.end, c.dest, Node(t, c.parent), true, &finalPos), c.copied);
    EXPECT_EQ(Outline(t), c.after);
    if (c.copied) { EXPECT_EQ(finalPos, c.dest); }
    // Sources keep ids 1..9; copies get fresh ids 10, 11, ... in order.
    std::vector<bool> seen(size_t(t.Count) + 1);
    for (int i = 0; i < t.Count; ++i) {
      const uint32_t id = t.Nodes[i]->Id;
      ASSERT_GE(id, 1u);
      ASSERT_LE(id, uint32_t(t.Count));
      EXPECT_FALSE(seen[id]);
      seen[id] = true;
      EXPECT_EQ(t.FindById(id), t.Nodes[i]);
      const bool isCopy = c.copied && i >= c.dest && i < c.dest + (c.end - c.start);
      if (isCopy) { EXPECT_EQ(id, uint32_t(10 + i - c.dest)); }
    }
  }
}

TEST(MoveBlock, CopyCarriesTextsStylesAndStates) {
  TTTree t;
  BuildTree(t, {"A", ".A1-", "..A11", "B"});
  TTNode* a1 = Node(t, "A1");
  a1->LText = "long";
  a1->Style = 3;
  a1->Style1 = 4;
  a1->Height = 40;
  a1->CanOpen = false;
  ASSERT_TRUE(t.MoveBlock(1, 3, 4, nullptr, true));
  const TTNode* copy = t.Nodes[4];
  EXPECT_EQ(copy->Text, "A1");
  EXPECT_EQ(copy->LText, "long");
  EXPECT_EQ(copy->Style, 3);
  EXPECT_EQ(copy->Style1, 4);
  EXPECT_EQ(copy->Height, 40);
  EXPECT_FALSE(copy->Opened);
  EXPECT_FALSE(copy->CanOpen);
  EXPECT_EQ(copy->Id, 5u);
  EXPECT_EQ(t.Nodes[5]->Parent, copy);
  EXPECT_FALSE(t.Nodes[5]->Visible);  // the copy of a closed node hides its copied children
  EXPECT_EQ(a1->Id, 2u);
}

TEST(ReparentBlock, TurnsFileLevelsIntoParents) {
  struct Case {
    const char* what;
    bool underR;  // under the top-level node R (level 0), else at the top of an empty tree
    std::vector<int> levels;
    std::vector<int> after;
  } cases[] = {
      {"levels 3 4 4 3 under level 0", true, {3, 4, 4, 3}, {1, 2, 2, 1}},
      {"whole document", false, {0, 1, 2, 1, 0, 1}, {0, 1, 2, 1, 0, 1}},
      {"a later node shallower than the first", true, {2, 3, 1, 2}, {1, 2, 1, 2}},
      {"a jump makes a child of the node before", true, {0, 3, 3, 1}, {1, 2, 2, 2}},
      {"a jump at the top", false, {0, 5, 6, 5, 0}, {0, 1, 2, 1, 0}},
      {"negative levels", true, {-5, -4, -6, -5}, {1, 2, 1, 2}},
      {"extreme levels", true, {INT_MIN, INT_MAX, INT_MAX, 0}, {1, 2, 2, 2}},
      {"extreme levels at the top", false, {INT_MAX, INT_MIN, INT_MAX}, {0, 0, 1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TTTree t;
    TTNode* parent = nullptr;
    int pos = 0;
    if (c.underR) {
      BuildTree(t, {"R", "S"});
      parent = t.Nodes[0];
      pos = 1;
    }
    const int n = int(c.levels.size());
    ASSERT_TRUE(t.InsertNodes(pos, n, true));
    for (int i = 0; i < n; ++i) t.Nodes[pos + i]->Level = c.levels[size_t(i)];
    t.ReparentBlock(parent, pos, pos + n);
    t.Relink();
    std::vector<int> levels;
    for (int i = 0; i < n; ++i) levels.push_back(t.Nodes[pos + i]->Level);
    EXPECT_EQ(levels, c.after);
    if (parent) { EXPECT_EQ(t.Nodes[pos]->Parent, parent); }
    EXPECT_LE(t.View->LevelStack.size(), size_t(16));
    for (int i = 1; i < t.Count; ++i)  // pre-order holds: parents stand before their children
      if (t.Nodes[i]->Parent) { EXPECT_LT(t.Nodes[i]->Parent->Index, i); }
  }
}

TEST(ReparentBlock, NeverTakesAStaleSlotAsParent) {
  // A deep tree leaves nodes in the level stack; they are deleted, then a block with a jump
  // is read. Under ASan a stale slot taken as a parent would be a use after free.
  TTTree t;
  BuildTree(t, {"A", ".B", "..C", "...D", "....E"});
  t.DeleteNodes(1, 5);
  t.Relink();
  ASSERT_TRUE(t.InsertNodes(1, 2, true));
  t.Nodes[1]->Level = 0;
  t.Nodes[2]->Level = 4;
  t.ReparentBlock(t.Nodes[0], 1, 3);
  t.Relink();
  EXPECT_EQ(t.Nodes[2]->Parent, t.Nodes[1]);
  EXPECT_EQ(t.Nodes[2]->Level, 2);
}

TEST(CountStyles, NumbersUsedStylesInTableOrder) {
  struct Case {
    const char* what;
    std::vector<std::pair<uint16_t, uint16_t>> styles;  // Style, Style1 per node
    int start, end, tableSize;
    int result;
    std::vector<int32_t> useCount, fileNumber;
  } cases[] = {
      {"all style 0", {{0, 0}, {0, 0}}, 0, 2, 3, 1, {4, 0, 0}, {0, -1, -1}},
      {"mixed", {{2, 0}, {2, 4}, {1, 1}}, 0, 3, 5, 4, {1, 2, 2, 0, 1}, {0, 1, 2, -1, 3}},
      {"a part of the tree", {{2, 0}, {2, 4}, {1, 1}}, 1, 2, 5, 2, {0, 0, 1, 0, 1},
       {-1, -1, 0, -1, 1}},
      {"empty range", {{2, 0}}, 1, 1, 3, 0, {0, 0, 0}, {-1, -1, -1}},
      {"style beyond the table", {{7, 1}}, 0, 1, 3, 1, {0, 1, 0}, {-1, 0, -1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TTTree t;
    t.InsertNodes(0, int(c.styles.size()), true);
    for (size_t i = 0; i < c.styles.size(); ++i) {
      t.Nodes[i]->Style = c.styles[i].first;
      t.Nodes[i]->Style1 = c.styles[i].second;
    }
    std::vector<int32_t> uses(size_t(c.tableSize), 99), numbers(size_t(c.tableSize), 99);
    EXPECT_EQ(t.CountStyles(c.start, c.end, uses, numbers), c.result);
    EXPECT_EQ(uses, c.useCount);
    EXPECT_EQ(numbers, c.fileNumber);
  }
}

TEST(CountStyles, SetsTheStyleRecords) {
  TTTree t;
  BuildTree(t, {"a", "b"});
  t.Nodes[0]->Style = 2;
  t.Nodes[1]->Style1 = 2;
  std::vector<TStyle> styles(3);
  for (TStyle& s : styles) {
    s.useCount = 50;
    s.fileNumber = 50;
  }
  EXPECT_EQ(t.CountStyles(0, 2, 3, [&styles](int32_t i) { return &styles[size_t(i)]; }), 2);
  EXPECT_EQ(styles[0].useCount, 2);
  EXPECT_EQ(styles[0].fileNumber, 0);
  EXPECT_EQ(styles[1].useCount, 0);
  EXPECT_EQ(styles[1].fileNumber, 50);  // unused: no number given
  EXPECT_EQ(styles[2].useCount, 2);
  EXPECT_EQ(styles[2].fileNumber, 1);
}

}  // namespace
}  // namespace ql
