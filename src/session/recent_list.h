#pragma once
// The recent-files list: entries "%s%s|%s" (see TDocNames::RecentEntry), most recent first, at
// most 20, stored as the comma text of "Files".
#include <string>
#include <vector>

namespace ql {

class TRecentList {
 public:
  static constexpr size_t kMax = 20;

  void Assign(std::vector<std::string> entries) { items_ = std::move(entries); }
  const std::vector<std::string>& Items() const { return items_; }

  // Puts the entry first (moving it there when it is elsewhere) and drops entries beyond the
  // 20th. An entry already first changes nothing.
  void Add(const std::string& entry);
  // Deletes the entry when it is there.
  void Drop(const std::string& entry);

  struct MenuItem {
    std::string Caption;  // "%s [%s]" of name and folder part, or the name alone
    size_t Index;         // position in Items()
  };
  // The menu: every entry in order except `current` and entries without "|".
  std::vector<MenuItem> Menu(const std::string& current) const;

 private:
  std::vector<std::string> items_;
};

}  // namespace ql
