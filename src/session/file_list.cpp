#include "session/file_list.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/profile.h"

namespace ql {

std::vector<std::string> DocumentNames(const std::string& folder) {
  namespace fs = std::filesystem;
  std::vector<std::string> names{std::string()};
  std::error_code ec;
  fs::directory_iterator it(folder.empty() ? "." : folder, ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string file = it->path().filename().string();
    if (file.size() <= 4 || file.compare(file.size() - 4, 4, ".qlt") != 0) continue;
    std::error_code sec;
    if (!it->is_regular_file(sec)) continue;  // follows a symbolic link to its target
    names.push_back(file.substr(0, file.size() - 4));
  }
  std::vector<std::pair<std::string, std::string>> keyed;
  keyed.reserve(names.size());
  for (std::string& n : names) keyed.emplace_back(TProfile::FoldName(n), std::move(n));
  std::sort(keyed.begin(), keyed.end());
  names.clear();
  for (auto& k : keyed) names.push_back(std::move(k.second));
  return names;
}

}  // namespace ql
