#pragma once
// TTTree: the document tree. The nodes are kept as one flat array in pre-order (a node is
// followed directly by all its descendants) with a parent pointer in every node; every other
// link, the layout fields and the visible rows are derived by Relink, which every structural
// change ends with. The tree owns its nodes; the id index refers to them; the grid's row list
// (View) shares the node array.
//
// Invariants after every operation here returns: Nodes[0..Count) is a pre-order walk (a node's
// Parent is null or stands before it, descendants follow their node directly); Parent pointers
// are the truth and the derived fields agree with them after Relink; node 0 is top-level and
// visible; every Id is in the index and ids are distinct.
//
// Queries and block operations read the derived fields (Index, Level, Next, Row ...), so they
// need a Relink after the last structural change unless they say otherwise.
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

#include "model/ids.h"
#include "model/node.h"
#include "model/node_pool.h"
#include "model/row_list.h"

namespace ql {

struct TStyle;

class TTTree : public TIds {
 public:
  // Pre-order node array; Nodes.size() == Capacity, entries from Count on are null.
  std::vector<TTNode*> Nodes;
  // Scratch array of the same capacity (block moves and copies).
  std::vector<TTNode*> Tmp;
  int32_t Count = 0;
  int32_t Capacity = 0;
  // The grid's row list; by default one the tree owns (tools and tests without a grid).
  TTree* View;
  // The bytes of the document as last loaded or serialised; only the first ImageLen count.
  std::vector<uint8_t> Image;
  int32_t ImageLen = 0;
  // Code page number of the file header; carried, never used to convert text.
  uint32_t CodePage = 1251;
  // The current node; maintained by the main window. Reset here by Clear and when it is deleted.
  TTNode* Cur = nullptr;
  // Called at the end of Clear: the owner drops the document-only styles of the style table.
  std::function<void()> OnClear;

  TTTree();
  ~TTTree();
  TTTree(const TTTree&) = delete;
  TTTree& operator=(const TTTree&) = delete;

  // Points the tree at the grid's row list (null: back to the tree's own).
  void SetView(TTree* view) { View = view ? view : &ownView_; }
  TTNode* At(int32_t i) const { return i >= 0 && i < Count ? Nodes[i] : nullptr; }
  std::span<TTNode* const> NodeSpan() const { return {Nodes.data(), size_t(Count)}; }

  // Destroys every node, frees Nodes, Tmp and Image, empties the id index, resets MaxId,
  // IdsWrapped and Cur, then calls OnClear. CodePage keeps its value. Follow with Relink.
  void Clear();
  // Places n new blank nodes at index (0 <= index <= Count), with fresh ids when newIds.
  // Sets no link. False (nothing done) for an index out of range, n < 0 or a count the array
  // cannot hold.
  bool InsertNodes(int32_t index, int32_t n, bool newIds);
  // Unindexes and destroys the nodes start..end-1 and closes the gap. Resets Cur when it is
  // among them. The range should be whole subtrees; descendants left behind by a range that is
  // not hang under their nearest surviving ancestor. Positions are read from the array, not
  // from Index, so this works between structural changes. Follow with Relink.
  void DeleteNodes(int32_t start, int32_t end);
  // DeleteNodes and Relink; returns the row to select: the row of the node now at start, else
  // the last row, else -1.
  int32_t DeleteBlock(int32_t start, int32_t end);

  // Copies Nodes and Count into the row list and rebuilds every derived field and the rows.
  void Relink();
  // Rebuilds only the visible rows, Row and Visible (after nodes were opened or closed).
  void BuildRows();

  // Position just after the node's last descendant; Count for null.
  int32_t SubtreeEnd(const TTNode* node) const;
  // First row below the node's visible subtree (RowCount when none).
  int32_t NextRowAfter(const TTNode* node) const;
  // The previous sibling, or null for a first child.
  TTNode* PrevSibling(const TTNode* node) const;
  // From the node at end-1, its highest ancestor whose Index is still >= start.
  TTNode* BlockTop(int32_t start, int32_t end) const;
  // Fills LevelStack slots 0..Level with the node's ancestors, the node itself last.
  void AncestorPath(TTNode* node);

  // Turns the selected rows top..bottom into node positions start..end-1. With fromShallowest
  // the range starts at the first selected row of the smallest level. With whole the range is
  // made of whole subtrees; without, an open last row stands for itself alone and a closed one
  // brings its hidden descendants. False (start 0, end -1) for an empty tree or invalid rows.
  bool RowsToRange(int32_t top, int32_t bottom, bool whole, bool fromShallowest,
                   int32_t& start, int32_t& end) const;
  // Where new nodes go when the selection ends at `row`: after the row's whole branch, as its
  // last children (asChild) or next siblings. Position 0 with no parent in an empty tree.
  bool InsertPoint(int32_t row, bool asChild, int32_t& pos, TTNode*& parent) const;
  // Inserts one new node at the insertion point, with inherited styles; null on failure.
  TTNode* AddNode(int32_t row, bool asChild);
  // Gives the n nodes at index the styles of their previous sibling (or of their parent when
  // they have none; 0 and 0 at position 0) and clears their Flags. Reads only Parent pointers
  // and positions before index, so it works before Relink.
  void InheritStyles(int32_t index, int32_t n);
  // Turns the levels carried by nodes start..end-1 (as read from a file or the clipboard) into
  // parent pointers so that the block hangs under `parent`. Levels rising by more than one and
  // negative levels are accepted and placed soundly (see the .cpp). Follow with Relink.
  void ReparentBlock(TTNode* parent, int32_t start, int32_t end);
  // Moves or copies the block start..end-1 of whole subtrees to position dest under parent.
  // Returns false when nothing changed: an empty block, a move onto its own place under the
  // same parent (finalPos = start), or a request that would break the tree (a destination
  // strictly inside the block with another parent, a parent inside a moved block, a
  // destination that is not a place for children of `parent`, a block that is not made of
  // whole subtrees).
  bool MoveBlock(int32_t start, int32_t end, int32_t dest, TTNode* parent, bool copy,
                 int32_t* finalPos = nullptr);

  // Sum of the byte lengths of every Text and LText.
  int64_t CharCount() const;
  // Counts how often each style is used as Style or Style1 by nodes start..end-1 into
  // useCount (its size is the number of styles in the table), then numbers the used styles
  // 0, 1, 2 ... in table order into fileNumber (-1 for unused ones). Returns how many got a
  // number. Style numbers outside the table are not counted.
  int32_t CountStyles(int32_t start, int32_t end, std::span<int32_t> useCount,
                      std::span<int32_t> fileNumber) const;
  // The same on the style records themselves: styleAt(i) for i < styleCount gives style i,
  // whose useCount and (when used) fileNumber are set.
  int32_t CountStyles(int32_t start, int32_t end, int32_t styleCount,
                      const std::function<TStyle*(int32_t)>& styleAt) const;

 private:
  void DestroyAll();
  void EnsureCapacity(int64_t needed);
  void EnsureRows();
  static void EnsureStack(std::vector<TTNode*>& stack, int64_t needed);
  bool PlaceIsValid(const TTNode* before, const TTNode* after, const TTNode* parent) const;
  bool BlockIsWhole(int32_t start, int32_t end) const;

  TTree ownView_;
  TNodePool pool_;
  std::vector<int32_t> pathLevels_;  // scratch of ReparentBlock
  std::vector<TColor> levelColors_;  // scratch of Relink: line colour by level
};

}  // namespace ql
