#pragma once
// Whole folder trees, built on fs_entry.h: every step opens the next folder without following a
// link, so neither a copy nor a delete ever leaves its tree.
#include <string>

#include "platform/fs_entry.h"

namespace ql::fs {

// Creates the folder `to` in `to_dir` (failing when it exists or cannot be made) and copies into it
// the entries of `from` (walk rules of fs::List): folders recursively, files overwriting. The first
// failure skips the remaining entries of that folder and makes the result false.
bool CopyTree(const Dir& from, const Dir& to_dir, const std::string& to);

// Deletes the entries of `folder`: a special file is kept and counts as a failure; any other file
// gets its read-only attribute cleared and is deleted unless a failure happened in this folder
// already; a subfolder is deleted likewise (itself included) unless a failure happened. With
// `self`, the folder `name` of `dir` is removed at the end when nothing failed.
bool DeleteTree(const Dir& dir, const std::string& name, bool self);

// True when the path, or one of the folders that hold it, is the folder identified by `folder`
// (compared by device and inode; the part of the path that does not exist yet is skipped).
bool PathWithin(const std::string& path, const EntryInfo& folder);

}  // namespace ql::fs
