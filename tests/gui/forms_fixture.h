#pragma once
// Main windows over a program folder of their own: documents made through a session, windows
// started with a command line, and the file facts the window tests look at.
#include <QApplication>
#include <QTest>
#include <sys/stat.h>
#include <sys/time.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "base/profile.h"
#include "forms/tree_form.h"
#include "model/tree.h"
#include "session/doc_names.h"
#include "styles/styles.h"
#include "support/test_support.h"

namespace qltest {

struct FormsFixture {
  TempDir dir;
  std::string prog = dir.Path() + "/";

  FormsFixture() { ql::WritePrivateProfileString("0", "FirstCall", "0", prog + "QL.ini"); }

  std::unique_ptr<ql::TTreeForm> Start(const std::vector<std::string>& args = {}) {
    auto form = std::make_unique<ql::TTreeForm>(ql::TStartup{prog, args, dir.Path()});
    return form;
  }
  // Shows the window, makes it active and lets the grid run its first paint.
  static void Show(ql::TTreeForm& form) {
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QApplication::processEvents();
    QApplication::processEvents();
  }

  // A document with one top-level node per text, written through a session of its own.
  static void MakeDoc(const std::string& path, const std::vector<std::string>& texts) {
    static ql::TStyles styles;
    ql::TStyleTableNames names(styles);
    TempDir aux;
    ql::TSession s(aux.Path() + "/", names);
    std::string folder, name;
    ql::SplitDocPath(path, s.ProgDir(), folder, name);
    std::filesystem::create_directories(path.substr(0, path.rfind('/')));
    s.SetDocDir(folder);
    QVERIFY(s.CreateDoc(name));
    for (const std::string& t : texts) AddNode(s, t);
    QVERIFY(s.SaveDoc(true));
    QVERIFY(s.CloseDoc());
  }
  static void AddNode(ql::TSession& s, const std::string& text) {
    ql::TTNode* node = s.Tree.AddNode(s.Tree.View->RowCount - 1, false);
    QVERIFY(node);
    node->Text = text;
    s.Tree.Relink();
  }

  std::string Ini(const std::string& key) const {
    return ql::GetPrivateProfileString("0", key, "<missing>", prog + "QL.ini");
  }
  // Sets a file's modification time far into the past, so that any later write shows.
  static void Age(const std::string& path) {
    const timeval old[2] = {{1000000000, 0}, {1000000000, 0}};
    QCOMPARE(utimes(path.c_str(), old), 0);
  }
  static bool Written(const std::string& path) {
    struct stat st{};
    return stat(path.c_str(), &st) == 0 && st.st_mtime != 1000000000;
  }
};

}  // namespace qltest
