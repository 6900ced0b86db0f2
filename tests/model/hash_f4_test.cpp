// The id index: bucket function, growth, chains with their cell pool and free list.
#include <gtest/gtest.h>

#include <deque>
#include <vector>

#include "model/hash_f4.h"

namespace ql {
namespace {

// Nodes with the given ids, kept at stable addresses.
std::deque<TTNode> MakeNodes(const std::vector<uint32_t>& ids) {
  std::deque<TTNode> nodes(ids.size());
  for (size_t i = 0; i < ids.size(); ++i) nodes[i].Id = ids[i];
  return nodes;
}

TEST(THashF4, BucketNumbers) {
  struct Case {
    uint32_t key;
    int32_t buckets;
    int32_t bucket;
  } cases[] = {{1, 2048, 14}, {2, 2048, 29}, {3, 2048, 44}, {1000, 2048, 627},
               {123456, 200, 199}, {0, 2048, 0}, {0xFFFFFFFFu, 2048, 848}};
  for (const Case& c : cases)
    EXPECT_EQ(THashF4::BucketOf(c.key, c.buckets), c.bucket) << c.key << " in " << c.buckets;
}

TEST(THashF4, FirstFindSetsUpNominalSize1024) {
  THashF4 h;
  EXPECT_EQ(h.Find(5), nullptr);
  EXPECT_EQ(h.Size(), 1024);
  EXPECT_EQ(h.BucketCount(), 2048);
  EXPECT_EQ(h.CellCount(), 257);
  EXPECT_FALSE(h.Erase(5));
}

TEST(THashF4, InitCountsZeroAsHundred) {
  struct Case {
    int32_t n, size, buckets, cells;
  } cases[] = {{0, 100, 200, 26}, {-5, 100, 200, 26}, {7, 7, 14, 2}, {1024, 1024, 2048, 257}};
  for (const Case& c : cases) {
    THashF4 h;
    h.Resize(c.n);
    EXPECT_EQ(h.Size(), c.size) << c.n;
    EXPECT_EQ(h.BucketCount(), c.buckets) << c.n;
    EXPECT_EQ(h.CellCount(), c.cells) << c.n;
  }
}

TEST(THashF4, DoublesOnceWhenThe101stKeyComes) {
  std::vector<uint32_t> ids;
  for (uint32_t k = 1; k <= 101; ++k) ids.push_back(k);
  auto nodes = MakeNodes(ids);
  THashF4 h;
  h.Resize(100);
  for (size_t i = 0; i < 100; ++i) {
    ASSERT_EQ(h.Find(nodes[i].Id), nullptr);
    h.AddFound(&nodes[i]);
  }
  EXPECT_EQ(h.Size(), 100);
  EXPECT_EQ(h.Count(), 100);
  ASSERT_EQ(h.Find(101), nullptr);
  h.AddFound(&nodes[100]);
  EXPECT_EQ(h.Size(), 200);
  EXPECT_EQ(h.BucketCount(), 400);
  EXPECT_EQ(h.CellCount(), 51);
  EXPECT_EQ(h.Count(), 101);
  for (auto& n : nodes) EXPECT_EQ(h.Find(n.Id), &n) << n.Id;
}

TEST(THashF4, AddGrowsWhenTheCellPoolRunsOut) {
  // Nominal size 7: 14 buckets and 2 cells. Three keys of one bucket use both cells; a fourth
  // key of another bucket then needs no cell but the pool test still doubles the set.
  std::vector<uint32_t> same;
  for (uint32_t k = 1; same.size() < 3; ++k)
    if (THashF4::BucketOf(k, 14) == 0) same.push_back(k);
  uint32_t other = 1;
  while (THashF4::BucketOf(other, 14) == 0) ++other;
  same.push_back(other);
  auto nodes = MakeNodes(same);
  THashF4 h;
  h.Resize(7);
  for (int i = 0; i < 3; ++i) h.Add(&nodes[size_t(i)]);
  EXPECT_EQ(h.CellsUsed(), 2);
  EXPECT_EQ(h.Size(), 7);
  h.Add(&nodes[3]);
  EXPECT_EQ(h.Size(), 14);
  for (auto& n : nodes) EXPECT_EQ(h.Find(n.Id), &n);
}

TEST(THashF4, EraseFromChains) {
  // Three keys of one bucket: the chain is k3 -> k2 -> k1 (the last added first).
  std::vector<uint32_t> keys;
  for (uint32_t k = 1; keys.size() < 3; ++k)
    if (THashF4::BucketOf(k, 2048) == 14) keys.push_back(k);
  for (int erased = 0; erased < 3; ++erased) {
    auto nodes = MakeNodes(keys);
    THashF4 h;
    for (auto& n : nodes) {
      ASSERT_EQ(h.Find(n.Id), nullptr);
      h.AddFound(&n);
    }
    ASSERT_EQ(h.CellsUsed(), 2);
    EXPECT_TRUE(h.Erase(keys[size_t(erased)]));
    EXPECT_FALSE(h.Erase(keys[size_t(erased)]));
    EXPECT_EQ(h.Count(), 2);
    EXPECT_EQ(h.CellsUsed(), 1);
    EXPECT_EQ(h.FreeCellCount(), 1);
    for (int i = 0; i < 3; ++i)
      EXPECT_EQ(h.Find(keys[size_t(i)]), i == erased ? nullptr : &nodes[size_t(i)]);
    // The freed cell is reused before the pool.
    const int32_t taken = h.CellsTaken();
    ASSERT_EQ(h.Find(keys[size_t(erased)]), nullptr);
    h.AddFound(&nodes[size_t(erased)]);
    EXPECT_EQ(h.CellsTaken(), taken);
    EXPECT_EQ(h.FreeCellCount(), 0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(h.Find(keys[size_t(i)]), &nodes[size_t(i)]);
  }
}

TEST(THashF4, AddFoundReplacesTheNodeFound) {
  auto nodes = MakeNodes({42, 42});
  THashF4 h;
  h.Find(42);
  h.AddFound(&nodes[0]);
  ASSERT_EQ(h.Find(42), &nodes[0]);
  h.AddFound(&nodes[1]);
  EXPECT_EQ(h.Count(), 1);
  EXPECT_EQ(h.Find(42), &nodes[1]);
}

TEST(THashF4, ResizeKeepsEveryElementAndFreeZeroes) {
  std::vector<uint32_t> ids;
  for (uint32_t k = 0; k < 3000; ++k) ids.push_back(k * 7919u + 3);
  auto nodes = MakeNodes(ids);
  THashF4 h;
  for (auto& n : nodes) h.Add(&n);
  EXPECT_EQ(h.Count(), 3000);
  h.Resize(50);  // smaller than the count: the rebuilt set grows itself as it fills
  EXPECT_GE(h.Size(), 3000);
  for (auto& n : nodes) ASSERT_EQ(h.Find(n.Id), &n);
  h.Free();
  EXPECT_EQ(h.Count(), 0);
  EXPECT_EQ(h.Size(), 0);
  EXPECT_EQ(h.BucketCount(), 0);
  EXPECT_EQ(h.CellsTaken(), 0);
}

}  // namespace
}  // namespace ql
