#pragma once
// Argument parsing for the qltool commands whose positional arguments are free text (search
// patterns, replacements): only the listed option words are options, so a pattern may itself
// begin with "-" or "--".
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace ql {

struct TCmdOptions {
  std::vector<std::string> positional;
  std::set<std::string> flags;                 // the flag words given
  std::map<std::string, std::string> values;   // option words that take a value

  bool Has(const std::string& flag) const { return flags.count(flag) != 0; }
  std::optional<std::string> Value(const std::string& option) const;
};

// Splits args: a word in `flagWords` is a flag; a word in `valueWords` takes the next argument as
// its value (also written "--word=value"); everything else is positional. False (after printing
// `usage` to stderr) when a value is missing or the positional count is not `positionalCount`.
bool ParseCmdOptions(const std::vector<std::string>& args, const std::set<std::string>& flagWords,
                     const std::set<std::string>& valueWords, size_t positionalCount,
                     const char* usage, TCmdOptions& out);

// Prints the usage line to stderr and returns the usage exit code.
int CmdUsage(const char* usage);

}  // namespace ql
