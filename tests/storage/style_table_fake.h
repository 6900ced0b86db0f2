#pragma once
// A style table for storage tests: names in table order; AddDocStyle appends unknown names.
#include <string>
#include <vector>

#include "storage/style_names.h"

namespace qltest {

class FakeStyles : public ql::TStyleNames {
 public:
  explicit FakeStyles(std::vector<std::string> names = {""}) : names_(std::move(names)) {}
  int32_t StyleCount() const override { return static_cast<int32_t>(names_.size()); }
  std::string_view StyleName(int32_t number) const override { return names_[number]; }
  uint16_t AddDocStyle(std::string_view name) override {
    if (name.empty()) return 0;
    for (size_t i = 0; i < names_.size(); ++i) {
      if (names_[i] == name) return static_cast<uint16_t>(i);
    }
    names_.emplace_back(name);
    return static_cast<uint16_t>(names_.size() - 1);
  }
  const std::vector<std::string>& Names() const { return names_; }

 private:
  std::vector<std::string> names_;
};

}  // namespace qltest
