// The main window: start-up and shutdown, settings and window placement, the document states of
// its controls, the file commands through their buttons and keys, and the caption.
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QTest>
#include <QToolButton>

#include "base/message_hook.h"
#include "forms/controls.h"
#include "forms/win_pos.h"
#include "gui/forms_fixture.h"

using qltest::FormsFixture;

namespace {

std::vector<std::string> MenuCaptions(QMenu* menu) {
  std::vector<std::string> out;
  for (QAction* a : menu->actions()) out.push_back(a->text().toStdString());
  return out;
}

}  // namespace

class TestTreeForm : public QObject {
  Q_OBJECT

 private slots:
  // First start: no QL.ini at all. The file type is registered, "FirstCall" becomes "0", no
  // document is shown, and shutdown writes every key of section 0 but "Dir" and "File".
  void startWithoutSettings() {
    qltest::TempDir dir;
    const std::string prog = dir.Path() + "/";
    const std::string data = qgetenv("XDG_DATA_HOME").toStdString();
    {
      ql::TTreeForm form(ql::TStartup{prog, {}, dir.Path()});
      QCOMPARE(form.windowTitle(), QString("Ветвеслов"));
      QVERIFY(!form.Session().DocOpen());
      QVERIFY(!form.Grid->isVisibleTo(&form));
      for (QWidget* w : {(QWidget*)form.SaveBt, (QWidget*)form.SaveAsBt, (QWidget*)form.RefreshBt,
                         (QWidget*)form.DelFileBt, (QWidget*)form.StatL})
        QVERIFY2(!w->isVisibleTo(&form), qPrintable(w->objectName()));
      for (QWidget* w : {(QWidget*)form.FileCB, (QWidget*)form.OpenBt, (QWidget*)form.NewFileBt,
                         (QWidget*)form.RecentIm})
        QVERIFY2(w->isVisibleTo(&form), qPrintable(w->objectName()));
      QCOMPARE(ql::GetPrivateProfileString("0", "FirstCall", "", prog + "QL.ini"), std::string("0"));
      QVERIFY(std::filesystem::exists(data + "/applications/ql-qlt.desktop"));
      form.close();
    }
    ql::TProfile ini;
    QVERIFY(ini.Load(prog + "QL.ini"));
    for (const char* key : {"SelColor", "NodeBkColor", "TextBkColor", "NodeFontSize", "TextFontSize",
                            "NodeFontStyle", "TextFontStyle", "NodeFontName", "TextFontName", "SameColor",
                            "WinPosition", "TextWidth", "Wrap", "TreeStep", "OneTreeColor", "Lines", "Points",
                            "HorzLine", "VertAlign", "OneBranch", "MoreVis", "Files"})
      QVERIFY2(ini.GetString("0", key, "<missing>") != "<missing>", key);
    QCOMPARE(ini.GetString("0", "Dir", "<missing>"), std::string("<missing>"));
    QCOMPARE(ini.GetString("0", "File", "<missing>"), std::string("<missing>"));
    QCOMPARE(ini.GetString("0", "SelColor"), std::string("15777984"));
    QCOMPARE(ini.GetString("0", "TextWidth"), std::string("400"));
  }

  // "Dir" = ":Notes" and "File" = "Plan" open Notes/Plan.qlt below the program folder; the
  // caption names the shown folder, the file list the document, the counter its characters.
  void lastDocumentFromSettings() {
    FormsFixture f;
    FormsFixture::MakeDoc(f.prog + "Notes/Plan.qlt", {"один", "два"});
    ql::WritePrivateProfileString("0", "Dir", ":Notes", f.prog + "QL.ini");
    ql::WritePrivateProfileString("0", "File", "Plan", f.prog + "QL.ini");
    auto form = f.Start();
    QVERIFY(form->Session().Editable());
    QCOMPARE(form->windowTitle(), QString("Plan [Notes]"));
    QCOMPARE(form->FileCB->currentText(), QString("Plan"));
    QCOMPARE(form->Grid->RowCount(), 2);
    QCOMPARE(form->StatL->text(), QString::number(form->Session().CharCount()));
    QVERIFY(form->Session().CharCount() > 0);
    for (QWidget* w : {(QWidget*)form->SaveBt, (QWidget*)form->SaveAsBt, (QWidget*)form->RefreshBt,
                       (QWidget*)form->DelFileBt, (QWidget*)form->Grid})
      QVERIFY2(w->isVisibleTo(form.get()), qPrintable(w->objectName()));
  }

