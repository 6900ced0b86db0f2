#pragma once
// Folder-tree operations for attachment folders and the temporary folder. Folder paths end in
// "/". Walks go in name-byte order and skip every name that begins with "."; symbolic links are
// never followed (a link is handled as the link itself); special files (FIFO, socket, device)
// count as system files: never opened, deleted or copied. Failures are reported by the result
// only, without messages.
#include <string>

namespace ql {

// Deletes every file in `folder` (and, with `recurse`, clears and deletes its sub-folders), then
// with `dropFolder` removes the folder itself, which silently fails when something stayed in it.
// Read-only files lose their read-only bit first; special files and files another open holds
// locked are left in place.
void ClearFolder(const std::string& folder, bool dropFolder, bool recurse);

// Creates `to` (which must not exist) and copies the tree of `from` into it. True only when every
// step succeeded; after the first failure nothing more is copied.
bool CopyFolder(const std::string& from, const std::string& to);

// Renames `from` to `to` without ever replacing an existing `to`; when the rename is not possible
// (another file system) copies and then clears the source. True when the folder arrived.
bool MoveFolder(const std::string& from, const std::string& to);

// True when `path` (with or without a trailing "/") is a folder itself, not a link to one.
bool FolderExists(const std::string& path);

// The same-file test used wherever paths are compared "ignoring case": byte-equal paths, or two
// existing paths with the same device and inode (a case-insensitive mount, a link). A trailing
// "/" does not count.
bool SamePath(const std::string& a, const std::string& b);

// A folder path without its trailing "/" characters; the root "/" stays.
std::string NoTrailingSlash(std::string path);
// A folder path ending in exactly one added "/" (an empty path gives "/").
std::string WithTrailingSlash(std::string path);

// The program folder with a trailing "/": $QL_HOME when set and not empty, else the folder of the
// running executable.
std::string ProgramFolder();
// The running executable's path (from /proc/self/exe); empty when it cannot be read.
std::string ExecutablePath();

}  // namespace ql
