#pragma once
// The document body as bytes: its head (ids, code page, style names) and its node records, for
// every version 1-4, parsed with every count, string, style number and level checked against
// the bytes present. The parse never allocates on a count the bytes cannot back, so a damaged
// file or clipboard payload is refused before anything of a document is touched.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "storage/byte_io.h"

namespace ql {

constexpr int32_t kDocVersion = 4;      // the version the writer produces
constexpr size_t kDocHeaderSize = 16;   // version, selTop, selBottom, topRow
constexpr size_t kMaxStyleNames = 65536;  // node records refer to names by 16-bit numbers

// A version of 1 or less reads as version 1.
inline int32_t EffectiveVersion(int32_t version) { return version < 1 ? 1 : version; }

struct TBodyHead {
  bool hasIds = false;       // versions 3 and 4
  bool idsWrapped = false;
  uint32_t maxId = 0;
  bool hasCodePage = false;  // version 4
  uint32_t codePage = 0;
  std::vector<std::string_view> styleNames;  // version 4; views into the reader's bytes
  int32_t nodeCount = 0;
};

struct TBodyRecord {
  bool hasId = false;
  uint32_t id = 0;
  int32_t level = 0;  // as written: the node's level minus the base of the write
  bool opened = false;
  uint8_t flags = 0;
  uint16_t style = 0;   // position in the body's style names
  uint16_t style1 = 0;
  std::string_view text;
  std::string_view ltext;
};

// Reads the head of a body of the reader's version. False when the bytes are damaged.
bool ReadBodyHead(TRe& re, TBodyHead& head);

// Reads one node record. False when the bytes are damaged: a field or terminator missing, or a
// style number outside the body's list. Any level is accepted: the tree places levels that jump.
bool ReadBodyRecord(TRe& re, const TBodyHead& head, TBodyRecord& record);

// Walks a whole body without keeping anything. True when it is intact; `re` then stands after
// its last record.
bool CheckBody(TRe& re);

// Header of a document file.
struct TDocHeader {
  int32_t version = 0;  // as read
  int32_t selTop = 0;
  int32_t selBottom = 0;
  int32_t topRow = 0;
};

enum class TDocCheck { Ok, Damaged, Newer };

// Checks a whole document file: its header, a version not above 4, an intact body. With Ok,
// `header` holds the header and `imageLen` the bytes up to the end of the last node record.
TDocCheck CheckDocument(std::string_view bytes, TDocHeader& header, size_t& imageLen);

}  // namespace ql
