// The document reader on arbitrary bytes: never reads past the end, and a document it accepts
// is written back to bytes that read back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fuzz_support.h"
#include "storage/document_io.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  ql::TStyles& table = qlfuzz::Table();
  ql::TStyleTableNames names(table);
  ql::TTTree tree;
  tree.OnClear = [&table] { table.DropDocStyles(); };
  ql::TDocHeader header;
  if (ql::ReadDocument(std::vector<uint8_t>(data, data + size), "f", true, tree, names, &header)) {
    const ql::TDocView view{header.selTop, header.selBottom, header.topRow};
    std::vector<uint8_t> first = ql::SerializeDocument(tree, view, names);
    ql::TTTree again;
    again.OnClear = [&table] { table.DropDocStyles(); };
    qlfuzz::Require(ql::ReadDocument(std::vector<uint8_t>(first), "f", true, again, names), "own bytes read back");
    qlfuzz::Require(ql::SerializeDocument(again, view, names) == first, "second save equals the first");
  }
  table.DropDocStyles();
  return 0;
}
