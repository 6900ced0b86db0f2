#include "find/doc_fixture.h"

#include "base/cp1251.h"

namespace qltest {

void BuildDoc(ql::TTTree& t, const std::vector<DocNode>& nodes) {
  t.Clear();
  t.InsertNodes(0, int(nodes.size()), true);
  for (size_t i = 0; i < nodes.size(); ++i) {
    std::string s = nodes[i].outline;
    ql::TTNode* p = t.Nodes[i];
    const size_t level = s.find_first_not_of('.') == std::string::npos ? s.size()
                                                                         : s.find_first_not_of('.');
    p->Level = int(level);
    s = s.substr(level);
    p->Opened = true;
    if (!s.empty() && s.back() == '~') {
      p->Opened = false;
      s.pop_back();
    }
    p->Text = W(s);
    p->LText = W(nodes[i].ltext);
    p->Height = ql::kNewNodeHeight;
  }
  t.ReparentBlock(nullptr, 0, t.Count);
  t.Relink();
}

std::string W(const std::string& utf8) { return ql::Utf8ToCp1251(utf8); }
std::string U(const std::string& cp1251) { return ql::Cp1251ToUtf8(cp1251); }

}  // namespace qltest
