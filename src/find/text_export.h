#pragma once
// Export of a tree or a selection as plain text: one line per node, indented by level, optionally
// numbered, optionally followed by the node's long text; lines end with CR LF. The text is
// document bytes (1251); "№" is byte 0xB9. The caller puts it on the clipboard.
#include <cstdint>
#include <string>
#include <string_view>

namespace ql {

class TTTree;

enum class TExportNum : int32_t { None = 0, Dash = 1, Single = 2, Composite = 3 };

struct TExportOptions {
  bool HasIndent = true;        // false: "Не смещать"
  std::string_view Indent = "  ";
  TExportNum Num = TExportNum::Composite;
  bool OnlySelected = true;
  bool OnlyOpened = true;
  bool LongTexts = true;
  int32_t Top = -1;             // the grid's selection, in rows (used with OnlySelected)
  int32_t Bottom = -1;
};

// The indent string of a "Смещать уровни" item: 0 none, 1 tab, 2-4 one to three spaces.
// False for an item outside 0-4.
bool ExportIndentOfItem(int32_t item, bool& hasIndent, std::string_view& indent);

// Builds the export text into `out`. False (out emptied) when there is nothing to export: only
// selected with an invalid selection, or an empty document. With composite numbering the tree's
// level stack is refilled.
bool ExportText(TTTree& tree, const TExportOptions& options, std::string& out);

}  // namespace ql
