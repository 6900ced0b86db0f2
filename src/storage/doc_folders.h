#pragma once
// Where a document's attachments and the program's temporary files live.
#include <string>

namespace ql {

// The attachment folder of a document: its path with the last character replaced by "f", plus
// "/" ("/notes/Plan.qlt" -> "/notes/Plan.qlf/"). Empty for an empty path.
std::string AttachFolder(const std::string& docPath);
// The same name without the trailing "/", for existence checks.
std::string AttachFolderName(const std::string& docPath);

// The program's temporary folder: the program folder followed by "Temp/".
std::string TempFolder();

// Copies (`copy`) or moves the attachment folder `from` to `to` (folder paths). Fails without
// touching anything when both name the same folder; otherwise an existing `to` is cleared and
// removed first, and a missing `from` is success (nothing to carry).
bool CarryAttachments(const std::string& from, const std::string& to, bool copy);

}  // namespace ql
