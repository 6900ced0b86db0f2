// purgel: deletes every file whose extension matches a filter in a folder tree. Special files
// (FIFO, socket, device) are never touched and count as failures; no folder is ever deleted.
// Prints nothing; exit code 0 when nothing failed, else 1.
#include <memory>
#include <string>

#include "platform/fs_entry.h"
#include "tools/command_line.h"
#include "tools/ext_filter.h"
#include "tools/folder_walk.h"

namespace ql::tools {
namespace {

class PurgeVisitor : public FolderVisitor {
 public:
  explicit PurgeVisitor(const ExtFilter& filter) : filter_(filter) {}

  Visit File(const fs::Dir& dir, const fs::Entry& entry, bool failed) override {
    if (entry.info.system) return Visit::kFailed;
    if (!filter_.Matches(entry.name)) return Visit::kOk;
    if (!entry.info.link) fs::ClearReadOnly(dir, entry.name);
    if (failed) return Visit::kOk;
    return fs::DeleteFile(dir, entry.name) ? Visit::kOk : Visit::kFailed;
  }

  std::unique_ptr<FolderVisitor> Sub(const std::string&) override {
    return std::make_unique<PurgeVisitor>(filter_);
  }

  bool WalkAfterFailure() const override { return true; }

 private:
  const ExtFilter& filter_;
};

int Run(int argc, const char* const* argv) {
  CommandLine line = ParseCommandLine(argc, argv, {"noS"});
  if (line.unknown_option || line.count < 2 || line.positional.size() < 2) return 1;
  ExtFilter filter;
  if (!filter.Set(line.positional.back())) return 1;
  const std::string& folder = line.positional[0];
  if (fs::StatPath(folder).kind != fs::Kind::kFolder) return 1;
  fs::Dir dir = fs::Dir::Open(folder);
  if (!dir.ok()) return 1;
  PurgeVisitor visitor(filter);
  return WalkFolder(dir, visitor, !line.Has("noS")) ? 0 : 1;
}

}  // namespace
}  // namespace ql::tools

int main(int argc, char** argv) { return ql::tools::Run(argc, argv); }
