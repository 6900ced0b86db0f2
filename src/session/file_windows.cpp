#include "session/file_windows.h"

#include "platform/folders.h"

namespace ql {

namespace {

}  // namespace

std::string DropLeadingBlanks(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= 32) ++i;
  return text.substr(i);
}

std::string FileWindowPath(const std::string& dirText, const std::string& nameText) {
  std::string folder = DropLeadingBlanks(dirText);
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder + DropLeadingBlanks(nameText) + ".qlt";
}

bool CreateOkEnabled(const std::string& dirText, const std::string& nameText) {
  return !DropLeadingBlanks(dirText).empty() && !DropLeadingBlanks(nameText).empty();
}

bool TSaveAsTarget::Differs(const std::string& dirText, const std::string& nameText) const {
  const std::string folder = NoTrailingSlash(DropLeadingBlanks(dirText));
  const std::string name = DropLeadingBlanks(nameText);
  if (folder.empty() || name.empty()) return false;
  const std::string kept = NoTrailingSlash(KeptDir);
  if (folder == kept && name == KeptName) return false;
  return !SamePath(folder + "/" + name + ".qlt", kept + "/" + KeptName + ".qlt");
}

}  // namespace ql
