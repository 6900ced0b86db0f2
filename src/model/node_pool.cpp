// TNodePool: chunked node storage with reuse of destroyed nodes.
#include "model/node_pool.h"

#include <algorithm>
#include <cassert>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#define QL_NODE_POOL_PLAIN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define QL_NODE_POOL_PLAIN 1
#endif
#endif

namespace ql {

namespace {
constexpr size_t kFirstChunk = 256;
constexpr size_t kMaxChunk = 65536;
}  // namespace

TNodePool::~TNodePool() { Release(); }

TTNode* TNodePool::New() {
  ++live_;
#ifdef QL_NODE_POOL_PLAIN
  return new TTNode;
#else
  void* mem;
  if (!free_.empty()) {
    mem = free_.back();
    free_.pop_back();
  } else {
    if (used_ == chunkSize_) {
      chunkSize_ = chunkSize_ ? std::min(chunkSize_ * 2, kMaxChunk) : kFirstChunk;
      chunks_.push_back(std::make_unique_for_overwrite<Slot[]>(chunkSize_));
      used_ = 0;
    }
    mem = &chunks_.back()[used_++];
  }
  return new (mem) TTNode;
#endif
}

void TNodePool::Delete(TTNode* node) {
  if (!node) return;
  assert(live_ > 0);
  --live_;
#ifdef QL_NODE_POOL_PLAIN
  delete node;
#else
  node->~TTNode();
  free_.push_back(node);
#endif
}

void TNodePool::Release() {
  assert(live_ == 0);
  chunks_.clear();
  chunks_.shrink_to_fit();
  free_.clear();
  free_.shrink_to_fit();
  used_ = chunkSize_ = 0;
}

}  // namespace ql
