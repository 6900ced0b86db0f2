#pragma once
// qltool import TEXT OUT [--styles PATH]: makes a document (version 4) from indented UTF-8 text.
// One node per non-empty line; the level comes from the leading tabs and from the leading spaces
// counted in units of the smallest space indent in the text; a line indented more than one level
// below its predecessor becomes its child. A line whose text after its indent begins with "> "
// (or is ">" alone) adds the rest as a line of the long text of the node above. Every node is
// created closed with style 0.
#include <string>
#include <vector>

namespace ql {

int RunImport(const std::vector<std::string>& args);

}  // namespace ql
