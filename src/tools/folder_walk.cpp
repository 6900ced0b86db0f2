#include "tools/folder_walk.h"

#include <vector>

namespace ql::tools {

bool WalkFolder(const fs::Dir& dir, FolderVisitor& visitor, bool recurse) {
  std::vector<fs::Entry> entries;
  if (!fs::List(dir, &entries)) return false;
  bool failed = false;
  for (const fs::Entry& e : entries) {
    if (e.info.kind == fs::Kind::kFolder) {
      if (!recurse || (failed && !visitor.WalkAfterFailure())) continue;
      fs::Dir sub = dir.OpenChild(e.name);
      std::unique_ptr<FolderVisitor> child = visitor.Sub(e.name);
      if (!sub.ok() || !WalkFolder(sub, *child, recurse)) failed = true;
    } else {
      Visit v = visitor.File(dir, e, failed);
      if (v == Visit::kAbort) return false;
      if (v == Visit::kFailed) failed = true;
    }
  }
  return !failed;
}

}  // namespace ql::tools
