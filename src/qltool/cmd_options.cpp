#include "qltool/cmd_options.h"

#include <cstdio>

#include "qltool/tool.h"

namespace ql {

std::optional<std::string> TCmdOptions::Value(const std::string& option) const {
  auto it = values.find(option);
  if (it == values.end()) return std::nullopt;
  return it->second;
}

int CmdUsage(const char* usage) {
  std::fprintf(stderr, "usage: %s\n", usage);
  return kExitUsage;
}

bool ParseCmdOptions(const std::vector<std::string>& args, const std::set<std::string>& flagWords,
                     const std::set<std::string>& valueWords, size_t positionalCount,
                     const char* usage, TCmdOptions& out) {
  out = TCmdOptions();
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (flagWords.count(arg)) {
      out.flags.insert(arg);
      continue;
    }
    if (valueWords.count(arg)) {
      if (i + 1 >= args.size()) {
        CmdUsage(usage);
        return false;
      }
      out.values[arg] = args[++i];
      continue;
    }
    const size_t eq = arg.find('=');
    if (eq != std::string::npos && valueWords.count(arg.substr(0, eq))) {
      out.values[arg.substr(0, eq)] = arg.substr(eq + 1);
      continue;
    }
    out.positional.push_back(arg);
  }
  if (out.positional.size() != positionalCount) {
    CmdUsage(usage);
    return false;
  }
  return true;
}

}  // namespace ql
