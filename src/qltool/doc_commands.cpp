// qltool dump and qltool save.
#include <cstdio>
#include <iostream>
#include <nlohmann/json.hpp>

#include "base/cp1251.h"
#include "model/tree.h"
#include "platform/doc_file.h"
#include "qltool/commands.h"
#include "qltool/tool.h"
#include "storage/document_io.h"
#include "storage/style_table_names.h"
#include "styles/styles.h"

namespace ql {
namespace {

std::string StyleNameUtf8(TStyles& table, int number) {
  const TStyle* style = table.Item(number);
  return style ? Cp1251ToUtf8(style->name) : std::string();
}

}  // namespace

int CmdDump(const std::vector<std::string>& args) {
  TToolArgs a;
  if (!ParseToolArgs(args, 1, 1, a)) return kExitUsage;
  TStyles table;
  LoadStyleTable(table, a.styles);
  TTTree tree;
  TDocHeader header;
  if (!LoadToolDocument(a.positional[0], table, tree, header)) return kExitFailure;

  nlohmann::ordered_json nodes = nlohmann::ordered_json::array();
  for (const TTNode* p : tree.NodeSpan()) {
    nodes.push_back({{"id", p->Id},
                     {"level", p->Level},
                     {"opened", p->Opened},
                     {"flags", p->Flags},
                     {"style", StyleNameUtf8(table, p->Style)},
                     {"style1", StyleNameUtf8(table, p->Style1)},
                     {"text", Cp1251ToUtf8(p->Text)},
                     {"ltext", Cp1251ToUtf8(p->LText)}});
  }
  const nlohmann::ordered_json doc = {{"version", EffectiveVersion(header.version)},
                                      {"selTop", header.selTop},
                                      {"selBottom", header.selBottom},
                                      {"topRow", header.topRow},
                                      {"idsWrapped", tree.IdsWrapped},
                                      {"maxId", tree.MaxId},
                                      {"codePage", tree.CodePage},
                                      {"nodes", std::move(nodes)}};
  std::cout << doc.dump() << '\n';
  std::cout.flush();
  return std::cout ? kExitOk : kExitFailure;
}

int CmdSave(const std::vector<std::string>& args) {
  TToolArgs a;
  if (!ParseToolArgs(args, 2, 2, a)) return kExitUsage;
  TStyles table;
  LoadStyleTable(table, a.styles);
  TTTree tree;
  TDocHeader header;
  if (!LoadToolDocument(a.positional[0], table, tree, header)) return kExitFailure;
  TStyleTableNames names(table);
  const std::vector<uint8_t> bytes =
      SerializeDocument(tree, {header.selTop, header.selBottom, header.topRow}, names);
  TFileLock lock;
  const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return WriteDoc(FullPath(a.positional[1]), view, lock) ? kExitOk : kExitFailure;
}

}  // namespace ql
