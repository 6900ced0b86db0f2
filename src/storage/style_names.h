#pragma once
// What the document body needs of the style table: the names of its styles in table order for
// the writer, and AddDocStyle for the reader (a known name gives its style, an unknown one adds a
// document-only style of that name, an empty name gives style 0). Names are document text (1251).
#include <cstdint>
#include <string_view>

namespace ql {

class TStyleNames {
 public:
  virtual ~TStyleNames() = default;
  virtual int32_t StyleCount() const = 0;
  virtual std::string_view StyleName(int32_t number) const = 0;
  virtual uint16_t AddDocStyle(std::string_view name) = 0;
};

}  // namespace ql
