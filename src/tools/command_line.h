#pragma once
// The tools' command line: an argument is an option exactly when it is "/" or "-" followed by one
// of the tool's option words (compared with letter case); any other argument beginning with "-" is
// an unknown option; everything else, absolute paths included, is positional. Options and
// positional arguments mix in any order.
#include <initializer_list>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace ql::tools {

struct CommandLine {
  size_t count = 0;              // all arguments after the program name
  bool unknown_option = false;   // the tool must exit with 1 at once
  std::set<std::string> options;
  std::vector<std::string> positional;

  bool Has(std::string_view word) const { return options.count(std::string(word)) != 0; }
};

CommandLine ParseCommandLine(int argc, const char* const* argv,
                             std::initializer_list<std::string_view> words);

}  // namespace ql::tools
