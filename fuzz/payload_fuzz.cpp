// The node clipboard payload on arbitrary bytes: decoded with every check, then pasted into a
// small document below a node.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_support.h"
#include "storage/doc_body.h"
#include "storage/node_payload.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ql::TStyles& table = qlfuzz::Table();
  ql::TStyleTableNames names(table);
  ql::TRe reader;
  const std::string_view payload(reinterpret_cast<const char*>(data), size);
  if (ql::DecodeNodePayload(payload, reader) == ql::TPayloadCheck::Ok) {
    ql::TTTree tree;
    ql::TTNode* top = tree.AddNode(0, false);
    tree.AddNode(0, true);
    const int32_t count = tree.Count;
    const int32_t n = ql::ReadBody(reader, tree, top, 2, true, names);
    qlfuzz::Require(n >= 0 && tree.Count == count + n, "a checked payload pastes whole");
    tree.Relink();
    for (int32_t i = 2; i < tree.Count; ++i) qlfuzz::Require(tree.Nodes[i]->Level >= 1, "pasted below the parent");
  }
  table.DropDocStyles();
  return 0;
}
