// Creating, saving as, deleting, and start-up from the command line.
#include <sys/stat.h>

#include <filesystem>

#include "base/profile.h"
#include "session_fixture.h"
#include "storage/body_format.h"

namespace {

namespace fs = std::filesystem;
using qltest::SessionTest;
using ql::TDocState;
using ql::TSaveAsChoice;

constexpr size_t kEmptyDocSize = 33;

TEST_F(SessionTest, CreateOverAnExistingName) {
  MakeDoc(prog_ + "Plan.qlt", {"old"});
  fs::create_directory(prog_ + "Plan.qlf");
  qltest::WriteFile(prog_ + "Plan.qlf/att.txt", "x");
  auto s = Start();

  // Cancel keeps everything.
  messages_.QueueAnswer(ql::MsgAnswer::Cancel);
  EXPECT_FALSE(s->OpenPath(prog_ + "Plan.qlt", ql::TOpenMode::Create));
  EXPECT_TRUE(qltest::Exists(prog_ + "Plan.qlf/att.txt"));
  EXPECT_EQ(s->State(), TDocState::None);

  // OK deletes the file and its attachment folder and writes a fresh empty document.
  EXPECT_TRUE(s->OpenPath(prog_ + "Plan.qlt", ql::TOpenMode::Create));
  EXPECT_EQ(Titles(), "Файл или папка существует! Удалить и создать новый?|" + prog_ + "Plan.qlt\n"
                      "Файл или папка существует! Удалить и создать новый?|" + prog_ + "Plan.qlt\n");
  EXPECT_FALSE(fs::exists(prog_ + "Plan.qlf"));
  EXPECT_EQ(fs::file_size(prog_ + "Plan.qlt"), kEmptyDocSize);
  EXPECT_EQ(s->State(), TDocState::Editable);
  EXPECT_EQ(s->Tree.Count, 0);
  EXPECT_EQ(s->Recent.Items().front(), "|Plan");
  EXPECT_EQ(Ini("File"), "Plan");

  // Creating over the open document itself.
  AddNode(*s, "new");
  EXPECT_TRUE(s->OpenPath(prog_ + "Plan.qlt", ql::TOpenMode::Create));
  EXPECT_EQ(fs::file_size(prog_ + "Plan.qlt"), kEmptyDocSize);
  EXPECT_TRUE(s->LockHeld());
}

TEST_F(SessionTest, CreateOverADocumentOpenElsewhereIsRefused) {
  MakeDoc(prog_ + "Plan.qlt", {"keep"});
  auto holder = Start({prog_ + "Plan.qlt"});
  ASSERT_EQ(holder->State(), TDocState::Editable);
  auto s = Start();
  EXPECT_FALSE(s->OpenPath(prog_ + "Plan.qlt", ql::TOpenMode::Create));
  EXPECT_EQ(Titles(), "Файл или папка существует! Удалить и создать новый?|" + prog_ + "Plan.qlt\n"
                      "Невозможно записать файл - файл уже открыт|" + prog_ + "Plan.qlt\n");
  EXPECT_NE(qltest::ReadFile(prog_ + "Plan.qlt").find("keep"), std::string::npos);
}

TEST_F(SessionTest, OpenPathModes) {
  MakeDoc(prog_ + "A.qlt", {"a"});
  auto s = Start();
  EXPECT_TRUE(s->OpenPath(prog_ + "A.qlt", ql::TOpenMode::Open));
  EXPECT_EQ(s->DocName(), "A");
  EXPECT_FALSE(s->OpenPath(prog_ + "Missing.qlt", ql::TOpenMode::Open));
  EXPECT_EQ(Titles(), "Файла не существует|" + prog_ + "Missing.qlt\n");
  // Mode 1 creates a missing one without asking.
  messages_.Clear();
  fs::create_directory(prog_ + "Sub");
  EXPECT_TRUE(s->OpenPath(prog_ + "Sub/New.qlt", ql::TOpenMode::OpenOrCreate));
  EXPECT_EQ(s->DocDir(), prog_ + "Sub");
  EXPECT_EQ(s->Caption(), "New [Sub]");
  EXPECT_EQ(fs::file_size(prog_ + "Sub/New.qlt"), kEmptyDocSize);
  EXPECT_EQ(Titles(), "");
}

struct SaveAsFixture : SessionTest {
  void SetUp() override {
    MakeDoc(prog_ + "A.qlt", {"a"});
    fs::create_directories(prog_ + "A.qlf/inner");
    qltest::WriteFile(prog_ + "A.qlf/inner/att.txt", "attached");
    fs::create_directory(prog_ + "Sub");
    s = Start({prog_ + "A.qlt"});
    ASSERT_EQ(s->State(), TDocState::Editable);
    s->Tree.At(0)->Text = "edited";
  }
  std::unique_ptr<ql::TSession> s;
};

TEST_F(SaveAsFixture, RenameMovesTheFileAndItsAttachments) {
  ASSERT_TRUE(s->SaveAs(prog_ + "Sub/B.qlt", TSaveAsChoice::Rename));
  EXPECT_FALSE(fs::exists(prog_ + "A.qlt"));
  EXPECT_FALSE(fs::exists(prog_ + "A.qlf"));
  EXPECT_EQ(qltest::ReadFile(prog_ + "Sub/B.qlf/inner/att.txt"), "attached");
  EXPECT_NE(qltest::ReadFile(prog_ + "Sub/B.qlt").find("edited"), std::string::npos);
  EXPECT_EQ(s->DocPath(), prog_ + "Sub/B.qlt");
  EXPECT_EQ(s->State(), TDocState::Editable);
  EXPECT_TRUE(s->LockHeld());
  EXPECT_EQ(s->Recent.Items(), std::vector<std::string>{":Sub|B"});
  EXPECT_EQ(Ini("Dir"), ":Sub");
  EXPECT_EQ(Ini("File"), "B");
  EXPECT_EQ(Titles(), "");
}

TEST_F(SaveAsFixture, CopyAndStayKeepsTheOldDocument) {
  ASSERT_TRUE(s->SaveAs(prog_ + "Sub/B.qlt", TSaveAsChoice::CopyAndStay));
  EXPECT_EQ(s->DocPath(), prog_ + "A.qlt");
  EXPECT_TRUE(s->LockHeld());
  EXPECT_EQ(qltest::ReadFile(prog_ + "A.qlf/inner/att.txt"), "attached");
  EXPECT_EQ(qltest::ReadFile(prog_ + "Sub/B.qlf/inner/att.txt"), "attached");
  // The new file has the new version, the old one keeps the old.
  EXPECT_NE(qltest::ReadFile(prog_ + "Sub/B.qlt").find("edited"), std::string::npos);
  EXPECT_EQ(qltest::ReadFile(prog_ + "A.qlt").find("edited"), std::string::npos);
  // The copy is not held by anybody.
  auto other = Start({prog_ + "Sub/B.qlt"});
  EXPECT_EQ(other->State(), TDocState::Editable);
}

TEST_F(SaveAsFixture, CopyAndGoSwitches) {
  ASSERT_TRUE(s->SaveAs(prog_ + "Sub/B.qlt", TSaveAsChoice::CopyAndGo));
  EXPECT_EQ(s->DocPath(), prog_ + "Sub/B.qlt");
  EXPECT_TRUE(s->LockHeld());
  EXPECT_TRUE(fs::exists(prog_ + "A.qlt"));
  EXPECT_EQ(qltest::ReadFile(prog_ + "Sub/B.qlf/inner/att.txt"), "attached");
  EXPECT_EQ(s->Recent.Items(), (std::vector<std::string>{":Sub|B", "|A"}));
  // The old document is free again.
  auto other = Start({prog_ + "A.qlt"});
  EXPECT_EQ(other->State(), TDocState::Editable);
}

TEST_F(SaveAsFixture, OverAnExistingTargetAsksFirst) {
  MakeDoc(prog_ + "Sub/B.qlt", {"b"});
  messages_.QueueAnswer(ql::MsgAnswer::Cancel);
  EXPECT_FALSE(s->SaveAs(prog_ + "Sub/B.qlt", TSaveAsChoice::Rename));
  EXPECT_EQ(Titles(), "Такой файл или папка уже есть! Сохранить все равно?|" + prog_ + "Sub/B.qlt\n");
  EXPECT_TRUE(fs::exists(prog_ + "A.qlt"));
  EXPECT_NE(qltest::ReadFile(prog_ + "Sub/B.qlt").find('b'), std::string::npos);
  EXPECT_EQ(s->DocPath(), prog_ + "A.qlt");
}

TEST_F(SaveAsFixture, FailedSaveRestoresTheOldDocument) {
  ql::SetWriteFaultForTests(ql::TWriteFault::Write);
  EXPECT_FALSE(s->SaveAs(prog_ + "Sub/B.qlt", TSaveAsChoice::Rename));
  ql::SetWriteFaultForTests(ql::TWriteFault::None);
  EXPECT_EQ(s->DocPath(), prog_ + "A.qlt");
  EXPECT_TRUE(s->LockHeld());
  EXPECT_TRUE(fs::exists(prog_ + "A.qlf/inner/att.txt"));
  EXPECT_FALSE(fs::exists(prog_ + "Sub/B.qlf"));
}

TEST_F(SaveAsFixture, ReadOnlyDocumentIsCopiedAsRead) {
  auto ro = Start({prog_ + "A.qlt"});
  ASSERT_EQ(ro->State(), TDocState::ReadOnly);
  EXPECT_FALSE(ro->SaveAs(prog_ + "C.qlt", TSaveAsChoice::Rename));
  ro->Tree.At(0)->Text = "not saved";
  ASSERT_TRUE(ro->SaveAs(prog_ + "C.qlt", TSaveAsChoice::CopyAndGo));
  EXPECT_EQ(qltest::ReadFile(prog_ + "C.qlt"), qltest::ReadFile(prog_ + "A.qlt"));
  EXPECT_EQ(ro->DocPath(), prog_ + "C.qlt");
  EXPECT_EQ(ro->State(), TDocState::Editable);
  EXPECT_EQ(qltest::ReadFile(prog_ + "C.qlf/inner/att.txt"), "attached");
}

TEST_F(SaveAsFixture, AttachmentsThatCannotBeCarriedAreReported) {
  // A special file is never copied, so the copy of the folder fails after the document is saved.
  ASSERT_EQ(::mkfifo((prog_ + "A.qlf/pipe").c_str(), 0600), 0);
  ASSERT_TRUE(s->SaveAs(prog_ + "Sub/B.qlt", TSaveAsChoice::CopyAndStay));
  ASSERT_EQ(messages_.Requests().size(), 1u);
  EXPECT_EQ(messages_.Requests()[0].icon, ql::MsgIcon::Error);
  EXPECT_EQ(Titles(), "Не получилось копировать папку с прикрепленными файлами!|" + prog_ + "Sub/B.qlf\n");
  EXPECT_TRUE(fs::exists(prog_ + "Sub/B.qlt"));
  EXPECT_TRUE(fs::exists(prog_ + "A.qlf/inner/att.txt"));  // the old folder stays complete
}

TEST_F(SaveAsFixture, WindowInputs) {
  const ql::TSaveAsTarget t = s->SaveAsTarget();
  EXPECT_EQ(t.KeptDir, dir_.Path());
  EXPECT_EQ(t.KeptName, "A");
  EXPECT_TRUE(t.Editable);
  EXPECT_EQ(s->DocumentsFolder(), dir_.Path());
  ASSERT_TRUE(s->SaveAs(prog_ + "Sub/B.qlt", TSaveAsChoice::CopyAndGo));
  EXPECT_EQ(s->DocumentsFolder(), prog_ + "Sub");
  EXPECT_EQ(s->SaveAsTarget().KeptDir, prog_ + "Sub");
}

TEST_F(SessionTest, DeleteEditableAndCloseReadOnly) {
  MakeDoc(prog_ + "A.qlt", {"a"});
  fs::create_directory(prog_ + "A.qlf");
  qltest::WriteFile(prog_ + "A.qlf/x", "x");
  auto s = Start({prog_ + "A.qlt"});
  auto ro = Start({prog_ + "A.qlt"});
  ASSERT_EQ(ro->State(), TDocState::ReadOnly);

  // Read-only: only closes, without asking, and drops the recent entry.
  ASSERT_EQ(ro->Recent.Items().front(), "|A");
  EXPECT_TRUE(ro->DeleteOrClose());
  EXPECT_EQ(Titles(), "");
  EXPECT_TRUE(fs::exists(prog_ + "A.qlt"));
  EXPECT_EQ(ro->State(), TDocState::None);
  EXPECT_TRUE(ro->Recent.Items().empty());

  messages_.QueueAnswer(ql::MsgAnswer::Cancel);
  EXPECT_FALSE(s->DeleteOrClose());
  EXPECT_TRUE(fs::exists(prog_ + "A.qlt"));
  EXPECT_TRUE(s->DeleteOrClose());
  EXPECT_EQ(Titles(), "Удалить?|Удалить файл?\nУдалить?|Удалить файл?\n");
  EXPECT_FALSE(fs::exists(prog_ + "A.qlt"));
  EXPECT_FALSE(fs::exists(prog_ + "A.qlf"));
  EXPECT_EQ(s->State(), TDocState::None);
  EXPECT_EQ(s->Caption(), "Ветвеслов");
  EXPECT_FALSE(s->DeleteOrClose());  // nothing left to delete
}

TEST_F(SessionTest, CommandLineForms) {
  MakeDoc(prog_ + "My Notes/Big Plan.qlt", {"a"});
  struct Case {
    std::vector<std::string> args;
    std::optional<uint32_t> id;
  } cases[] = {
      {{prog_ + "My Notes/Big Plan.qlt", "@125"}, 125u},                 // one argument with blanks (quoted)
      {{prog_ + "My", "Notes/Big", "Plan.qlt"}, std::nullopt},            // split at its blanks
      {{"My Notes/Big Plan.qlt"}, std::nullopt},                          // relative to the working folder
      {{"./My Notes/./Big Plan.qlt", "@3"}, 3u},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[0]);
    auto s = Start(c.args);
    EXPECT_EQ(s->State(), TDocState::Editable);
    EXPECT_EQ(s->DocName(), "Big Plan");
    EXPECT_EQ(s->StartNodeId(), c.id);
    EXPECT_EQ(s->Caption(), "Big Plan [My Notes]");
    s->Shutdown();
  }
  EXPECT_EQ(Titles(), "");
  // A path without ".qlt" is not a document: the last one opens instead.
  auto s = Start({prog_ + "notes.txt"});
  EXPECT_EQ(s->DocName(), "Big Plan");
  EXPECT_FALSE(s->StartNodeId());
}

