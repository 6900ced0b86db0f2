#include "find/text_export.h"

#include <climits>
#include <vector>

#include "model/tree.h"

namespace ql {
namespace {

constexpr char kNumberSign = '\xB9';  // "№" in 1251

// The nodes to export, in order.
bool NodeSequence(const TTTree& tree, const TExportOptions& o, std::vector<TTNode*>& seq) {
  const TTree& view = *tree.View;
  if (o.OnlySelected) {
    if (o.Top < 0 || o.Bottom < o.Top || o.Bottom >= view.RowCount) return false;
  } else if (tree.Count == 0) {
    return false;
  }
  if (o.OnlyOpened) {
    const int32_t top = o.OnlySelected ? o.Top : 0;
    const int32_t bottom = o.OnlySelected ? o.Bottom : view.RowCount - 1;
    for (int32_t r = top; r <= bottom; ++r) seq.push_back(view.Rows[size_t(r)]);
  } else {
    int32_t start = 0, end = tree.Count;
    if (o.OnlySelected && !tree.RowsToRange(o.Top, o.Bottom, false, false, start, end))
      return false;
    for (int32_t i = start; i < end; ++i) seq.push_back(tree.Nodes[size_t(i)]);
  }
  return !seq.empty();
}

void AppendNumber(std::string& out, int32_t k) { out += std::to_string(k); }

}  // namespace

bool ExportIndentOfItem(int32_t item, bool& hasIndent, std::string_view& indent) {
  static constexpr std::string_view kIndents[] = {"", "\t", " ", "  ", "   "};
  if (item < 0 || item > 4) return false;
  hasIndent = item != 0;
  indent = kIndents[item];
  return true;
}

bool ExportText(TTTree& tree, const TExportOptions& o, std::string& out) {
  out.clear();
  std::vector<TTNode*> seq;
  if (!NodeSequence(tree, o, seq)) return false;

  // m: the smallest level. c counts the nodes at the smallest level, starting from 2 when that
  // level is first reached after deeper nodes (they belong to an unexported earlier sibling,
  // which counts as number 1); o: the sibling number that maps to 1 at the smallest level.
  int32_t m = INT32_MAX, c = 0, off = 0;
  for (size_t i = 0; i < seq.size(); ++i) {
    const TTNode* n = seq[i];
    if (n->Level < m) {
      m = n->Level;
      c = i == 0 ? 1 : 2;
      off = i == 0 ? n->SibNo : n->SibNo - 1;
    } else if (n->Level == m && i > 0) {
      ++c;
    }
  }
  // A single node at the smallest level is a title: it gets no number and its sub-nodes are
  // numbered as the top level.
  const int32_t base = c < 2 ? m + 1 : m;

  std::vector<TTNode*>* stack = nullptr;
  if (o.Num == TExportNum::Composite) {
    tree.AncestorPath(seq.front());
    stack = &tree.View->LevelStack;
  }

  const TTNode* prev = nullptr;
  for (const TTNode* n : seq) {
    const int32_t level = n->Level;
    const int32_t r = level - m;
    if (prev && (prev->Level > level || (o.LongTexts && !prev->LText.empty()))) out += "\r\n";
    if (o.HasIndent)
      for (int32_t k = 0; k < r; ++k) out += o.Indent;
    switch (o.Num) {
      case TExportNum::Dash:
        out += '-';
        break;
      case TExportNum::Single:
        if (r != 0 || c > 1) {
          out += kNumberSign;
          AppendNumber(out, n->SibNo + 1 - (r == 0 ? off : 0));
          out += ' ';
        }
        break;
      case TExportNum::Composite:
        if (size_t(level) >= stack->size()) stack->resize(size_t(level) + 8, nullptr);
        (*stack)[size_t(level)] = const_cast<TTNode*>(n);
        if (level >= base) {
          out += kNumberSign;
          for (int32_t j = base; j <= level; ++j) {
            const TTNode* s = (*stack)[size_t(j)];
            if (j > base) out += '.';
            AppendNumber(out, (s ? s->SibNo : 0) + 1 - (j == m ? off : 0));
          }
          out += ' ';
        }
        break;
      case TExportNum::None:
        break;
    }
    out += n->Text;
    out += "\r\n";
    if (o.LongTexts && !n->LText.empty()) {
      out += n->LText;
      out += "\r\n";
    }
    prev = n;
  }
  return true;
}

}  // namespace ql
