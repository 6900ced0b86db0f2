// Start-up, shutdown, loading, saving and switching documents.
#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "base/profile.h"
#include "platform/doc_file.h"
#include "session_fixture.h"

namespace {

namespace fs = std::filesystem;
using qltest::SessionTest;
using ql::TDocState;

// Sets the file's time far back, so that a later write shows as a newer time.
void AgeFile(const std::string& path) {
  fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::hours(24));
}
bool WrittenSinceAged(const std::string& path) {
  return fs::last_write_time(path) > fs::file_time_type::clock::now() - std::chrono::hours(1);
}

TEST_F(SessionTest, FirstStartWithoutIni) {
  auto s = Start();
  EXPECT_EQ(host_.registrations, 1);
  EXPECT_EQ(Ini("FirstCall"), "0");
  EXPECT_EQ(s->State(), TDocState::None);
  EXPECT_EQ(s->Caption(), "Ветвеслов");
  EXPECT_EQ(s->Tree.Count, 0);
  s->Shutdown();
  EXPECT_EQ(Titles(), "");
  for (const char* key : {"SelColor", "NodeBkColor", "TextBkColor", "NodeFontSize", "TextFontSize", "NodeFontStyle",
                          "TextFontStyle", "NodeFontName", "TextFontName", "SameColor", "TextWidth", "Wrap",
                          "TreeStep", "OneTreeColor", "Lines", "Points", "HorzLine", "VertAlign", "OneBranch",
                          "MoreVis", "Files"}) {
    EXPECT_NE(Ini(key), "<missing>") << key;
  }
  EXPECT_EQ(Ini("Dir"), "<missing>");
  EXPECT_EQ(Ini("File"), "<missing>");
  EXPECT_EQ(Ini("NodeFontName"), "Times New Roman");

  // The next start does not register again.
  auto again = Start();
  EXPECT_EQ(host_.registrations, 1);
}

TEST_F(SessionTest, RelativeDirAndFileOpenTheLastDocument) {
  MakeDoc(prog_ + "Notes/Plan.qlt", {"one", "two"});
  ql::WritePrivateProfileString("0", "Dir", ":Notes", prog_ + "QL.ini");
  ql::WritePrivateProfileString("0", "File", "Plan", prog_ + "QL.ini");
  auto s = Start();
  EXPECT_EQ(s->DocPath(), prog_ + "Notes/Plan.qlt");
  EXPECT_EQ(s->State(), TDocState::Editable);
  EXPECT_EQ(s->Tree.Count, 2);
  EXPECT_EQ(s->Caption(), "Plan [Notes]");
  EXPECT_EQ(s->CharCount(), 6);
  ASSERT_FALSE(s->Recent.Items().empty());
  EXPECT_EQ(s->Recent.Items()[0], ":Notes|Plan");
  EXPECT_EQ(Titles(), "");
}

TEST_F(SessionTest, MissingLastDocumentLeavesNoDocument) {
  ql::WritePrivateProfileString("0", "File", "Gone", prog_ + "QL.ini");
  auto s = Start();
  EXPECT_EQ(s->State(), TDocState::None);
  EXPECT_EQ(Titles(), "Файла не существует!|" + prog_ + "Gone.qlt\n");
  EXPECT_EQ(Ini("File"), "<missing>");
}

TEST_F(SessionTest, SecondSessionOnTheSameDocumentIsReadOnly) {
  MakeDoc(prog_ + "Plan.qlt", {"a"});
  ql::WritePrivateProfileString("0", "File", "Plan", prog_ + "QL.ini");
  auto first = Start();
  auto second = Start();
  EXPECT_EQ(first->State(), TDocState::Editable);
  EXPECT_EQ(second->State(), TDocState::ReadOnly);
  EXPECT_STREQ(second->DeleteHint(), "Закрыть файл");
  EXPECT_STREQ(first->DeleteHint(), "Удалить файл");
  // The read-only one cannot write the file.
  EXPECT_EQ(second->Tree.Count, 1);
  second->Shutdown();
  first->Shutdown();
  // Once both are gone the document opens editable again.
  EXPECT_EQ(Start()->State(), TDocState::Editable);
}

TEST_F(SessionTest, AutomaticAndExplicitSaves) {
  MakeDoc(prog_ + "A.qlt", {"a"});
  MakeDoc(prog_ + "B.qlt", {"b"});
  auto s = Start({prog_ + "A.qlt"});
  ASSERT_EQ(s->State(), TDocState::Editable);

  // Leaving an unchanged document writes nothing.
  AgeFile(prog_ + "A.qlt");
  ASSERT_TRUE(s->OpenDoc("", "B", true));
  EXPECT_FALSE(WrittenSinceAged(prog_ + "A.qlt"));

  // Leaving an edited one saves it.
  s->Tree.At(0)->Text = "edited";
  ASSERT_TRUE(s->OpenDoc("", "A", true));
  EXPECT_NE(qltest::ReadFile(prog_ + "B.qlt").find("edited"), std::string::npos);

  // An explicit save writes every time; an automatic one only when something changed.
  AgeFile(prog_ + "A.qlt");
  ASSERT_TRUE(s->SaveDoc(true));
  EXPECT_TRUE(WrittenSinceAged(prog_ + "A.qlt"));
  AgeFile(prog_ + "A.qlt");
  ASSERT_TRUE(s->SaveDoc(true));
  EXPECT_TRUE(WrittenSinceAged(prog_ + "A.qlt"));
  AgeFile(prog_ + "A.qlt");
  ASSERT_TRUE(s->SaveDoc(false));
  EXPECT_FALSE(WrittenSinceAged(prog_ + "A.qlt"));
  // A missing file is written even when nothing changed.
  fs::remove(prog_ + "A.qlt");
  ASSERT_TRUE(s->SaveDoc(false));
  EXPECT_TRUE(qltest::Exists(prog_ + "A.qlt"));
  EXPECT_EQ(Titles(), "");
}

