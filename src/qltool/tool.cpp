#include "qltool/tool.h"

#include <unistd.h>

#include <cstdio>

#include "base/profile.h"
#include "model/tree.h"
#include "platform/doc_file.h"
#include "platform/folders.h"
#include "storage/document_io.h"
#include "storage/style_table_names.h"
#include "styles/styles.h"

namespace ql {

void PrintUsage() {
  std::fputs(
      "usage: qltool dump FILE [--styles PATH]\n"
      "       qltool save FILE OUT [--styles PATH]\n"
      "       qltool styles [--styles PATH]\n"
      "       qltool tokens [--pascal] [--keywords \"w1 w2 ...\"] < text\n"
      "       qltool search FILE PATTERN [--case] [--words] [--no-nodes] [--no-texts] [--opened]\n"
      "       qltool subst FILE PATTERN REPLACEMENT [--out OUT] [--case] [--words] [--no-nodes]\n"
      "                    [--no-texts] [--opened] [--count]\n"
      "       qltool export FILE [--shift 0..4] [--num 0..3] [--no-text] [--opened]\n"
      "       qltool import TEXT OUT\n",
      stderr);
}

bool ParseToolArgs(const std::vector<std::string>& args, size_t minPositional, size_t maxPositional,
                   TToolArgs& out) {
  out = TToolArgs();
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--styles") {
      if (i + 1 >= args.size()) {
        PrintUsage();
        return false;
      }
      out.styles = args[++i];
    } else if (arg.starts_with("--styles=")) {
      out.styles = arg.substr(9);
    } else if (arg.starts_with("--") && arg != "--") {
      PrintUsage();
      return false;
    } else {
      out.positional.push_back(arg);
    }
  }
  if (out.positional.size() < minPositional || out.positional.size() > maxPositional) {
    PrintUsage();
    return false;
  }
  return true;
}

void LoadStyleTable(TStyles& table, const std::optional<std::string>& stylesPath) {
  if (!stylesPath) {
    table.Load(ProgramFolder());
    return;
  }
  TProfile ini;
  ini.Load(*stylesPath);  // a missing file gives an empty profile: style 0 alone
  table.Load(ini);
}

std::string FullPath(const std::string& path) {
  if (path.starts_with('/')) return path;
  std::string cwd(4096, '\0');
  if (!::getcwd(cwd.data(), cwd.size())) return path;
  cwd.resize(std::char_traits<char>::length(cwd.data()));
  return cwd == "/" ? "/" + path : cwd + "/" + path;
}

bool LoadToolDocument(const std::string& path, TStyles& table, TTTree& tree, TDocHeader& header) {
  const std::string full = FullPath(path);
  std::vector<uint8_t> bytes;
  TFileLock lock;
  if (!ReadDoc(full, true, bytes, lock)) return false;
  lock.Close();
  tree.OnClear = [&table] { table.DropDocStyles(); };
  TStyleTableNames names(table);
  return ReadDocument(std::move(bytes), full, true, tree, names, &header);
}

}  // namespace ql
