#pragma once
// Shared pieces of the qltool commands: argument parsing, the style table and the document load
// the outliner performs.
#include <optional>
#include <string>
#include <vector>

#include "storage/body_format.h"

namespace ql {

class TStyles;
class TTTree;

// Exit codes of every command.
constexpr int kExitOk = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

struct TToolArgs {
  std::vector<std::string> positional;
  std::optional<std::string> styles;  // --styles PATH
};

// Splits the arguments after the command name; false (after printing the usage) on an unknown
// option, a missing option value or a positional count outside min..max.
bool ParseToolArgs(const std::vector<std::string>& args, size_t minPositional, size_t maxPositional,
                   TToolArgs& out);

// Prints the usage text to stderr.
void PrintUsage();

// Fills the table from `stylesPath`, or from Styles.ini in the program folder; a missing file
// leaves style 0 alone.
void LoadStyleTable(TStyles& table, const std::optional<std::string>& stylesPath);

// The path as the outliner shows it in messages: absolute.
std::string FullPath(const std::string& path);

// Reads a document as the outliner opens it (whole read, checks, parse, ids, relink), without
// keeping its lock; failures print their message. The tree drops the table's document-only
// styles when it is cleared.
bool LoadToolDocument(const std::string& path, TStyles& table, TTTree& tree, TDocHeader& header);

}  // namespace ql
