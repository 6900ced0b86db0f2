#include "storage/byte_io.h"

#include <algorithm>
#include <cstring>

namespace ql {

TWr::TWr() : buf_(1024) {}

void TWr::Grow(size_t n) { buf_.resize(std::max(buf_.size() * 2, pos_ + n)); }

void TWr::PutBytes(std::string_view bytes) {
  Ensure(bytes.size());
  if (!bytes.empty()) std::memcpy(buf_.data() + pos_, bytes.data(), bytes.size());
  pos_ += bytes.size();
}

std::vector<uint8_t> TWr::Take() {
  buf_.resize(pos_);
  std::vector<uint8_t> out = std::move(buf_);
  buf_.assign(1024, 0);
  pos_ = 0;
  return out;
}

bool TRe::Get8(uint8_t& v) {
  if (Remaining() < 1) return false;
  v = static_cast<uint8_t>(data_[pos_++]);
  return true;
}

bool TRe::GetBool(bool& v) {
  uint8_t b;
  if (!Get8(b)) return false;
  v = b != 0;
  return true;
}

bool TRe::Get16(uint16_t& v) {
  if (Remaining() < 2) return false;
  const auto* p = reinterpret_cast<const unsigned char*>(data_.data() + pos_);
  v = static_cast<uint16_t>(p[0] | (p[1] << 8));
  pos_ += 2;
  return true;
}

bool TRe::Get32(uint32_t& v) {
  if (Remaining() < 4) return false;
  const auto* p = reinterpret_cast<const unsigned char*>(data_.data() + pos_);
  v = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
      static_cast<uint32_t>(p[3]) << 24;
  pos_ += 4;
  return true;
}

bool TRe::GetI32(int32_t& v) {
  uint32_t u;
  if (!Get32(u)) return false;
  v = static_cast<int32_t>(u);
  return true;
}

bool TRe::GetZ(std::string_view& text) {
  if (Remaining() == 0) return false;
  const void* nul = std::memchr(data_.data() + pos_, 0, Remaining());
  if (!nul) return false;
  const size_t len = static_cast<size_t>(static_cast<const char*>(nul) - (data_.data() + pos_));
  text = data_.substr(pos_, len);
  pos_ += len + 1;
  return true;
}

}  // namespace ql
