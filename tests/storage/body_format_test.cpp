#include "storage/body_format.h"

#include <gtest/gtest.h>

#include "storage/doc_images.h"
#include "storage/node_payload.h"

namespace ql {
namespace {

using qltest::Bytes;

// Version 4: two styles, a parent with one child, trailing bytes after the last record.
std::string Version4Doc() {
  return Bytes()
      .Header(4, 1, 2, 0)
      .I8(0).I32(9).I32(1251)
      .I32(2).Z("").Z("Code")
      .I32(2)
      .Node4(5, 0, 1, 2, 0, 1, "root", "long")
      .Node4(9, 1, 0, 0, 1, 1, "child", "")
      .Raw("tail");
}

TEST(TWrTReTest, LittleEndianRoundTripAndBounds) {
  TWr wr;
  wr.Put8(0xAB);
  wr.Put16(0x1234);
  wr.Put32(0xDEADBEEF);
  wr.PutZ(std::string_view("ab\0cd", 5));  // cut at the NUL so the zstr stays readable
  wr.PutZ("");
  const std::vector<uint8_t> taken = wr.Take();
  const std::string bytes(taken.begin(), taken.end());
  EXPECT_EQ(bytes, std::string("\xAB\x34\x12\xEF\xBE\xAD\xDE" "ab\0\0", 11));
  TRe re(bytes);
  uint8_t b;
  uint16_t s;
  uint32_t w;
  std::string_view z;
  ASSERT_TRUE(re.Get8(b) && re.Get16(s) && re.Get32(w) && re.GetZ(z));
  EXPECT_EQ(b, 0xAB);
  EXPECT_EQ(s, 0x1234);
  EXPECT_EQ(w, 0xDEADBEEFu);
  EXPECT_EQ(z, "ab");
  ASSERT_TRUE(re.GetZ(z));
  EXPECT_EQ(z, "");
  EXPECT_FALSE(re.Get8(b));
  TRe shortRe(std::string_view("\x01\x02\x03", 3));
  EXPECT_FALSE(shortRe.Get32(w));
  EXPECT_EQ(shortRe.Pos(), 0u);
  EXPECT_FALSE(shortRe.GetZ(z));  // no terminator
  TRe boolRe(std::string_view("\x02", 1));
  bool flag = false;
  ASSERT_TRUE(boolRe.GetBool(flag));
  EXPECT_TRUE(flag);

  TWr big;
  big.PutBytes(std::string(5000, 'x'));  // grows past its first 1024 bytes
  EXPECT_EQ(big.Take(), std::vector<uint8_t>(5000, 'x'));
}

TEST(CheckDocumentTest, EveryVersionAndTheEmptyDocument) {
  const struct {
    const char* name;
    std::string bytes;
    size_t imageLen;
  } cases[] = {
      {"v4", Version4Doc(), Version4Doc().size() - 4},
      {"empty v4 (33 bytes)", Bytes().Header(4).I8(0).I32(0).I32(1251).I32(0).I32(0), 33},
      {"v3", Bytes().Header(3).I8(1).I32(7).I32(1).I32(7).I32(0).I8(2).Z("t").Z("l"), 16 + 5 + 4 + 9 + 4},
      {"v2", Bytes().Header(2).I32(1).I32(0).I8(1).Z("a").Z("b"), 16 + 4 + 4 + 1 + 2 + 2},
      {"v1", Bytes().Header(1).I32(2).I32(0).I8(1).Z("a").I32(1).I8(0).Z("b"), 16 + 4 + 2 * 7},
      {"v0 reads as v1", Bytes().Header(0).I32(1).I32(0).I8(1).Z("a"), 16 + 4 + 7},
      {"v-7 reads as v1", Bytes().Header(-7).I32(0), 20},
  };
  for (const auto& c : cases) {
    TDocHeader header;
    size_t imageLen = 0;
    EXPECT_EQ(CheckDocument(c.bytes, header, imageLen), TDocCheck::Ok) << c.name;
    EXPECT_EQ(imageLen, c.imageLen) << c.name;
  }
  TDocHeader header;
  size_t imageLen;
  ASSERT_EQ(CheckDocument(Version4Doc(), header, imageLen), TDocCheck::Ok);
  EXPECT_EQ(header.version, 4);
  EXPECT_EQ(header.selTop, 1);
  EXPECT_EQ(header.selBottom, 2);
}

TEST(CheckDocumentTest, NewerVersionIsReportedApart) {
  TDocHeader header;
  size_t imageLen;
  EXPECT_EQ(CheckDocument(Bytes().I32(5), header, imageLen), TDocCheck::Newer);
  EXPECT_EQ(CheckDocument(Bytes().Header(5).Raw("anything"), header, imageLen), TDocCheck::Newer);
}

TEST(CheckDocumentTest, EveryTruncationIsDamaged) {
  const std::string doc = Version4Doc();
  TDocHeader header;
  size_t imageLen;
  ASSERT_EQ(CheckDocument(doc, header, imageLen), TDocCheck::Ok);
  for (size_t len = 0; len < imageLen; ++len) {
    EXPECT_EQ(CheckDocument(doc.substr(0, len), header, imageLen), TDocCheck::Damaged) << len;
  }
}

TEST(CheckDocumentTest, DamagedFieldsAreRefused) {
  auto withHead = [](int32_t styleCount, int32_t nodeCount) {
    return Bytes().Header(4).I8(0).I32(0).I32(1251).I32(styleCount).Z("").I32(nodeCount);
  };
  const struct {
    const char* name;
    std::string bytes;
  } cases[] = {
      {"huge node count", withHead(1, 0x7FFFFFFF).Node4(1, 0, 0, 0, 0, 0, "", "")},
      {"negative node count", withHead(1, -1)},
      {"huge style count", Bytes().Header(4).I8(0).I32(0).I32(1251).I32(0x7FFFFFF0).Z("").I32(0)},
      {"negative style count", Bytes().Header(4).I8(0).I32(0).I32(1251).I32(-2).I32(0)},
      {"style out of the list", withHead(1, 1).Node4(1, 0, 0, 0, 1, 0, "", "")},
      {"style1 out of the list", withHead(1, 1).Node4(1, 0, 0, 0, 0, 7, "", "")},
      {"nodes but no style names", Bytes().Header(4).I8(0).I32(0).I32(1251).I32(0).I32(1).Node4(1, 0, 0, 0, 0, 0, "", "")},
      {"text without terminator", withHead(1, 1).I32(1).I32(0).I8(0).I8(0).I16(0).I16(0).Raw("abc")},
      {"v1 count beyond the bytes", Bytes().Header(1).I32(3).I32(0).I8(0).Z("a")},
  };
  for (const auto& c : cases) {
    TDocHeader header;
    size_t imageLen;
    EXPECT_EQ(CheckDocument(c.bytes, header, imageLen), TDocCheck::Damaged) << c.name;
  }
  // Levels that fall back by several steps or jump are readable; the tree places them.
  TDocHeader header;
  size_t imageLen;
  EXPECT_EQ(CheckDocument(withHead(1, 3)
                              .Node4(1, 0, 0, 0, 0, 0, "", "")
                              .Node4(2, 1, 0, 0, 0, 0, "", "")
                              .Node4(3, -5, 0, 0, 0, 0, "", ""),
                          header, imageLen),
            TDocCheck::Ok);
  EXPECT_EQ(CheckDocument(withHead(1, 2)
                              .Node4(1, -2147483647 - 1, 0, 0, 0, 0, "", "")
                              .Node4(2, 2147483647, 0, 0, 0, 0, "", ""),
                          header, imageLen),
            TDocCheck::Ok);
}

TEST(NodePayloadTest, EncodeDecodeAndRefusals) {
  const std::string body = Bytes().I8(0).I32(3).I32(1251).I32(1).Z("").I32(1).Node4(3, 0, 1, 0, 0, 0, "x", "");
  const std::string payload = EncodeNodePayload(body);
  EXPECT_EQ(payload, Bytes().I32(static_cast<int64_t>(body.size()) + 4).I32(4).Raw(body).str());
  TRe re;
  ASSERT_EQ(DecodeNodePayload(payload, re), TPayloadCheck::Ok);
  EXPECT_EQ(re.Version(), 4);
  EXPECT_EQ(re.Data(), body);

  EXPECT_EQ(DecodeNodePayload(Bytes().I32(static_cast<int64_t>(body.size()) + 4).I32(5).Raw(body), re),
            TPayloadCheck::Newer);
  const struct {
    const char* name;
    std::string bytes;
  } damaged[] = {
      {"empty", ""},
      {"length only", Bytes().I32(4)},
      {"length too large", Bytes().I32(static_cast<int64_t>(body.size()) + 5).I32(4).Raw(body)},
      {"length too small", Bytes().I32(static_cast<int64_t>(body.size()) + 3).I32(4).Raw(body)},
      {"body cut short", Bytes().I32(static_cast<int64_t>(body.size()) + 3).I32(4).Raw(body.substr(0, body.size() - 1))},
  };
  for (const auto& c : damaged) EXPECT_EQ(DecodeNodePayload(c.bytes, re), TPayloadCheck::Damaged) << c.name;
}

}  // namespace
}  // namespace ql
