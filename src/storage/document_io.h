#pragma once
// A whole document as file bytes: the 16-byte header (version, selected rows, top row) and the
// body of every node.
#include <cstdint>
#include <string>
#include <vector>

#include "storage/body_format.h"

namespace ql {

class TStyleNames;
class TTTree;

// Where the grid stood; stored in the header.
struct TDocView {
  int32_t selTop = 0;
  int32_t selBottom = 0;
  int32_t topRow = 0;
};

// The bytes an explicit save writes: version 4, the view, the body of the whole tree (base 0).
std::vector<uint8_t> SerializeDocument(const TTTree& tree, const TDocView& view, const TStyleNames& styles);

// Turns the bytes of a document file into the tree. The bytes are checked first: a damaged file
// ("Файл ВС повреждён и не может быть прочитан") or one of a newer version ("У файла ВС более
// новая версия, чем у программы") is refused with the path as text (only with `showMessages`),
// and neither the tree nor the style table is touched. On success the tree is cleared and
// filled, its ids rebuilt and relinked, and it adopts the bytes as its Image (ImageLen = the
// bytes up to the end of the last node record); `header` gets the header as read.
bool ReadDocument(std::vector<uint8_t>&& bytes, const std::string& path, bool showMessages, TTTree& tree,
                  TStyleNames& styles, TDocHeader* header = nullptr);

}  // namespace ql
