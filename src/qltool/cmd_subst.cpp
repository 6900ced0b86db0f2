#include "qltool/cmd_subst.h"

#include <cstdio>
#include <string_view>

#include "base/cp1251.h"
#include "find/subst_res.h"
#include "model/tree.h"
#include "platform/doc_file.h"
#include "qltool/cmd_options.h"
#include "qltool/cmd_search.h"
#include "qltool/tool.h"
#include "storage/document_io.h"
#include "storage/style_table_names.h"
#include "styles/styles.h"

namespace ql {
namespace {

constexpr const char* kUsage =
    "qltool subst FILE PATTERN REPLACEMENT [--out OUT] [--case] [--words] [--no-nodes] "
    "[--no-texts] [--opened] [--count] [--styles PATH]";

}  // namespace

int RunSubst(const std::vector<std::string>& args) {
  TCmdOptions o;
  if (!ParseCmdOptions(args, {"--case", "--words", "--no-nodes", "--no-texts", "--opened", "--count"},
                       {"--out", "--styles"}, 3, kUsage, o))
    return kExitUsage;
  TStyles table;
  LoadStyleTable(table, o.Value("--styles"));
  TTTree tree;
  TDocHeader header;
  if (!LoadToolDocument(o.positional[0], table, tree, header)) return kExitFailure;

  TSubstRes res;
  ApplyFindOptions(o, res);
  res.CountOnly = o.Has("--count");
  const int32_t total = res.Run(tree, Utf8ToCp1251(o.positional[1]),
                                Utf8ToCp1251(o.positional[2]), 0, tree.Count);

  const std::optional<std::string> out = o.Value("--out");
  if (out && !res.CountOnly) {
    TStyleTableNames names(table);
    const std::vector<uint8_t> bytes =
        SerializeDocument(tree, {header.selTop, header.selBottom, header.topRow}, names);
    TFileLock lock;
    const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!WriteDoc(FullPath(*out), view, lock)) return kExitFailure;
  }
  std::printf("%d\n", total);
  return std::fflush(stdout) == 0 ? kExitOk : kExitFailure;
}

}  // namespace ql
