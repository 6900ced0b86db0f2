#include "qltool/cmd_search.h"

#include <iostream>
#include <nlohmann/json.hpp>

#include "base/cp1251.h"
#include "find/find_res.h"
#include "find/subst_res.h"
#include "model/tree.h"
#include "qltool/cmd_options.h"
#include "qltool/tool.h"
#include "styles/styles.h"

namespace ql {
namespace {

constexpr const char* kUsage =
    "qltool search FILE PATTERN [--case] [--words] [--no-nodes] [--no-texts] [--opened] "
    "[--styles PATH]";

template <class Res>
void Apply(const TCmdOptions& o, Res& res) {
  res.IgnoreCase = !o.Has("--case");
  res.WholeWords = o.Has("--words");
  res.NodeTexts = !o.Has("--no-nodes");
  res.LongTexts = !o.Has("--no-texts");
  res.OnlyOpened = o.Has("--opened");
}

}  // namespace

void ApplyFindOptions(const TCmdOptions& o, TFindRes& res) { Apply(o, res); }
void ApplyFindOptions(const TCmdOptions& o, TSubstRes& res) { Apply(o, res); }

int RunSearch(const std::vector<std::string>& args) {
  TCmdOptions o;
  if (!ParseCmdOptions(args, {"--case", "--words", "--no-nodes", "--no-texts", "--opened"},
                       {"--styles"}, 2, kUsage, o))
    return kExitUsage;
  TStyles table;
  LoadStyleTable(table, o.Value("--styles"));
  TTTree tree;
  TDocHeader header;
  if (!LoadToolDocument(o.positional[0], table, tree, header)) return kExitFailure;

  TFindRes res;
  ApplyFindOptions(o, res);
  const TCharWidths widths{};  // contexts are not printed
  res.Search(tree, Utf8ToCp1251(o.positional[1]), 0, tree.Count, widths, 0, 0);

  nlohmann::ordered_json out = nlohmann::ordered_json::array();
  for (int32_t i = 0; i < res.Count(); ++i) {
    const TFindItem& it = res.Item(i);
    out.push_back({{"number", it.Number},
                   {"id", it.NodeId},
                   {"position", it.Position},
                   {"level", it.Level},
                   {"offset", it.Offset},
                   {"inLongText", it.InLongText},
                   {"match", Cp1251ToUtf8(it.Match)}});
  }
  std::cout << out.dump() << '\n';
  std::cout.flush();
  return std::cout ? kExitOk : kExitFailure;
}

}  // namespace ql
