// Outline-built trees for the model tests.
#include "model/model_fixture.h"

namespace qltest {

void BuildTree(ql::TTTree& t, const std::vector<std::string>& outline) {
  t.Clear();
  t.InsertNodes(0, int(outline.size()), true);
  for (size_t i = 0; i < outline.size(); ++i) {
    std::string s = outline[i];
    ql::TTNode* p = t.Nodes[i];
    size_t level = s.find_first_not_of('.');
    p->Level = int(level);
    s = s.substr(level);
    p->Opened = true;
    if (!s.empty() && s.back() == '-') {
      p->Opened = false;
      s.pop_back();
    }
    p->Text = s;
    p->Height = ql::kNewNodeHeight;
  }
  t.ReparentBlock(nullptr, 0, t.Count);
  t.Relink();
}

std::vector<std::string> Outline(const ql::TTTree& t) {
  std::vector<std::string> out;
  for (int i = 0; i < t.Count; ++i) {
    const ql::TTNode* p = t.Nodes[i];
    out.push_back(std::string(size_t(p->Level), '.') + p->Text + (p->Opened ? "" : "-"));
  }
  return out;
}

std::vector<std::string> RowNames(const ql::TTTree& t) {
  std::vector<std::string> out;
  for (int r = 0; r < t.View->RowCount; ++r) out.push_back(t.View->Rows[r]->Text);
  return out;
}

ql::TTNode* Node(const ql::TTTree& t, const std::string& name) {
  for (int i = 0; i < t.Count; ++i)
    if (t.Nodes[i]->Text == name) return t.Nodes[i];
  return nullptr;
}

std::string Names(const ql::TTTree& t, int start, int end) {
  std::string s;
  for (int i = start; i < end && i < t.Count; ++i) {
    if (!s.empty()) s += ' ';
    s += t.Nodes[i]->Text;
  }
  return s;
}

}  // namespace qltest
