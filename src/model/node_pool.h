#pragma once
// TNodePool: storage for the nodes of one tree. Nodes are carved from large cache-aligned chunks
// in allocation order (a loaded document lies in memory in pre-order, which the linear rebuilds
// walk), and destroyed nodes are reused, so a million-node document costs a few dozen
// allocations. Sanitizer builds use plain new/delete so use-after-free stays detectable.
#include <cstddef>
#include <memory>
#include <vector>

#include "model/node.h"

namespace ql {

class TNodePool {
 public:
  TNodePool() = default;
  TNodePool(const TNodePool&) = delete;
  TNodePool& operator=(const TNodePool&) = delete;
  ~TNodePool();

  // A new blank node.
  TTNode* New();
  // Destroys a node made by New.
  void Delete(TTNode* node);
  // Releases all storage; every node must have been deleted.
  void Release();
  size_t Live() const { return live_; }

 private:
  struct alignas(TTNode) Slot {
    unsigned char bytes[sizeof(TTNode)];
  };
  std::vector<std::unique_ptr<Slot[]>> chunks_;
  size_t used_ = 0;        // slots handed out of the last chunk
  size_t chunkSize_ = 0;   // slots in the last chunk
  std::vector<void*> free_;
  size_t live_ = 0;
};

}  // namespace ql
