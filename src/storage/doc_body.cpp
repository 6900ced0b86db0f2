#include "storage/doc_body.h"

#include <vector>

#include "model/tree.h"
#include "storage/body_format.h"
#include "storage/doc_body_internal.h"
#include "storage/style_names.h"

namespace ql {

void WriteBody(TWr& wr, const TTTree& tree, int32_t start, int32_t end, int32_t base, const TStyleNames& styles) {
  const int32_t styleCount = styles.StyleCount();
  auto valid = [&](uint16_t style) { return style < styleCount ? style : uint16_t(0); };
  // Every style a node of the range uses gets a file number, in table order.
  std::vector<int32_t> fileNumber(static_cast<size_t>(styleCount > 0 ? styleCount : 1), -1);
  for (int32_t i = start; i < end; ++i) {
    const TTNode* p = tree.Nodes[i];
    fileNumber[valid(p->Style)] = 0;
    fileNumber[valid(p->Style1)] = 0;
  }
  int32_t used = 0;
  for (int32_t& number : fileNumber) {
    if (number == 0) number = used++;
  }
  wr.Put8(tree.IdsWrapped ? 1 : 0);
  wr.Put32(tree.MaxId);
  wr.Put32(tree.CodePage);
  wr.PutI32(used);
  for (int32_t s = 0; s < static_cast<int32_t>(fileNumber.size()); ++s) {
    if (fileNumber[s] >= 0) wr.PutZ(s < styleCount ? styles.StyleName(s) : std::string_view());
  }
  wr.PutI32(end > start ? end - start : 0);
  // Room for every record at once: 16 fixed bytes and the two texts with their terminators.
  size_t total = 0;
  for (int32_t i = start; i < end; ++i) total += 18 + tree.Nodes[i]->Text.size() + tree.Nodes[i]->LText.size();
  wr.Ensure(total);
  for (int32_t i = start; i < end; ++i) {
    const TTNode* p = tree.Nodes[i];
    wr.Put32(p->Id);
    wr.PutI32(p->Level - base);
    wr.Put8(p->Opened ? 1 : 0);
    wr.Put8(p->Flags);
    wr.Put16(static_cast<uint16_t>(fileNumber[valid(p->Style)]));
    wr.Put16(static_cast<uint16_t>(fileNumber[valid(p->Style1)]));
    wr.PutZ(p->Text);
    wr.PutZ(p->LText);
  }
}

int32_t ReadCheckedBody(TRe& re, TTTree& tree, TTNode* parent, int32_t index, bool paste, TStyleNames& styles) {
  const int32_t v = EffectiveVersion(re.Version());
  TBodyHead head;
  if (!ReadBodyHead(re, head)) return -1;
  if (head.hasIds && !paste) {
    tree.IdsWrapped = head.idsWrapped;
    tree.MaxId = head.maxId;
  }
  std::vector<uint16_t> styleOf(head.styleNames.size());
  if (head.hasCodePage) {
    tree.CodePage = head.codePage;
    for (size_t i = 0; i < head.styleNames.size(); ++i) styleOf[i] = styles.AddDocStyle(head.styleNames[i]);
  }
  const int32_t n = head.nodeCount;
  if (!tree.InsertNodes(index, n, paste)) return -1;
  TBodyRecord record;
  for (int32_t i = 0; i < n; ++i) {
    TTNode* p = tree.Nodes[index + i];
    // The body was checked, so this cannot fail; a failure would only leave blank nodes.
    if (!ReadBodyRecord(re, head, record)) break;
    if (!paste) {
      if (record.hasId) {
        p->Id = record.id;
      } else {
        p->Id = ++tree.MaxId;
      }
    }
    p->Level = record.level;
    p->Opened = record.opened;
    if (v > 3) {
      p->Flags = record.flags;
      p->Style = styleOf[record.style];
      p->Style1 = styleOf[record.style1];
    }
    p->Text.assign(record.text);
    p->LText.assign(record.ltext);
    p->CanOpen = true;
    p->Height = kNewNodeHeight;
  }
  tree.ReparentBlock(parent, index, index + n);
  return n;
}

int32_t ReadBody(TRe& reader, TTTree& tree, TTNode* parent, int32_t index, bool paste, TStyleNames& styles) {
  TRe check = reader;
  if (!CheckBody(check)) return -1;
  return ReadCheckedBody(reader, tree, parent, index, paste, styles);
}

}  // namespace ql
