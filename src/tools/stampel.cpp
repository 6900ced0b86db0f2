// stampel: copies, moves or renames one file or folder, putting a date stamp (or date and time)
// or a sequence number into its name. Prints nothing; exit code 0 on success, 1 on any failure.
#include <ctime>
#include <string>

#include "platform/fs_entry.h"
#include "platform/fs_tree.h"
#include "tools/command_line.h"
#include "tools/stamp_name.h"

namespace ql::tools {
namespace {

constexpr int kMaxSequence = 999;

std::string WithoutTrailingSlashes(std::string path) {
  while (!path.empty() && path.back() == '/') path.pop_back();
  return path;
}

bool SameEntry(const fs::EntryInfo& a, const fs::EntryInfo& b) {
  return a.kind != fs::Kind::kNone && b.kind != fs::Kind::kNone && a.dev == b.dev && a.ino == b.ino;
}

int CopyOrMoveFolder(const fs::Dir& source_dir, const std::string& source_name,
                     const fs::Dir& target_dir, const std::string& target_name, bool move) {
  if (!move) {
    fs::Dir source = source_dir.OpenChild(source_name);
    return source.ok() && fs::CopyTree(source, target_dir, target_name) ? 0 : 1;
  }
  int error = fs::RenameNoReplace(source_dir, source_name, target_dir, target_name);
  if (error == 0) return 0;
  if (error != EXDEV) return 1;
  // Another file system: copy the tree, then delete the source (both stay when that fails).
  fs::Dir source = source_dir.OpenChild(source_name);
  if (!source.ok() || !fs::CopyTree(source, target_dir, target_name)) return 1;
  return fs::DeleteTree(source_dir, source_name, true) ? 0 : 1;
}

int Run(int argc, const char* const* argv) {
  CommandLine line = ParseCommandLine(argc, argv, {"d", "t", "n", "onlyN", "c", "m"});
  if (line.unknown_option || line.count == 0 || line.positional.empty()) return 1;
  const bool strip_only = line.Has("d");
  const bool with_time = line.Has("t");
  const bool only_number = line.Has("onlyN");
  const bool never_overwrite = line.Has("n") || only_number;
  bool copy = line.Has("c");
  bool move = line.Has("m");
  if ((strip_only && with_time) || (with_time && only_number) || (copy && move)) return 1;
  const bool has_destination = line.positional.size() >= 2;
  if (!copy && !move) {
    copy = has_destination;
    move = !has_destination;
  }

  const std::string source = WithoutTrailingSlashes(line.positional.front());
  const fs::EntryInfo source_info = fs::StatPath(source);
  if (source_info.kind == fs::Kind::kNone) return 1;

  bool destination_is_folder_syntax = false;
  std::string destination;
  fs::EntryInfo destination_info;
  if (has_destination) {
    const std::string& written = line.positional.back();
    destination_is_folder_syntax = !written.empty() && written.back() == '/';
    destination = WithoutTrailingSlashes(written);
    // Written as a folder, a link to a folder is that folder, as everywhere on this system.
    destination_info = fs::StatPath(destination_is_folder_syntax ? destination + "/" : destination);
    if (destination_is_folder_syntax && destination_info.kind != fs::Kind::kFolder) return 1;
  }

  NameParts parts = SplitName(source);
  const bool into = has_destination &&
                    ((source_info.kind == fs::Kind::kFile && destination_info.kind == fs::Kind::kFolder) ||
                     (source_info.kind == fs::Kind::kFolder && destination_is_folder_syntax));
  if (strip_only || (!only_number && (!has_destination || into))) StripStamps(parts.base);
  if (has_destination) {
    if (into) {
      parts.folder = destination + "/";
    } else {
      parts = SplitName(destination);
    }
  }
  std::string base = parts.base;
  if (!strip_only && !only_number) {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (!localtime_r(&now, &local)) return 1;
    base += DateStamp(local, with_time);
  }
  std::string target = parts.folder + base + parts.ext;

  fs::EntryInfo target_info = fs::StatPath(target);
  if (target_info.kind != fs::Kind::kNone) {
    if (!never_overwrite) {
      // Replacing the source by itself would only destroy it.
      if (SameEntry(target_info, source_info)) return 1;
    } else {
      target.clear();
      for (int n = 1; n <= kMaxSequence; ++n) {
        std::string candidate = parts.folder + base + " " + std::to_string(n) + parts.ext;
        if (fs::StatPath(candidate).kind == fs::Kind::kNone) {
          target = candidate;
          break;
        }
      }
      if (target.empty()) return 1;
      target_info = fs::EntryInfo();
    }
  }

  fs::Dir source_dir, target_dir;
  std::string source_name, target_name;
  if (!fs::OpenParent(source, &source_dir, &source_name) ||
      !fs::OpenParent(target, &target_dir, &target_name)) {
    return 1;
  }
  if (target_info.kind != fs::Kind::kNone && !target_info.system) {
    fs::ClearReadOnly(target_dir, target_name);
  }

  if (source_info.kind == fs::Kind::kFile) {
    bool ok = copy ? fs::CopyFile(source_dir, source_name, target_dir, target_name, !never_overwrite)
                   : fs::MoveFile(source_dir, source_name, target_dir, target_name);
    return ok ? 0 : 1;
  }
  // A folder never goes into itself, and the old target is never deleted when it holds the source.
  // A copy refreshes an existing target tree; a move never replaces one, so a second run on the
  // same day fails instead of destroying the first result.
  if (fs::PathWithin(target, source_info)) return 1;
  if (copy && !never_overwrite && target_info.kind != fs::Kind::kNone) {
    if (fs::PathWithin(source, target_info)) return 1;
    fs::DeleteTree(target_dir, target_name, true);
  }
  return CopyOrMoveFolder(source_dir, source_name, target_dir, target_name, move);
}

}  // namespace
}  // namespace ql::tools

int main(int argc, char** argv) { return ql::tools::Run(argc, argv); }
