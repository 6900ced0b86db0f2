// TIds: handing out fresh ids and repairing the ids of a loaded document.
#include "model/ids.h"

#include <vector>

namespace ql {

void TIds::NewId(TTNode* node) {
  for (;;) {
    ++MaxId;  // wraps from 0xFFFFFFFF to 0
    if (MaxId == 0) {
      IdsWrapped = true;
      continue;
    }
    if (!Ids.Find(MaxId)) break;
  }
  node->Id = MaxId;
  Ids.AddFound(node);
}

void TIds::RebuildIds(std::span<TTNode* const> nodes) {
  // Start from an empty set dimensioned for the whole document, so adding never rehashes.
  Ids.Free();
  Ids.Resize(int32_t(nodes.size()) + 100);
  uint32_t largest = 0;
  bool anyDuplicate = false;
  for (TTNode* p : nodes) {
    TTNode* found = Ids.Find(p->Id);
    if (found && found != p) {
      p->Mark = 1;
      anyDuplicate = true;
    } else {
      Ids.AddFound(p);
      p->Mark = 0;
      if (p->Id > largest) largest = p->Id;
    }
  }
  if (!IdsWrapped && MaxId < largest) MaxId = largest;
  if (!anyDuplicate) return;
  for (TTNode* p : nodes) {
    if (p->Mark) {
      p->Mark = 0;
      NewId(p);
    }
  }
}

}  // namespace ql