  // A node font size off the size ladder becomes 10, also in the settings written at exit.
  void fontSizeOffTheLadder_data() {
    QTest::addColumn<int>("stored");
    QTest::addColumn<int>("drawn");
    QTest::newRow("13") << 13 << 10;
    QTest::newRow("14") << 14 << 14;
  }
  void fontSizeOffTheLadder() {
    QFETCH(int, stored);
    QFETCH(int, drawn);
    FormsFixture f;
    ql::WritePrivateProfileString("0", "NodeFontSize", std::to_string(stored), f.prog + "QL.ini");
    auto form = f.Start();
    QCOMPARE(int(ql::TStyles::Global().Get(0)->drawSize), drawn);
    form->close();
    QCOMPARE(f.Ini("NodeFontSize"), std::to_string(drawn));
  }

  // A second window on the same document shows it read-only and keeps the designed placement;
  // only the first restores "WinPosition" and "TextWidth" (5 counts as 10).
  void secondWindowReadOnly() {
    FormsFixture f;
    const std::string plan = f.prog + "Plan.qlt";
    FormsFixture::MakeDoc(plan, {"a"});
    ql::WritePrivateProfileString("0", "WinPosition", "40,30,700,500,0", f.prog + "QL.ini");
    ql::WritePrivateProfileString("0", "TextWidth", "5", f.prog + "QL.ini");
    auto first = f.Start({plan});
    auto second = f.Start({plan});
    QVERIFY(first->FirstInstance());
    QVERIFY(!second->FirstInstance());
    QCOMPARE(first->pos(), QPoint(30, 40));
    QCOMPARE(first->size(), QSize(700, 500));
    QCOMPARE(first->TextWidth(), 10);
    QCOMPARE(second->size(), QSize(900, 640));
    QCOMPARE(second->TextWidth(), 400);

    QVERIFY(first->Session().Editable());
    QVERIFY(!second->Session().Editable());
    QVERIFY(second->Session().DocOpen());
    QVERIFY(!second->SaveBt->isVisibleTo(second.get()));
    QVERIFY(second->DelFileBt->isVisibleTo(second.get()));
    QCOMPARE(second->DelFileBt->toolTip(), QString("Закрыть файл"));
    QCOMPARE(first->DelFileBt->toolTip(), QString("Удалить файл"));

    // Closing the read-only one keeps the file and drops it from the recent list.
    second->DelFileBtClick();
    QVERIFY(std::filesystem::exists(plan));
    QVERIFY(!second->Session().DocOpen());
    QVERIFY(second->Session().Recent.Items().empty());
    QCOMPARE(second->windowTitle(), QString("Ветвеслов"));
  }

  // Window position records that do not apply leave the designed placement.
  void positionRecords_data() {
    QTest::addColumn<QString>("record");
    QTest::addColumn<bool>("applied");
    QTest::newRow("full") << "10,20,300,200,0" << true;
    QTest::newRow("too few items") << "10,20,300" << false;
    QTest::newRow("not numbers") << "10,x,300,200,0" << false;
    QTest::newRow("right of the desktop") << "10,100000,300,200,0" << false;
    QTest::newRow("left of the desktop") << "10,-285,300,200,0" << false;
    QTest::newRow("20 pixels left inside") << "10,-280,300,200,0" << true;
    QTest::newRow("above the desktop") << "-185,20,300,200,0" << false;
  }
  void positionRecords() {
    QFETCH(QString, record);
    QFETCH(bool, applied);
    QWidget w;
    w.setGeometry(5, 6, 400, 300);
    QCOMPARE(ql::ApplyWinPos(w, record.toStdString(), false), applied);
    if (applied) {
      const QStringList items = record.split(',');
      QCOMPARE(w.pos(), QPoint(items[1].toInt(), items[0].toInt()));
      QCOMPARE(w.size(), QSize(items[2].toInt(), items[3].toInt()));
      QCOMPARE(QString::fromStdString(ql::WinPosRecord(w, false)), record);
    } else {
      QCOMPARE(w.geometry(), QRect(5, 6, 400, 300));
    }
  }

