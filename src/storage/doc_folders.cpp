#include "storage/doc_folders.h"

#include "platform/folders.h"

namespace ql {

std::string AttachFolderName(const std::string& docPath) {
  if (docPath.empty()) return {};
  std::string folder = docPath;
  folder.back() = 'f';
  return folder;
}

std::string AttachFolder(const std::string& docPath) {
  return docPath.empty() ? std::string() : AttachFolderName(docPath) + "/";
}

std::string TempFolder() { return ProgramFolder() + "Temp/"; }

bool CarryAttachments(const std::string& from, const std::string& to, bool copy) {
  if (SamePath(from, to)) return false;
  if (FolderExists(to)) ClearFolder(to.back() == '/' ? to : to + "/", true, true);
  if (!FolderExists(from)) return true;
  return copy ? CopyFolder(from, to) : MoveFolder(from, to);
}

}  // namespace ql
