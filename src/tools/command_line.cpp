#include "tools/command_line.h"

namespace ql::tools {

CommandLine ParseCommandLine(int argc, const char* const* argv,
                             std::initializer_list<std::string_view> words) {
  CommandLine line;
  for (int i = 1; i < argc; ++i) {
    std::string_view arg = argv[i];
    ++line.count;
    bool option = false;
    if (!arg.empty() && (arg[0] == '/' || arg[0] == '-')) {
      for (std::string_view word : words) {
        if (arg.substr(1) == word) {
          line.options.insert(std::string(word));
          option = true;
          break;
        }
      }
      if (!option && arg[0] == '-') line.unknown_option = true;
    }
    if (!option && (arg.empty() || arg[0] != '-')) line.positional.emplace_back(arg);
  }
  return line;
}

}  // namespace ql::tools
