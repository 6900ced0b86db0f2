#pragma once
// TTree: the tree grid's row list. It shares the document's node array (copied in by
// TTTree::Relink), holds the visible rows in display order, the drawing settings the model copies
// into every node, and the level stack used by the rebuild, by reading blocks, by drawing and by
// export. Pure data; the grid widget owns one and the model fills it.
#include <cstdint>
#include <vector>

#include "model/node.h"
#include "styles/style.h"

namespace ql {

// Branch line colours by level (used by Level modulo the table's length), 0x00BBGGRR.
inline constexpr TColor kLevelColors[14] = {
    0x0000C0, 0x800000, 0x008000, 0xFF00FF, 0xFF0000, 0x808000, 0x000080,
    0x808080, 0x00FF00, 0x800080, 0xFFFF00, 0x008080, 0x0000FF, 0x000000};

// Where the branch line meets a node of this height: 0 top (at most 7), 1 middle, 2 bottom (at
// least 7 above the end); any other alignment keeps `old`.
int32_t BranchYFor(int32_t height, int32_t vertAlign, int32_t old);

struct TTree {
  TTNode* const* Nodes = nullptr;  // the document's node array (not owned)
  std::vector<TTNode*> Rows;       // visible rows; Rows.size() is the allocated length
  int32_t Count = 0;               // number of nodes
  int32_t RowCount = 0;            // number of visible rows
  int32_t Step = 10;               // indent step in pixels ("TreeStep")
  int32_t VertAlign = 1;           // 0 top, 1 middle, 2 bottom ("VertAlign")
  TColor TreeColor = 0;            // the single line colour when OneColor is set
  std::vector<TColor> LevelColors{std::begin(kLevelColors), std::end(kLevelColors)};
  bool OneColor = false;           // "OneTreeColor"
  int32_t GridLineWidth = 1;       // copy of the grid's line width taken at construction
  bool FreezeLayout = false;       // when set, Relink leaves the per-node layout alone
  bool Lines = true;               // "Lines"
  bool Points = true;              // "Points"
  // Scratch array indexed by level; LevelStack.size() is its allocated length.
  std::vector<TTNode*> LevelStack;

  TTNode* RowNode(int32_t row) const {
    return row >= 0 && row < RowCount ? Rows[row] : nullptr;
  }
  // Recomputes the node's BranchY after its Height changed.
  void SetBranchY(TNode& node) const { node.BranchY = BranchYFor(node.Height, VertAlign, node.BranchY); }
};

}  // namespace ql
