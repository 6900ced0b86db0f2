#pragma once
// The qltool commands: each takes the arguments after its name and returns the exit code
// (0 success, 1 failure with one line on stderr, 2 usage error).
#include <string>
#include <vector>

namespace ql {

int CmdDump(const std::vector<std::string>& args);
int CmdSave(const std::vector<std::string>& args);
int CmdStyles(const std::vector<std::string>& args);

}  // namespace ql