  // Leaving an edited document saves it; leaving an unchanged one writes nothing.
  void leavingSavesOnlyChanges() {
    FormsFixture f;
    const std::string plan = f.prog + "Plan.qlt", other = f.prog + "Other.qlt", third = f.prog + "Third.qlt";
    FormsFixture::MakeDoc(plan, {"a"});
    FormsFixture::MakeDoc(other, {"b"});
    FormsFixture::MakeDoc(third, {"c"});
    auto form = f.Start({plan});
    FormsFixture::AddNode(form->Session(), "added");
    FormsFixture::Age(plan);
    form->OpenChosen(other);
    QCOMPARE(form->Session().DocName(), std::string("Other"));
    QVERIFY(FormsFixture::Written(plan));
    QVERIFY(qltest::ReadFile(plan).find("added") != std::string::npos);

    FormsFixture::Age(other);
    form->OpenChosen(third);
    QVERIFY(!FormsFixture::Written(other));

    // Closing the window saves the edited document too.
    FormsFixture::AddNode(form->Session(), "at exit");
    form->close();
    QVERIFY(qltest::ReadFile(third).find("at exit") != std::string::npos);
  }

  // F2 and Ctrl+S write the file every time, also when nothing changed; a read-only document
  // ignores them.
  void explicitSaveKeys() {
    FormsFixture f;
    const std::string plan = f.prog + "Plan.qlt";
    FormsFixture::MakeDoc(plan, {"a", "b"});
    auto form = f.Start({plan});
    FormsFixture::Show(*form);
    form->Grid->setFocus();
    for (const QKeyCombination key : {QKeyCombination(Qt::Key_F2), QKeyCombination(Qt::Key_F2),
                                      QKeyCombination(Qt::ControlModifier, Qt::Key_S)}) {
      FormsFixture::Age(plan);
      QTest::keyClick(form->Grid, key.key(), key.keyboardModifiers());
      QVERIFY(FormsFixture::Written(plan));
    }
    // The same key with the Russian layout on.
    FormsFixture::Age(plan);
    QKeyEvent yeru(QEvent::KeyPress, u'Ы', Qt::ControlModifier, QString(u'ы'));
    QApplication::sendEvent(form->Grid, &yeru);
    QVERIFY(FormsFixture::Written(plan));

    // Clicking the button does the same.
    FormsFixture::Age(plan);
    QTest::mouseClick(form->SaveBt, Qt::LeftButton);
    QVERIFY(FormsFixture::Written(plan));

    // While another window is active the keys are that window's.
    {
      QLineEdit other;
      other.show();
      other.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&other));
      FormsFixture::Age(plan);
      QTest::keyClick(&other, Qt::Key_F2);
      QVERIFY(!FormsFixture::Written(plan));
    }

    auto reader = f.Start({plan});
    FormsFixture::Show(*reader);
    QVERIFY(!reader->Session().Editable());
    FormsFixture::Age(plan);
    QTest::keyClick(reader->Grid, Qt::Key_F2);
    QVERIFY(!FormsFixture::Written(plan));
  }

  // F4 reverts an editable document after the revert question; Cancel changes nothing.
  void revert() {
    FormsFixture f;
    const std::string plan = f.prog + "Plan.qlt";
    FormsFixture::MakeDoc(plan, {"a"});
    auto form = f.Start({plan});
    FormsFixture::Show(*form);
    FormsFixture::AddNode(form->Session(), "unsaved");
    form->Grid->SetRows(0, false);
    ql::MessageRecorder messages;
    messages.QueueAnswer(ql::MsgAnswer::Cancel);
    QTest::keyClick(form->Grid, Qt::Key_F4);
    QCOMPARE(messages.Requests().size(), size_t(1));
    QCOMPARE(messages.Requests()[0].title, std::string("Вернуться?"));
    QCOMPARE(messages.Requests()[0].text, std::string("Вернуться к сохраненому в файле?"));
    QCOMPARE(form->Grid->RowCount(), 2);

    QTest::keyClick(form->Grid, Qt::Key_F4);  // OK
    QCOMPARE(messages.Requests().size(), size_t(2));
    QCOMPARE(form->Grid->RowCount(), 1);
    QVERIFY(form->Session().Editable());
    QCOMPARE(form->FileCB->currentText(), QString("Plan"));
  }

  // The file list: sorted names of the folder's documents with an empty first entry, which
  // closes the document; the caption then reads "Ветвеслов".
  void fileListAndCaption() {
    FormsFixture f;
    FormsFixture::MakeDoc(f.prog + "beta.qlt", {"b"});
    FormsFixture::MakeDoc(f.prog + "Alpha.qlt", {"a"});
    FormsFixture::MakeDoc(f.prog + "Гамма.qlt", {"c"});
    std::filesystem::create_directory(f.prog + "folder.qlt");
    auto form = f.Start({f.prog + "beta.qlt"});
    QCOMPARE(form->windowTitle(), QString("beta"));
    form->FileCB->OnDropDown();
    QStringList items;
    for (int i = 0; i < form->FileCB->count(); ++i) items << form->FileCB->itemText(i);
    QCOMPARE(items, QStringList({"", "Alpha", "beta", "Гамма"}));
    QCOMPARE(form->FileCB->currentText(), QString("beta"));

    emit form->FileCB->activated(items.indexOf("Гамма"));
    QCOMPARE(form->windowTitle(), QString("Гамма"));
    QCOMPARE(form->Session().DocName(), std::string("Гамма"));
    QCOMPARE(f.Ini("File"), std::string("Гамма"));

    emit form->FileCB->activated(0);
    QVERIFY(!form->Session().DocOpen());
    QCOMPARE(form->windowTitle(), QString("Ветвеслов"));
    QCOMPARE(form->FileCB->currentIndex(), -1);
    QVERIFY(!form->Grid->isVisibleTo(form.get()));
    QCOMPARE(f.Ini("File"), std::string("<missing>"));
  }

  // The recent-files menu lists the other documents, never the current one.
  void recentMenu() {
    FormsFixture f;
    FormsFixture::MakeDoc(f.prog + "One.qlt", {"1"});
    FormsFixture::MakeDoc(f.prog + "Notes/Two.qlt", {"2"});
    auto form = f.Start({f.prog + "One.qlt"});
    form->OpenChosen(f.prog + "Notes/Two.qlt");
    QCOMPARE(MenuCaptions(form->RecentMenu()), std::vector<std::string>{"One"});
    form->RecentMenu()->actions()[0]->trigger();
    QCOMPARE(form->Session().DocName(), std::string("One"));
    QCOMPARE(MenuCaptions(form->RecentMenu()), std::vector<std::string>{"Two [:Notes]"});
    form->close();
    QCOMPARE(f.Ini("Files"), std::string("|One,:Notes|Two"));
  }

  // A new document from the create-file window, and one over an existing name after OK.
  void newFile() {
    FormsFixture f;
    FormsFixture::MakeDoc(f.prog + "Old.qlt", {"old text"});
    auto form = f.Start();
    ql::MessageRecorder messages;
    form->NewFileChosen(f.prog + "Fresh.qlt");
    QCOMPARE(form->windowTitle(), QString("Fresh"));
    QVERIFY(form->Session().Editable());
    QCOMPARE(std::filesystem::file_size(f.prog + "Fresh.qlt"), uintmax_t(33));

    form->NewFileChosen(f.prog + "Old.qlt");
    QCOMPARE(messages.Requests().size(), size_t(1));
    QCOMPARE(messages.Requests()[0].title, std::string("Файл или папка существует! Удалить и создать новый?"));
    QCOMPARE(std::filesystem::file_size(f.prog + "Old.qlt"), uintmax_t(33));
    QCOMPARE(form->Grid->RowCount(), 0);
  }

  // Save as through the window's outcome: a copy that stays on the old document and a rename.
  void saveAs() {
    FormsFixture f;
    FormsFixture::MakeDoc(f.prog + "Plan.qlt", {"x"});
    auto form = f.Start({f.prog + "Plan.qlt"});
    form->SaveAsChosen(f.prog + "Copy.qlt", ql::TSaveAsChoice::CopyAndStay);
    QVERIFY(std::filesystem::exists(f.prog + "Copy.qlt"));
    QCOMPARE(form->windowTitle(), QString("Plan"));
    std::filesystem::create_directory(f.prog + "Sub");
    form->SaveAsChosen(f.prog + "Sub/Renamed.qlt", ql::TSaveAsChoice::Rename);
    QVERIFY(!std::filesystem::exists(f.prog + "Plan.qlt"));
    QCOMPARE(form->windowTitle(), QString("Renamed [Sub]"));
    QVERIFY(form->Session().Editable());
  }
};

QTEST_MAIN(TestTreeForm)
#include "tree_form_test.moc"
