#include "session_fixture.h"

#include <filesystem>

#include "base/profile.h"
#include "model/tree.h"
#include "session/doc_names.h"

namespace qltest {

void SessionTest::AddNode(ql::TSession& s, const std::string& text) {
  ql::TTNode* node = s.Tree.AddNode(s.Tree.View->RowCount - 1, false);
  ASSERT_NE(node, nullptr);
  node->Text = text;
}

void SessionTest::MakeDoc(const std::string& path, const std::vector<std::string>& texts) {
  FakeStyles styles;
  ql::TSession s(dir_.Path() + "/aux/", styles);
  std::string folder, name;
  ql::SplitDocPath(path, s.ProgDir(), folder, name);
  std::filesystem::create_directories(path.substr(0, path.rfind('/')));
  s.SetDocDir(folder);
  ASSERT_TRUE(s.CreateDoc(name));
  for (const std::string& t : texts) AddNode(s, t);
  ASSERT_TRUE(s.SaveDoc(true));
  ASSERT_TRUE(s.CloseDoc());
}

std::string SessionTest::Titles() const {
  std::string out;
  for (const ql::MsgRequest& r : messages_.Requests()) out += r.title + "|" + r.text + "\n";
  return out;
}

}  // namespace qltest