TEST_F(SessionTest, TemporaryFolder) {
  MakeDoc(prog_ + "Temp/T.qlt", {"t"});
  // Named on the command line: Temp/ is not cleared before it opens, and it is not remembered.
  auto s = Start({prog_ + "Temp/T.qlt"});
  EXPECT_EQ(s->State(), TDocState::Editable);
  EXPECT_TRUE(s->Recent.Items().empty());
  EXPECT_EQ(Ini("File"), "<missing>");
  s->Shutdown();
  EXPECT_FALSE(fs::exists(prog_ + "Temp"));
  // Otherwise the start clears it.
  fs::create_directory(prog_ + "Temp");
  qltest::WriteFile(prog_ + "Temp/x", "x");
  auto t = Start();
  EXPECT_FALSE(fs::exists(prog_ + "Temp/x"));
}

TEST_F(SessionTest, SettingsAndRecentSurviveARestart) {
  const std::string ini = prog_ + "QL.ini";
  ql::WritePrivateProfileString("0", "NodeFontSize", "13", ini);
  ql::WritePrivateProfileString("0", "TextWidth", "5", ini);
  MakeDoc(prog_ + "My Notes/A Plan.qlt", {"a"});
  {
    auto s = Start({prog_ + "My Notes/A Plan.qlt"});
    EXPECT_EQ(ql::DisplayValues(s->Settings).NodeSize, 10);
    EXPECT_EQ(ql::EffectiveTextWidth(s->Settings.TextWidth), 10);
    s->Shutdown();
  }
  EXPECT_EQ(Ini("Files"), ":My Notes|A Plan");  // the profile drops the enclosing quotes
  EXPECT_EQ(Ini("Dir"), ":My Notes");
  EXPECT_EQ(Ini("File"), "A Plan");
  // Many entries, cut to 20, and the one with blanks read back whole.
  {
    auto s = Start();
    EXPECT_EQ(s->Recent.Items(), std::vector<std::string>{":My Notes|A Plan"});
    for (int i = 0; i < 25; ++i) s->Recent.Add("|d" + std::to_string(i));
    EXPECT_EQ(s->Recent.Items().size(), 20u);
    s->Shutdown();
  }
  auto s = Start();
  EXPECT_EQ(s->Recent.Items().size(), 20u);
  EXPECT_EQ(s->Recent.Items()[0], ":My Notes|A Plan");  // the current document comes first again
  EXPECT_EQ(s->DocName(), "A Plan");

  // Choosing from the recent menu.
  MakeDoc(prog_ + "d24.qlt", {"x"});
  const auto menu = s->Recent.Menu(s->RecentKey());
  ASSERT_FALSE(menu.empty());
  EXPECT_EQ(menu[0].Caption, "d24");
  EXPECT_TRUE(s->OpenRecent(menu[0].Index));
  EXPECT_EQ(s->DocPath(), prog_ + "d24.qlt");
  EXPECT_EQ(s->Recent.Items()[0], "|d24");
}

}  // namespace
