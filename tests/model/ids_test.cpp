// Id handout and the id repair after a load.
#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "model/ids.h"

namespace ql {
namespace {

std::vector<uint32_t> IdsOf(const std::deque<TTNode>& nodes) {
  std::vector<uint32_t> ids;
  for (const TTNode& n : nodes) ids.push_back(n.Id);
  return ids;
}

TEST(TIds, NewIdCountsOnAndSkipsIdsInUse) {
  TIds ids;
  std::deque<TTNode> nodes(4);
  nodes[0].Id = 2;
  ids.Ids.Find(2);
  ids.Ids.AddFound(&nodes[0]);
  for (size_t i = 1; i < 4; ++i) ids.NewId(&nodes[i]);
  EXPECT_EQ(IdsOf(nodes), (std::vector<uint32_t>{2, 1, 3, 4}));
  EXPECT_EQ(ids.MaxId, 4u);
  EXPECT_FALSE(ids.IdsWrapped);
  for (const TTNode& n : nodes) EXPECT_EQ(ids.FindById(n.Id), &n);
}

TEST(TIds, NewIdWrapsPastTheLargestValueSkippingZero) {
  TIds ids;
  std::deque<TTNode> used(2);
  used[0].Id = 1;
  used[1].Id = 0xFFFFFFFFu;
  for (TTNode& n : used) {
    ids.Ids.Find(n.Id);
    ids.Ids.AddFound(&n);
  }
  ids.MaxId = 0xFFFFFFFFu;
  TTNode fresh;
  ids.NewId(&fresh);
  EXPECT_EQ(fresh.Id, 2u);  // 0 is never handed out, 1 is in use
  EXPECT_TRUE(ids.IdsWrapped);
  EXPECT_EQ(ids.MaxId, 2u);
  EXPECT_EQ(ids.FindById(2), &fresh);
}

TEST(TIds, DropIdTakesTheNodeOut) {
  TIds ids;
  TTNode a, b;
  ids.NewId(&a);
  ids.NewId(&b);
  ids.DropId(a.Id);
  EXPECT_EQ(ids.FindById(a.Id), nullptr);
  EXPECT_EQ(ids.FindById(b.Id), &b);
  ids.DropId(12345);  // absent: nothing happens
  EXPECT_EQ(ids.Ids.Count(), 1);
}

TEST(TIds, RebuildIdsRepairsLoadedIds) {
  struct Case {
    const char* what;
    std::vector<uint32_t> loaded;
    uint32_t maxId;
    bool wrapped;
    std::vector<uint32_t> ids;
    uint32_t maxIdAfter;
    bool wrappedAfter;
  } cases[] = {
      {"duplicate, counter below the ids", {5, 7, 5}, 3, false, {5, 7, 8}, 8, false},
      {"counter above the ids", {5, 7, 5}, 20, false, {5, 7, 21}, 21, false},
      {"counter below the largest id", {60, 1, 2}, 50, false, {60, 1, 2}, 60, false},
      {"zero ids: the first keeps it", {0, 0, 3}, 0, false, {0, 4, 3}, 4, false},
      {"largest id: the duplicate wraps", {0xFFFFFFFFu, 0xFFFFFFFFu}, 0, false,
       {0xFFFFFFFFu, 1}, 1, true},
      {"wrapped counter is not raised", {9, 9, 1}, 2, true, {9, 3, 1}, 3, true},
      {"no nodes", {}, 7, false, {}, 7, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TIds ids;
    ids.MaxId = c.maxId;
    ids.IdsWrapped = c.wrapped;
    std::deque<TTNode> nodes(c.loaded.size());
    std::vector<TTNode*> ptrs;
    for (size_t i = 0; i < nodes.size(); ++i) {
      nodes[i].Id = c.loaded[i];
      ptrs.push_back(&nodes[i]);
    }
    ids.RebuildIds(ptrs);
    EXPECT_EQ(IdsOf(nodes), c.ids);
    EXPECT_EQ(ids.MaxId, c.maxIdAfter);
    EXPECT_EQ(ids.IdsWrapped, c.wrappedAfter);
    EXPECT_EQ(ids.Ids.Count(), int32_t(nodes.size()));
    for (const TTNode& n : nodes) EXPECT_EQ(ids.FindById(n.Id), &n);
  }
}

TEST(TIds, RebuildIdsDimensionsForTheDocument) {
  TIds ids;
  std::deque<TTNode> nodes(5000);
  std::vector<TTNode*> ptrs;
  for (size_t i = 0; i < nodes.size(); ++i) {
    nodes[i].Id = uint32_t(i + 1);
    ptrs.push_back(&nodes[i]);
  }
  ids.RebuildIds(ptrs);
  EXPECT_EQ(ids.Ids.Size(), 5100);  // sized once: no rehash while adding
  EXPECT_EQ(ids.MaxId, 5000u);
}

}  // namespace
}  // namespace ql
