#pragma once
// Names as stampel builds them: a path split into folder, base name and extension, the date
// stamp, and the stripping of old stamps.
#include <ctime>
#include <string>
#include <string_view>

namespace ql::tools {

struct NameParts {
  std::string folder;  // up to and including the last "/" (empty when there is none)
  std::string base;
  std::string ext;     // from the last dot of the last component on (also for folders), or empty
};

// `path` has no trailing "/".
NameParts SplitName(std::string_view path);

// " year-mm-dd" (the year unpadded), with `with_time` also " hh-mm-ss".
std::string DateStamp(const std::tm& local, bool with_time);

// Removes the stamps at the end of a base name: groups of three digit runs joined by single "-"
// (a date, a time), each preceded by spaces, and a " number" sequence suffix right after a stamp.
// A name made of stamps only, or with nothing to strip, stays. Returns whether it changed.
bool StripStamps(std::string& base);

}  // namespace ql::tools
