#include "storage/document_io.h"

#include <cstdint>

#include "base/message_hook.h"
#include "model/tree.h"
#include "storage/doc_body.h"
#include "storage/doc_body_internal.h"

namespace ql {

std::vector<uint8_t> SerializeDocument(const TTTree& tree, const TDocView& view, const TStyleNames& styles) {
  TWr wr;
  wr.PutI32(kDocVersion);
  wr.PutI32(view.selTop);
  wr.PutI32(view.selBottom);
  wr.PutI32(view.topRow);
  WriteBody(wr, tree, 0, tree.Count, 0, styles);
  return wr.Take();
}

bool ReadDocument(std::vector<uint8_t>&& bytes, const std::string& path, bool showMessages, TTTree& tree,
                  TStyleNames& styles, TDocHeader* header) {
  const std::string_view data(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  TDocHeader h;
  size_t imageLen = 0;
  TDocCheck check = CheckDocument(data, h, imageLen);
  if (check == TDocCheck::Ok && imageLen > static_cast<size_t>(INT32_MAX)) check = TDocCheck::Damaged;
  switch (check) {
    case TDocCheck::Ok:
      break;
    case TDocCheck::Newer:
      if (showMessages) ShowWarning("У файла ВС более новая версия, чем у программы", path);
      return false;
    case TDocCheck::Damaged:
      if (showMessages) ShowWarning("Файл ВС повреждён и не может быть прочитан", path);
      return false;
  }
  tree.Clear();
  TRe re(data.substr(kDocHeaderSize), EffectiveVersion(h.version));
  ReadCheckedBody(re, tree, nullptr, 0, false, styles);
  tree.RebuildIds(tree.NodeSpan());
  tree.Relink();
  tree.Image = std::move(bytes);
  tree.ImageLen = static_cast<int32_t>(imageLen);
  if (header) *header = h;
  return true;
}

}  // namespace ql
