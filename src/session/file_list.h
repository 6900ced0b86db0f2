#pragma once
// The file list box's items: the documents of a folder.
#include <string>
#include <vector>

namespace ql {

// Names (without ".qlt") of the regular files in `folder` (with or without trailing "/") whose
// names end in ".qlt" and are longer than that, plus one empty item that closes the document;
// sorted ignoring letter case (ASCII and Cyrillic), ties by bytes, so the empty item comes
// first. A symbolic link to a document counts as the document; folders do not count.
std::vector<std::string> DocumentNames(const std::string& folder);

}  // namespace ql
