#include "qltool/cmd_import.h"

#include <cstdio>
#include <string_view>

#include "base/cp1251.h"
#include "base/message_hook.h"
#include "model/tree.h"
#include "platform/doc_file.h"
#include "qltool/cmd_options.h"
#include "qltool/tool.h"
#include "storage/document_io.h"
#include "storage/style_table_names.h"
#include "styles/styles.h"

namespace ql {
namespace {

constexpr const char* kUsage = "qltool import TEXT OUT [--styles PATH]";

struct TLine {
  size_t tabs = 0;
  size_t spaces = 0;
  std::string_view text;  // after the indent, trailing blanks removed
};

std::vector<TLine> SplitLines(std::string_view all) {
  std::vector<TLine> lines;
  size_t p = 0;
  while (p < all.size()) {
    size_t e = all.find('\n', p);
    if (e == std::string_view::npos) e = all.size();
    std::string_view s = all.substr(p, e - p);
    p = e + 1;
    TLine line;
    size_t i = 0;
    for (; i < s.size() && (s[i] == '\t' || s[i] == ' '); ++i) (s[i] == '\t' ? line.tabs : line.spaces)++;
    s.remove_prefix(i);
    while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    line.text = s;
    lines.push_back(line);
  }
  return lines;
}

struct TItem {
  int32_t level;
  std::string text;
  std::string ltext;
  bool hasLText = false;
};

// Turns the lines into nodes; false with `error` set for a long-text line before any node.
bool ParseOutline(std::string_view all, std::vector<TItem>& items, std::string& error) {
  const std::vector<TLine> lines = SplitLines(all);
  size_t unit = 0;
  for (const TLine& l : lines)
    if (!l.text.empty() && l.spaces > 0 && (unit == 0 || l.spaces < unit)) unit = l.spaces;
  for (size_t n = 0; n < lines.size(); ++n) {
    const TLine& l = lines[n];
    if (l.text.empty()) continue;
    if (l.text == ">" || l.text.starts_with("> ")) {
      if (items.empty()) {
        error = "строка " + std::to_string(n + 1) + ": текст без узла";
        return false;
      }
      TItem& last = items.back();
      if (last.hasLText) last.ltext += "\r\n";
      last.ltext += Utf8ToCp1251(l.text.substr(l.text.size() > 1 ? 2 : 1));
      last.hasLText = true;
      continue;
    }
    int32_t level = int32_t(l.tabs + (unit ? l.spaces / unit : 0));
    const int32_t deepest = items.empty() ? 0 : items.back().level + 1;
    if (level > deepest) level = deepest;
    items.push_back({level, Utf8ToCp1251(l.text), {}, false});
  }
  return true;
}

}  // namespace

int RunImport(const std::vector<std::string>& args) {
  TCmdOptions o;
  if (!ParseCmdOptions(args, {}, {"--styles"}, 2, kUsage, o)) return kExitUsage;
  const std::string source = FullPath(o.positional[0]);
  std::string all;
  if (!ReadFileWhole(source, true, all)) return kExitFailure;

  std::vector<TItem> items;
  std::string error;
  if (!ParseOutline(all, items, error)) {
    ShowError("Неверный текст для импорта", source + ", " + error);
    return kExitFailure;
  }

  TStyles table;
  LoadStyleTable(table, o.Value("--styles"));
  TTTree tree;
  tree.InsertNodes(0, int32_t(items.size()), true);
  for (size_t i = 0; i < items.size(); ++i) {
    TTNode* p = tree.Nodes[i];
    p->Level = items[i].level;
    p->Text = std::move(items[i].text);
    p->LText = std::move(items[i].ltext);
    p->Height = kNewNodeHeight;
  }
  tree.ReparentBlock(nullptr, 0, tree.Count);
  tree.Relink();

  TStyleTableNames names(table);
  const std::vector<uint8_t> bytes = SerializeDocument(tree, {0, 0, 0}, names);
  TFileLock lock;
  const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return WriteDoc(FullPath(o.positional[1]), view, lock) ? kExitOk : kExitFailure;
}

}  // namespace ql
