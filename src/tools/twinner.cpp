// twinner copies, and relocer (built from this file with QL_TWINNER_MOVES=1) moves, every file
// whose extension matches a filter from one folder tree into another, keeping the relative paths.
// Destination folders are made only where a matching file is found. Prints nothing; exit code 0
// when nothing failed, else 1.
#include <memory>
#include <string>

#include "platform/fs_entry.h"
#include "tools/command_line.h"
#include "tools/ext_filter.h"
#include "tools/folder_walk.h"

#ifndef QL_TWINNER_MOVES
#error "QL_TWINNER_MOVES must be 0 (twinner) or 1 (relocer)"
#endif

namespace ql::tools {
namespace {

constexpr bool kMoves = QL_TWINNER_MOVES != 0;

// A destination folder opened on demand: made, with any missing parents, at its first use.
struct DestFolder {
  DestFolder* parent = nullptr;
  std::string name;
  fs::Dir dir;

  bool Ensure() {
    if (dir.ok()) return true;
    if (!parent || !parent->Ensure()) return false;
    dir = parent->dir.OpenChild(name);
    if (dir.ok()) return true;
    // Anything else of that name (a file, a link) is in the way.
    if (!fs::MakeFolder(parent->dir, name)) return false;
    dir = parent->dir.OpenChild(name);
    return dir.ok();
  }
};

class TwinVisitor : public FolderVisitor {
 public:
  TwinVisitor(const ExtFilter& filter, DestFolder* dest) : filter_(filter), dest_(dest) {}

  Visit File(const fs::Dir& dir, const fs::Entry& entry, bool failed) override {
    if (!filter_.Matches(entry.name)) return Visit::kOk;
    if (!dest_ready_) {
      if (!dest_->Ensure()) return Visit::kAbort;
      dest_ready_ = true;
    }
    fs::EntryInfo target;
    if (fs::Stat(dest_->dir, entry.name, &target) && target.kind == fs::Kind::kFile && !target.system) {
      fs::ClearReadOnly(dest_->dir, entry.name);
    }
    if (failed) return Visit::kOk;
    bool ok = kMoves ? fs::MoveFile(dir, entry.name, dest_->dir, entry.name)
                     : fs::CopyFile(dir, entry.name, dest_->dir, entry.name, true);
    return ok ? Visit::kOk : Visit::kFailed;
  }

  std::unique_ptr<FolderVisitor> Sub(const std::string& name) override {
    auto child = std::make_unique<TwinVisitor>(filter_, nullptr);
    child->own_dest_ = std::make_unique<DestFolder>();
    child->own_dest_->parent = dest_;
    child->own_dest_->name = name;
    child->dest_ = child->own_dest_.get();
    return child;
  }

  bool WalkAfterFailure() const override { return false; }

 private:
  const ExtFilter& filter_;
  DestFolder* dest_;
  std::unique_ptr<DestFolder> own_dest_;
  bool dest_ready_ = false;
};

int Run(int argc, const char* const* argv) {
  CommandLine line = ParseCommandLine(argc, argv, {"noS"});
  if (line.unknown_option || line.count < 3 || line.positional.size() < 3) return 1;
  ExtFilter filter;
  if (!filter.Set(line.positional.back())) return 1;
  const std::string& source = line.positional[0];
  const std::string& destination = line.positional[1];

  if (fs::StatPath(source).kind != fs::Kind::kFolder) return 1;
  fs::EntryInfo dest_info = fs::StatPath(destination);
  if (dest_info.kind == fs::Kind::kNone) {
    // Only the last component is made.
    fs::Dir parent;
    std::string name;
    std::string bare = destination;
    while (bare.size() > 1 && bare.back() == '/') bare.pop_back();
    if (!fs::OpenParent(bare, &parent, &name) || !fs::MakeFolder(parent, name)) return 1;
  } else if (dest_info.kind != fs::Kind::kFolder) {
    return 1;
  }

  fs::Dir source_dir = fs::Dir::Open(source);
  DestFolder root;
  root.dir = fs::Dir::Open(destination);
  if (!source_dir.ok() || !root.dir.ok()) return 1;
  TwinVisitor visitor(filter, &root);
  return WalkFolder(source_dir, visitor, !line.Has("noS")) ? 0 : 1;
}

}  // namespace
}  // namespace ql::tools

int main(int argc, char** argv) { return ql::tools::Run(argc, argv); }
