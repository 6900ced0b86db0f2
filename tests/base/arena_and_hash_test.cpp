#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "base/hash_s.h"
#include "base/message_hook.h"
#include "base/tmem.h"

namespace ql {
namespace {

TEST(TMem, BlockGrowth) {
  TMem mem(65536);
  EXPECT_EQ(mem.MaxBlock(), 1u << 20);
  mem.Alloc(100);
  EXPECT_EQ(mem.LastBlockSize(), 65536u);           // 100 + 24 rounded to the minimum
  mem.Alloc(65536 - 24 - 100 + 1);                  // does not fit: second block
  EXPECT_EQ(mem.LastBlockSize(), 3u * 65536);       // 2 * 65536 + 48, rounded up
  mem.Alloc(4 * 65536);
  EXPECT_EQ(mem.LastBlockSize(), 7u * 65536);       // 2 * 196608 + 48 rounded up
  mem.Alloc(5u << 20);                               // larger than the maximum
  EXPECT_EQ(mem.LastBlockSize(), 6u << 20);          // rounded to a multiple of the maximum
  mem.Alloc((1u << 20) - 24);                        // the rest of that block
  EXPECT_EQ(mem.BlockCount(), 4u);
  mem.Alloc(8);                                      // twice the last would be more: the maximum
  EXPECT_EQ(mem.LastBlockSize(), 1u << 20);
  mem.Clear();
  EXPECT_EQ(mem.BlockCount(), 0u);
}

TEST(TMem, AlignmentAndStrings) {
  TMem mem(64);
  mem.Alloc(1);
  auto* p = static_cast<char*>(mem.Alloc4Z(10));
  EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % 4, 0u);
  for (int i = 0; i < 10; ++i) EXPECT_EQ(p[i], 0);
  EXPECT_STREQ(mem.CopyStr("abc", 2), "ab");
  auto* d = mem.New<double>(3);
  EXPECT_EQ(reinterpret_cast<uintptr_t>(d) % alignof(double), 0u);
}

TEST(THashS, HashAndBucketNumbers) {
  EXPECT_EQ(THashS::Hash("", 0), 0u);
  // "a" is the zero-padded group 0x61: high half of 0x61 * 0x01DED1E36BFAACE9.
  EXPECT_EQ(THashS::Hash("a", 1), static_cast<uint32_t>((0x61ull * 0x01DED1E36BFAACE9ull) >> 32));
  const uint64_t k = 0x01DED1E36BFAACE9ull;
  const uint32_t abcd = 0x64636261;
  EXPECT_EQ(THashS::Hash("abcde", 5),
            static_cast<uint32_t>((abcd * k) >> 32) + static_cast<uint32_t>((0x65ull * k) >> 32));
  EXPECT_EQ(THashS::Bucket(0x80000000u, 2048), 1024u);
  EXPECT_EQ(THashS::Bucket(0xFFFFFFFFu, 2048), 2047u);
}

TEST(THashS, SizingAndGrowth) {
  THashS h;
  EXPECT_EQ(h.Find("x"), nullptr);  // first lookup sizes for 1024
  EXPECT_EQ(h.Capacity(), 1024);
  EXPECT_EQ(h.BucketCount(), 2048u);
  EXPECT_EQ(h.CellCapacity(), 257);
  THashS small(0);
  EXPECT_EQ(small.Capacity(), 100);
  EXPECT_EQ(small.CellCapacity(), 26);

  std::vector<std::string> keys;
  for (int i = 0; i < 3000; ++i) keys.push_back("key" + std::to_string(i));
  for (const auto& k : keys) EXPECT_TRUE(small.Add(k.c_str()));
  EXPECT_EQ(small.Count(), 3000);
  EXPECT_GE(small.Capacity(), 3000);
  EXPECT_EQ(small.Capacity() % 100, 0);  // doubled from 100
  for (const auto& k : keys) EXPECT_EQ(small.Find(k.c_str()), k.c_str());
  std::set<std::string> seen;
  small.ForEach([&](const char* s) { seen.insert(s); });
  EXPECT_EQ(seen.size(), keys.size());
}

TEST(THashS, SpanLookupSetAndRemove) {
  THashS h(4);
  const char* words[] = {"begin", "end", "beg", "if"};
  for (const char* w : words) EXPECT_TRUE(h.Add(w));
  EXPECT_FALSE(h.Add("end"));
  const char* text = "beginning";
  EXPECT_EQ(h.FindSpan(text, 5), words[0]);
  EXPECT_EQ(h.FindSpan(text, 3), words[2]);
  EXPECT_EQ(h.FindSpan(text, 4), nullptr);
  // Set after a successful lookup replaces the pointer.
  static const char other[] = "end";
  ASSERT_NE(h.Find("end"), nullptr);
  h.Set(other);
  EXPECT_EQ(h.Find("end"), other);
  EXPECT_EQ(h.Count(), 4);
  // Removing from chains frees cells for reuse.
  for (const char* w : words) EXPECT_TRUE(h.Remove(w));
  EXPECT_FALSE(h.Remove("if"));
  EXPECT_EQ(h.Count(), 0);
  EXPECT_EQ(h.CellsInUse(), 0);
  for (const char* w : words) EXPECT_TRUE(h.Add(w));
  for (const char* w : words) EXPECT_EQ(h.Find(w), w);
}

TEST(MessageHook, RecorderAnswersFromItsQueue) {
  MessageRecorder rec;
  rec.QueueAnswer(MsgAnswer::Cancel);
  EXPECT_FALSE(AskOkCancel("Q", "t"));
  EXPECT_TRUE(AskOkCancel("Q2", ""));
  ShowWarning("W", "path");
  ASSERT_EQ(rec.Requests().size(), 3u);
  EXPECT_EQ(rec.Requests()[2].title, "W");
  EXPECT_EQ(rec.Requests()[2].text, "path");
  EXPECT_EQ(rec.Requests()[2].icon, MsgIcon::Warning);
}

}  // namespace
}  // namespace ql
