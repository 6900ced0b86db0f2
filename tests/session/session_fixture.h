#pragma once
// A program folder in a temporary folder, a style table stand-in, a window stand-in that records
// what the session tells it, and helpers to make documents.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/message_hook.h"
#include "base/profile.h"
#include "session/session.h"
#include "storage/style_table_fake.h"
#include "support/test_support.h"

namespace qltest {

class RecordingHost : public ql::TSessionHost {
 public:
  void RegisterFileType() override { ++registrations; }
  bool CtrlHeld() const override { return ctrl; }
  void StartInstance(const std::vector<std::string>& args) override { started.push_back(args); }
  int registrations = 0;
  bool ctrl = false;
  std::vector<std::vector<std::string>> started;
};

class SessionTest : public ::testing::Test {
 protected:
  SessionTest() : prog_(dir_.Path() + "/") {}

  // A session over the program folder, started with the given arguments.
  std::unique_ptr<ql::TSession> Start(const std::vector<std::string>& args = {}, RecordingHost* host = nullptr) {
    auto s = std::make_unique<ql::TSession>(prog_, styles_, host ? host : &host_);
    s->Startup(args, dir_.Path());
    return s;
  }
  // Writes a document with one node per text at `path` through a session of its own.
  void MakeDoc(const std::string& path, const std::vector<std::string>& texts);
  // Adds a node with the text at the end of the session's tree.
  static void AddNode(ql::TSession& s, const std::string& text);
  std::string Ini(const std::string& key) const {
    return ql::GetPrivateProfileString("0", key, "<missing>", prog_ + "QL.ini");
  }
  std::string Titles() const;

  TempDir dir_;
  std::string prog_;
  FakeStyles styles_;
  RecordingHost host_;
  ql::MessageRecorder messages_;
};

}  // namespace qltest
