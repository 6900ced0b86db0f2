#pragma once
// The command line of QL. Linux hands over an argument vector, so the arguments are joined into
// one text the way the outliner's parser expects it (an argument with a blank in double quotes)
// and parsed by its rules: a quoted path, or an unquoted one that ends after the last ".qlt",
// optionally followed by "@" and a node id.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace ql {

// Joins the arguments (without the program's own name) with single blanks; an argument that
// contains a blank is enclosed in double quotes.
std::string JoinArguments(const std::vector<std::string>& args);

struct TCommandLine {
  std::string Path;               // as written, possibly relative
  std::optional<uint32_t> NodeId; // the number after "@"
};

// Parses the joined text. A quoted path runs to the next double quote (or the end); otherwise
// the trimmed text is the path up to and including its last ".qlt" (any letter case), or all of
// it without one. Blanks then "@" and an unsigned number give the node id; a number that does
// not fit 32 bits gives none.
TCommandLine ParseCommandLine(const std::string& text);

// A path as an absolute one: relative paths are taken against `workDir`; "." segments and
// repeated "/" are dropped ("..", which may pass through a symbolic link, stays).
std::string AbsolutePath(const std::string& path, const std::string& workDir);

// True when the path ends in ".qlt" in any letter case.
bool HasQltExtension(const std::string& path);

}  // namespace ql
