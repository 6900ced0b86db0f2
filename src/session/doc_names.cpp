#include "session/doc_names.h"

#include "platform/folders.h"
#include "storage/doc_folders.h"

namespace ql {

std::string DocPathOf(const std::string& progDir, const std::string& folder, const std::string& name) {
  return (folder.empty() ? progDir : folder + "/") + name + ".qlt";
}

void TDocNames::Update() {
  DocPath = DocName.empty() ? std::string() : DocPathOf(ProgDir, DocDir, DocName);
  if (DocDir.size() > ProgDir.size() && DocDir.compare(0, ProgDir.size(), ProgDir) == 0) {
    ShownDir = DocDir.substr(ProgDir.size());
    DirRel = true;
  } else {
    ShownDir = DocDir;
    DirRel = false;
  }
  if (DocName.empty()) {
    Caption = kNoDocCaption;
  } else {
    Caption = DocName;
    if (!DocDir.empty()) Caption += " [" + ShownDir + "]";
  }
  if (InTemp()) {
    DirValue.clear();
    FileValue.clear();
  } else {
    DirValue = DirRel ? ":" + ShownDir : ShownDir;
    FileValue = DocName;
  }
  const size_t slash = DocPath.rfind('/');
  FileDir = slash == std::string::npos ? std::string() : DocPath.substr(0, slash);
  AttachDir = AttachFolder(DocPath);
}

std::string TDocNames::RecentEntry() const { return (DirRel ? ":" : "") + ShownDir + "|" + DocName; }

void SplitDocPath(const std::string& path, const std::string& progDir, std::string& folder, std::string& name) {
  const size_t slash = path.rfind('/');
  const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
  folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  name = file.size() >= 4 ? file.substr(0, file.size() - 4) : std::string();
  if (folder.empty() || folder == progDir || SamePath(folder, progDir)) {
    folder.clear();
  } else if (folder.size() > 1) {
    folder.pop_back();
  }
}

bool RecentTarget(const std::string& entry, const std::string& progDir, std::string& folder, std::string& name) {
  const size_t bar = entry.find('|');
  if (bar == std::string::npos) return false;
  folder = entry.substr(0, bar);
  name = entry.substr(bar + 1);
  if (!folder.empty() && folder[0] == ':') folder = progDir + folder.substr(1);
  return true;
}

}  // namespace ql
