#pragma once
// Byte images of documents written straight from the format tables, so that reader tests never
// depend on our own writer.
#include <cstdint>
#include <string>
#include <string_view>

namespace qltest {

class Bytes {
 public:
  Bytes& I8(uint8_t v) { s_ += static_cast<char>(v); return *this; }
  Bytes& I16(uint16_t v) { return I8(v & 0xFF).I8(v >> 8); }
  Bytes& I32(int64_t v) {
    const auto u = static_cast<uint32_t>(v);
    return I16(u & 0xFFFF).I16(u >> 16);
  }
  Bytes& Z(std::string_view text) { s_.append(text); s_ += '\0'; return *this; }
  Bytes& Raw(std::string_view bytes) { s_.append(bytes); return *this; }
  Bytes& Header(int32_t version, int32_t selTop = 0, int32_t selBottom = 0, int32_t topRow = 0) {
    return I32(version).I32(selTop).I32(selBottom).I32(topRow);
  }
  // Version 4 node record.
  Bytes& Node4(uint32_t id, int32_t level, uint8_t opened, uint8_t flags, uint16_t style, uint16_t style1,
               std::string_view text, std::string_view ltext) {
    return I32(id).I32(level).I8(opened).I8(flags).I16(style).I16(style1).Z(text).Z(ltext);
  }
  const std::string& str() const { return s_; }
  operator std::string() const { return s_; }
  operator std::string_view() const { return s_; }
  size_t size() const { return s_.size(); }

 private:
  std::string s_;
};

}  // namespace qltest
