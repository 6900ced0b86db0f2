#include "storage/node_payload.h"

#include "storage/body_format.h"

namespace ql {

std::string EncodeNodePayload(std::string_view body) {
  TWr wr;
  wr.Ensure(body.size() + 8);
  wr.Put32(static_cast<uint32_t>(body.size() + 4));
  wr.PutI32(kDocVersion);
  wr.PutBytes(body);
  const std::vector<uint8_t> bytes = wr.Take();
  return std::string(bytes.begin(), bytes.end());
}

TPayloadCheck DecodeNodePayload(std::string_view payload, TRe& reader) {
  TRe re(payload);
  uint32_t n;
  int32_t version;
  if (!re.Get32(n) || n != re.Remaining() || !re.GetI32(version)) return TPayloadCheck::Damaged;
  if (version > kDocVersion) return TPayloadCheck::Newer;
  const std::string_view body = payload.substr(re.Pos());
  TRe check(body, EffectiveVersion(version));
  if (!CheckBody(check)) return TPayloadCheck::Damaged;
  reader = TRe(body, EffectiveVersion(version));
  return TPayloadCheck::Ok;
}

}  // namespace ql
