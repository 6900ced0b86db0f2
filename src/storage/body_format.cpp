#include "storage/body_format.h"

namespace ql {
namespace {

// The fewest bytes a node record of a version can take (both strings empty).
size_t MinRecordSize(int32_t version) {
  switch (EffectiveVersion(version)) {
    case 1: return 4 + 1 + 1;
    case 2: return 4 + 1 + 1 + 1;
    case 3: return 4 + 4 + 1 + 1 + 1;
    default: return 4 + 4 + 1 + 1 + 2 + 2 + 1 + 1;
  }
}

}  // namespace

bool ReadBodyHead(TRe& re, TBodyHead& head) {
  const int32_t v = EffectiveVersion(re.Version());
  head = TBodyHead();
  if (v > 2) {
    head.hasIds = true;
    if (!re.GetBool(head.idsWrapped) || !re.Get32(head.maxId)) return false;
  }
  if (v > 3) {
    head.hasCodePage = true;
    int32_t count;
    if (!re.Get32(head.codePage) || !re.GetI32(count)) return false;
    // Every name takes at least its terminator.
    if (count < 0 || static_cast<size_t>(count) > kMaxStyleNames || static_cast<size_t>(count) > re.Remaining()) {
      return false;
    }
    head.styleNames.resize(static_cast<size_t>(count));
    for (std::string_view& name : head.styleNames) {
      if (!re.GetZ(name)) return false;
    }
  }
  if (!re.GetI32(head.nodeCount) || head.nodeCount < 0) return false;
  return static_cast<size_t>(head.nodeCount) <= re.Remaining() / MinRecordSize(v);
}

bool ReadBodyRecord(TRe& re, const TBodyHead& head, TBodyRecord& record) {
  const int32_t v = EffectiveVersion(re.Version());
  record.hasId = v > 2;
  if (record.hasId && !re.Get32(record.id)) return false;
  if (!re.GetI32(record.level) || !re.GetBool(record.opened)) return false;
  if (v > 3) {
    if (!re.Get8(record.flags) || !re.Get16(record.style) || !re.Get16(record.style1)) return false;
    if (record.style >= head.styleNames.size() || record.style1 >= head.styleNames.size()) return false;
  } else {
    record.flags = 0;
    record.style = record.style1 = 0;
  }
  if (!re.GetZ(record.text)) return false;
  record.ltext = {};
  return v < 2 || re.GetZ(record.ltext);
}

bool CheckBody(TRe& re) {
  TBodyHead head;
  if (!ReadBodyHead(re, head)) return false;
  TBodyRecord record;
  for (int32_t i = 0; i < head.nodeCount; ++i) {
    if (!ReadBodyRecord(re, head, record)) return false;
  }
  return true;
}

TDocCheck CheckDocument(std::string_view bytes, TDocHeader& header, size_t& imageLen) {
  TRe re(bytes);
  TDocHeader h;
  if (!re.GetI32(h.version)) return TDocCheck::Damaged;
  if (h.version > kDocVersion) return TDocCheck::Newer;
  if (!re.GetI32(h.selTop) || !re.GetI32(h.selBottom) || !re.GetI32(h.topRow)) return TDocCheck::Damaged;
  re.SetVersion(EffectiveVersion(h.version));
  if (!CheckBody(re)) return TDocCheck::Damaged;
  header = h;
  imageLen = re.Pos();
  return TDocCheck::Ok;
}

}  // namespace ql
