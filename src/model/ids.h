#pragma once
// TIds: the id state of a document (the index from id to node, the id counter and the flag that
// the counter wrapped), the base of the tree object. Ids are unsigned 32-bit and never 0 when
// handed out; a node loaded with id 0 keeps it.
#include <cstdint>
#include <span>

#include "model/hash_f4.h"

namespace ql {

class TIds {
 public:
  THashF4 Ids;
  uint32_t MaxId = 0;        // the last id handed out or the largest id loaded
  bool IdsWrapped = false;   // MaxId ran past 0xFFFFFFFF and started again

  // Gives `node` the next free id after MaxId (skipping 0 and ids in use) and indexes it.
  // Never ends when every id is in use; a document cannot get that large.
  void NewId(TTNode* node);
  // After a load: makes Ids hold exactly `nodes`. The first node with an id keeps it; later
  // duplicates get fresh ids, in document order, after MaxId has been raised to the largest
  // id kept (unless the counter has wrapped).
  void RebuildIds(std::span<TTNode* const> nodes);
  TTNode* FindById(uint32_t id) { return Ids.Find(id); }
  void DropId(uint32_t id) { Ids.Erase(id); }
};

}  // namespace ql
