#pragma once
// The rules behind the create-file and save-as windows, without their widgets: which buttons may
// be pressed for the texts typed, and the path the windows return.
#include <string>

namespace ql {

// Drops leading characters with codes 0 to 32.
std::string DropLeadingBlanks(const std::string& text);

// The path the windows return: folder and name without leading blanks, a "/" between them
// unless the folder is empty or ends with one, then ".qlt" (always appended: "Итоги.qlt" gives
// "Итоги.qlt.qlt").
std::string FileWindowPath(const std::string& dirText, const std::string& nameText);

// Create-file window: "Да" may be pressed when the folder and the name, without their leading
// blanks, are not empty. (A name of blanks alone would make a file named ".qlt".)
bool CreateOkEnabled(const std::string& dirText, const std::string& nameText);

// Save-as window: the document's folder (without trailing "/"), its name and whether it may be
// changed, kept for one call.
struct TSaveAsTarget {
  std::string KeptDir;
  std::string KeptName;
  bool Editable = false;

  // The typed target differs from the document: both texts non-empty and the target not the
  // same file as the document (byte-equal paths, or the same existing file), so that a change of
  // letter case alone is a real rename on a case-sensitive file system.
  bool Differs(const std::string& dirText, const std::string& nameText) const;
  // "Перейти на новый" and "Остаться на старом".
  bool CopyEnabled(const std::string& dirText, const std::string& nameText) const {
    return Differs(dirText, nameText);
  }
  // "Переименовать": only for a document that may be changed.
  bool RenameEnabled(const std::string& dirText, const std::string& nameText) const {
    return Editable && Differs(dirText, nameText);
  }
};

// Save-as choices.
enum class TSaveAsChoice { Rename = 0, CopyAndGo = 1, CopyAndStay = 2 };

}  // namespace ql
