#pragma once
// ReadBody without its own check, for callers that have just checked the same bytes.
#include <cstdint>

namespace ql {

class TRe;
class TStyleNames;
class TTTree;
struct TTNode;

// REQUIRES: the body at the reader passed CheckBody.
int32_t ReadCheckedBody(TRe& re, TTTree& tree, TTNode* parent, int32_t index, bool paste, TStyleNames& styles);

}  // namespace ql
