#pragma once
// WriteBody and ReadBody: the one serialisation of a node range, shared by document files, the
// node clipboard and branch files.
#include <cstdint>

#include "storage/byte_io.h"

namespace ql {

class TStyleNames;
class TTTree;
struct TTNode;

// Appends the body of the nodes at positions start..end-1, writing each level minus `base`, with
// the names of the styles they use numbered in table order. A style number outside the table is
// written as style 0.
void WriteBody(TWr& wr, const TTTree& tree, int32_t start, int32_t end, int32_t base, const TStyleNames& styles);

// Reads a body of the reader's version and inserts its nodes at `index` under `parent`. With
// `paste` false (opening a document: parent null, index 0) ids, MaxId and IdsWrapped come from the
// data; with `paste` true every node gets a fresh id. The body is checked first: a damaged one
// returns -1 and nothing of the tree or the style table is touched. Otherwise returns the number
// of nodes read; the caller then calls RebuildIds (when not pasting) and Relink.
int32_t ReadBody(TRe& reader, TTTree& tree, TTNode* parent, int32_t index, bool paste, TStyleNames& styles);

}  // namespace ql
