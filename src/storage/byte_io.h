#pragma once
// TWr and TRe: the little-endian byte writer and the bounds-checked cursor reader shared by
// document files and the node clipboard. All integers are little-endian and unaligned; a zstr is
// the bytes of a string followed by one 0 byte.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace ql {

// Growable byte buffer with a write position. Starts with 1024 bytes; a write that would pass
// the end grows it to the larger of twice its size and the size needed.
class TWr {
 public:
  TWr();
  void Put8(uint8_t v) {
    Ensure(1);
    buf_[pos_++] = v;
  }
  void Put16(uint16_t v) {
    Ensure(2);
    buf_[pos_] = static_cast<uint8_t>(v);
    buf_[pos_ + 1] = static_cast<uint8_t>(v >> 8);
    pos_ += 2;
  }
  void Put32(uint32_t v) {
    Ensure(4);
    uint8_t* p = buf_.data() + pos_;
    p[0] = static_cast<uint8_t>(v);
    p[1] = static_cast<uint8_t>(v >> 8);
    p[2] = static_cast<uint8_t>(v >> 16);
    p[3] = static_cast<uint8_t>(v >> 24);
    pos_ += 4;
  }
  void PutI32(int32_t v) { Put32(static_cast<uint32_t>(v)); }
  // Writes the text up to its first NUL byte (a document text never holds one; cutting there
  // keeps the file readable) and the terminating 0.
  void PutZ(std::string_view text) {
    const void* nul = text.empty() ? nullptr : std::memchr(text.data(), 0, text.size());
    if (nul) text = text.substr(0, static_cast<size_t>(static_cast<const char*>(nul) - text.data()));
    Ensure(text.size() + 1);
    if (!text.empty()) std::memcpy(buf_.data() + pos_, text.data(), text.size());
    pos_ += text.size();
    buf_[pos_++] = 0;
  }
  void PutBytes(std::string_view bytes);
  // Makes room for n more bytes.
  void Ensure(size_t n) {
    if (buf_.size() - pos_ < n) Grow(n);
  }
  size_t Size() const { return pos_; }
  std::string_view View() const { return std::string_view(reinterpret_cast<const char*>(buf_.data()), pos_); }
  // Hands the written bytes over; the writer is empty afterwards.
  std::vector<uint8_t> Take();

 private:
  void Grow(size_t n);

  std::vector<uint8_t> buf_;  // its size is the capacity
  size_t pos_ = 0;
};

// Cursor over bytes it does not own, with the version of the data it reads. Every getter checks
// that the bytes are there: on failure it returns false and leaves the cursor where it was.
class TRe {
 public:
  TRe() = default;
  explicit TRe(std::string_view bytes, int32_t version = 0) : data_(bytes), version_(version) {}

  bool Get8(uint8_t& v);
  bool GetBool(bool& v);  // any non-zero byte reads as true
  bool Get16(uint16_t& v);
  bool Get32(uint32_t& v);
  bool GetI32(int32_t& v);
  // The text up to the next 0 byte, which is skipped; false when no 0 byte follows.
  bool GetZ(std::string_view& text);

  size_t Pos() const { return pos_; }
  size_t Remaining() const { return data_.size() - pos_; }
  std::string_view Data() const { return data_; }
  int32_t Version() const { return version_; }
  void SetVersion(int32_t version) { version_ = version; }

 private:
  std::string_view data_;
  size_t pos_ = 0;
  int32_t version_ = 0;
};

}  // namespace ql
