#include "qltool/cmd_export.h"

#include <cstdio>

#include "base/cp1251.h"
#include "base/message_hook.h"
#include "find/text_export.h"
#include "model/tree.h"
#include "qltool/cmd_options.h"
#include "qltool/tool.h"
#include "styles/styles.h"

namespace ql {
namespace {

constexpr const char* kUsage =
    "qltool export FILE [--shift 0..4] [--num 0..3] [--no-text] [--opened] [--styles PATH]";

// A whole decimal number in lo..hi.
bool ParseItem(const std::optional<std::string>& text, int32_t fallback, int32_t lo, int32_t hi,
               int32_t& out) {
  if (!text) {
    out = fallback;
    return true;
  }
  if (text->size() != 1 || (*text)[0] < '0' || (*text)[0] > '9') return false;
  out = (*text)[0] - '0';
  return out >= lo && out <= hi;
}

}  // namespace

int RunExport(const std::vector<std::string>& args) {
  TCmdOptions o;
  if (!ParseCmdOptions(args, {"--no-text", "--opened"}, {"--shift", "--num", "--styles"}, 1, kUsage,
                       o))
    return kExitUsage;
  int32_t shift = 0, num = 0;
  if (!ParseItem(o.Value("--shift"), 3, 0, 4, shift) || !ParseItem(o.Value("--num"), 3, 0, 3, num))
    return CmdUsage(kUsage);
  TStyles table;
  LoadStyleTable(table, o.Value("--styles"));
  TTTree tree;
  TDocHeader header;
  if (!LoadToolDocument(o.positional[0], table, tree, header)) return kExitFailure;

  TExportOptions options;
  ExportIndentOfItem(shift, options.HasIndent, options.Indent);
  options.Num = static_cast<TExportNum>(num);
  options.OnlySelected = false;
  options.OnlyOpened = o.Has("--opened");
  options.LongTexts = !o.Has("--no-text");
  std::string text;
  if (!ExportText(tree, options, text)) {
    ShowError("Нечего экспортировать: в документе нет узлов", FullPath(o.positional[0]));
    return kExitFailure;
  }
  const std::string utf8 = Cp1251ToUtf8(text);
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  return std::fflush(stdout) == 0 ? kExitOk : kExitFailure;
}

}  // namespace ql
