// qltool: the command-line companion of QL over the core library.
#include <cstdio>
#include <cstring>
#include <exception>
#include <string>
#include <vector>

#include "qltool/cmd_export.h"
#include "qltool/cmd_import.h"
#include "qltool/cmd_search.h"
#include "qltool/cmd_subst.h"
#include "qltool/cmd_tokens.h"
#include "qltool/commands.h"
#include "qltool/tool.h"

namespace {

int Tokens(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  return ql::RunTokens(static_cast<int>(args.size()), argv.data());
}

}  // namespace

int main(int argc, char** argv) {
  using namespace ql;
  struct Command {
    const char* name;
    int (*run)(const std::vector<std::string>&);
  };
  static const Command commands[] = {
      {"dump", CmdDump}, {"save", CmdSave}, {"styles", CmdStyles}, {"tokens", Tokens},
      {"search", RunSearch}, {"subst", RunSubst}, {"export", RunExport}, {"import", RunImport}};
  if (argc >= 2) {
    const std::vector<std::string> args(argv + 2, argv + argc);
    for (const Command& command : commands) {
      if (std::strcmp(argv[1], command.name) != 0) continue;
      try {
        return command.run(args);
      } catch (const std::exception& e) {
        std::fprintf(stderr, "qltool: %s\n", e.what());
        return kExitFailure;
      }
    }
  }
  PrintUsage();
  return kExitUsage;
}
