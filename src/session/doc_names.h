#pragma once
// How a document is named and located: the program folder, the document folder and name, and
// everything derived from them (path, shown folder, settings values, recent entry, caption).
// Pure string work; nothing here touches the file system.
#include <string>

namespace ql {

inline constexpr const char* kNoDocCaption = "Ветвеслов";

struct TDocNames {
  std::string ProgDir;    // with trailing "/"
  std::string DocDir;     // no trailing "/"; empty = the program folder
  std::string DocName;    // without folder and ".qlt"; empty = no document
  // Derived by Update():
  std::string DocPath;    // empty without a document
  std::string ShownDir;   // DocDir after ProgDir when it lies below it, else DocDir
  bool DirRel = false;
  std::string FileDir;    // folder of DocPath without trailing "/"
  std::string AttachDir;  // attachment folder of DocPath, with trailing "/"
  std::string DirValue;   // values for "Dir" and "File"; empty for a document in Temp/
  std::string FileValue;
  std::string Caption;

  // Recomputes every derived field from ProgDir, DocDir and DocName.
  void Update();
  // The document lies in the program's temporary folder.
  bool InTemp() const { return DirRel && ShownDir == "Temp"; }
  // The recent-list entry "%s%s|%s": ":" when DirRel, ShownDir, "|", DocName.
  std::string RecentEntry() const;
};

// (folder + "/", or progDir when folder is empty) + name + ".qlt".
std::string DocPathOf(const std::string& progDir, const std::string& folder, const std::string& name);

// Splits a document path into its folder and name (the file name without its last four
// characters). The folder is empty when it names the program folder (the same-file test),
// else it loses its trailing "/".
void SplitDocPath(const std::string& path, const std::string& progDir, std::string& folder, std::string& name);

// The folder of a recent entry (the part before the first "|"; a leading ":" is relative to the
// program folder) and the name (after it). False for an entry without "|".
bool RecentTarget(const std::string& entry, const std::string& progDir, std::string& folder, std::string& name);

}  // namespace ql
