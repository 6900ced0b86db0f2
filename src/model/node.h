#pragma once
// The node records of a document: TNode, the plain record the tree grid knows (links, level,
// row layout, open and visible states), and TTNode, which adds the document's own fields and
// owns the node's two texts. Nodes live in the tree's flat pre-order array (model/tree.h).
#include <cstdint>
#include <string>

namespace ql {

struct TTNode;

// The grid's node record: no base, no virtual functions, owns nothing. `Parent` is the only link
// operations set directly; every other link and layout field is derived by TTTree::Relink
// (or BuildRows for `Row` and `Visible`) and is stale between a structural change and the next
// Relink. The fields fit one 64-byte cache line so the linear rebuilds touch one line per node.
struct TNode {
  TTNode* Parent = nullptr;  // null for a top-level node
  TTNode* Next = nullptr;    // next sibling
  TTNode* Child = nullptr;   // first child
  int32_t Level = 0;         // 0 for top-level; a file level while a block is being read
  int32_t Index = 0;         // position in the node array
  int32_t Row = 0;           // visible row, or the row of the nearest visible ancestor
  int32_t SibNo = 0;         // 0-based position among the siblings
  int32_t Height = 0;        // row height in pixels; 0 = not measured yet
  int32_t BranchY = 0;       // where the branch line meets the node inside the row
  int32_t Indent = 0;        // Level * step + 12
  int32_t LineColor = 0;     // 0x00BBGGRR colour of the branch lines
  bool ShowLines = false;
  bool ShowPoint = false;
  bool Opened = false;       // children are shown
  bool CanOpen = false;      // may show an expander; every node the document makes gets true
  bool Visible = false;      // is in the visible-row list
};

// Height given to new, loaded and pasted nodes before the grid measures them.
constexpr int32_t kNewNodeHeight = 17;

// Flags bits; the other bits are stored and carried without meaning.
constexpr uint8_t kFlagDisabled = 1;  // "Отключен"
constexpr uint8_t kFlagMarked = 2;    // "Помечен"

// One document node. Aligned so that its TNode part is one cache line.
struct alignas(64) TTNode : TNode {
  uint8_t Flags = 0;
  uint32_t Id = 0;        // unique within the document (model/ids.h)
  std::string Text;       // short text, document bytes (1251), never a NUL byte
  std::string LText;      // long text
  uint16_t Style = 0;     // row style: index into the style table
  uint16_t Style1 = 0;    // long-text style
  int32_t Mark = 0;       // scratch flag of the id rebuild; meaningless otherwise

  // A new blank node: empty texts, CanOpen set, every other field zero.
  TTNode() { CanOpen = true; }
};

static_assert(sizeof(TNode) <= 64, "TNode is meant to fit one cache line");

}  // namespace ql
