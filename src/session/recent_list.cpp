#include "session/recent_list.h"

#include <algorithm>

namespace ql {

void TRecentList::Add(const std::string& entry) {
  if (!items_.empty() && items_.front() == entry) return;
  Drop(entry);
  items_.insert(items_.begin(), entry);
  if (items_.size() > kMax) items_.resize(kMax);
}

void TRecentList::Drop(const std::string& entry) {
  const auto it = std::find(items_.begin(), items_.end(), entry);
  if (it != items_.end()) items_.erase(it);
}

std::vector<TRecentList::MenuItem> TRecentList::Menu(const std::string& current) const {
  std::vector<MenuItem> menu;
  for (size_t i = 0; i < items_.size(); ++i) {
    const std::string& entry = items_[i];
    const size_t bar = entry.find('|');
    if (entry == current || bar == std::string::npos) continue;
    const std::string folder = entry.substr(0, bar);
    const std::string name = entry.substr(bar + 1);
    menu.push_back({folder.empty() ? name : name + " [" + folder + "]", i});
  }
  return menu;
}

}  // namespace ql
