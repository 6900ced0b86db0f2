#pragma once
// The style table as the document body sees it (storage/style_names.h).
#include <string_view>

#include "storage/style_names.h"
#include "styles/styles.h"

namespace ql {

class TStyleTableNames : public TStyleNames {
 public:
  explicit TStyleTableNames(TStyles& table) : table_(table) {}
  int32_t StyleCount() const override { return table_.Count(); }
  std::string_view StyleName(int32_t number) const override {
    const TStyle* style = table_.Item(number);
    return style ? std::string_view(style->name) : std::string_view();
  }
  uint16_t AddDocStyle(std::string_view name) override { return static_cast<uint16_t>(table_.AddDocStyle(name)); }

 private:
  TStyles& table_;
};

}  // namespace ql
