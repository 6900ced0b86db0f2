#pragma once
// The folder walk of twinner, relocer and purgel. Entries come from fs::List: sorted by name bytes,
// names beginning with "." skipped, links never followed (a link is a file entry). A folder that
// cannot be listed or opened counts as a failure.
#include <memory>
#include <string>

#include "platform/fs_entry.h"

namespace ql::tools {

enum class Visit {
  kOk,
  kFailed,  // remembered as this folder's failure; the walk goes on
  kAbort,   // this folder's walk ends at once with failure
};

class FolderVisitor {
 public:
  virtual ~FolderVisitor() = default;
  // A file entry of `dir`; `failed` tells whether something in this folder failed already.
  virtual Visit File(const fs::Dir& dir, const fs::Entry& entry, bool failed) = 0;
  // The visitor for the subfolder `name` of this folder.
  virtual std::unique_ptr<FolderVisitor> Sub(const std::string& name) = 0;
  // Whether subfolders are still walked after a failure in their folder.
  virtual bool WalkAfterFailure() const = 0;
};

// Walks `dir`, descending into subfolders when `recurse`; a subfolder's failure becomes its
// folder's failure. Returns false when anything failed.
bool WalkFolder(const fs::Dir& dir, FolderVisitor& visitor, bool recurse);

}  // namespace ql::tools