TEST_F(SessionTest, FailedSaveKeepsTheEditsAndTheDocument) {
  MakeDoc(prog_ + "A.qlt", {"a"});
  MakeDoc(prog_ + "B.qlt", {"b"});
  auto s = Start({prog_ + "A.qlt"});
  s->Tree.At(0)->Text = "keep me";
  ql::SetWriteFaultForTests(ql::TWriteFault::Write);
  EXPECT_FALSE(s->SaveDoc(true));
  // Leaving would lose the edits: the switch is refused and the document stays.
  EXPECT_FALSE(s->OpenDoc("", "B", true));
  ql::SetWriteFaultForTests(ql::TWriteFault::None);
  EXPECT_EQ(s->DocName(), "A");
  EXPECT_EQ(s->State(), TDocState::Editable);
  EXPECT_EQ(Titles(), "Невозможно записать файл|" + prog_ + "A.qlt\nНевозможно записать файл|" + prog_ + "A.qlt\n");
  // The next automatic save still knows the edits are unsaved.
  ASSERT_TRUE(s->OpenDoc("", "B", true));
  EXPECT_NE(qltest::ReadFile(prog_ + "A.qlt").find("keep me"), std::string::npos);
}

TEST_F(SessionTest, RevertAsksWhenEditable) {
  MakeDoc(prog_ + "A.qlt", {"a"});
  auto s = Start({prog_ + "A.qlt"});
  s->Tree.At(0)->Text = "changed";
  messages_.QueueAnswer(ql::MsgAnswer::Cancel);
  s->ChooseFile("A");
  EXPECT_EQ(s->Tree.At(0)->Text, "changed");
  messages_.QueueAnswer(ql::MsgAnswer::Ok);
  s->ChooseFile("A");
  EXPECT_EQ(s->Tree.At(0)->Text, "a");
  EXPECT_EQ(s->State(), TDocState::Editable);  // the lock was taken again
  EXPECT_TRUE(s->LockHeld());
  EXPECT_EQ(Titles(), "Вернуться?|Вернуться к сохраненому в файле?\nВернуться?|Вернуться к сохраненому в файле?\n");

  // Read-only: reloads without asking.
  messages_.Clear();
  auto other = Start({prog_ + "A.qlt"});
  ASSERT_EQ(other->State(), TDocState::ReadOnly);
  other->ChooseFile("A");
  EXPECT_EQ(other->State(), TDocState::ReadOnly);
  EXPECT_EQ(Titles(), "");
}

TEST_F(SessionTest, FileListCtrlAndEmptyEntry) {
  MakeDoc(prog_ + "b.qlt", {"b"});
  MakeDoc(prog_ + "A.qlt", {"a"});
  MakeDoc(prog_ + "C.qlt", {"c"});
  fs::create_directory(prog_ + "Dir.qlt");
  qltest::WriteFile(prog_ + ".qlt", "");
  qltest::WriteFile(prog_ + "notes.txt", "");
  auto s = Start({prog_ + "A.qlt"});
  EXPECT_EQ(s->FileListItems(), (std::vector<std::string>{"", "A", "b", "C"}));

  host_.ctrl = true;
  s->ChooseFile("C");
  ASSERT_EQ(host_.started.size(), 1u);
  EXPECT_EQ(host_.started[0], std::vector<std::string>{prog_ + "C.qlt"});
  EXPECT_EQ(s->DocName(), "A");
  host_.ctrl = false;

  s->ChooseFile("");
  EXPECT_EQ(s->State(), TDocState::None);
  EXPECT_EQ(s->Caption(), "Ветвеслов");
  EXPECT_EQ(Ini("File"), "<missing>");
  EXPECT_FALSE(s->LockHeld());
}

TEST_F(SessionTest, DamagedDocumentLeavesTheCurrentOne) {
  MakeDoc(prog_ + "A.qlt", {"a"});
  qltest::WriteFile(prog_ + "Bad.qlt", std::string("\x04\0\0\0\0\0", 6));
  auto s = Start({prog_ + "A.qlt"});
  EXPECT_FALSE(s->OpenDoc("", "Bad", true));
  EXPECT_EQ(s->DocName(), "A");
  EXPECT_EQ(s->State(), TDocState::Editable);
  EXPECT_EQ(Titles(), "Файл ВС повреждён и не может быть прочитан|" + prog_ + "Bad.qlt\n");
}

}  // namespace
