// The create-file and save-as windows: which buttons may be pressed for the texts typed, the path
// they return and the choice of the save-as buttons, through a real modal run.
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "forms/file_windows.h"
#include "support/test_support.h"

class TestFileWindows : public QObject {
  Q_OBJECT

 private slots:
  // "Да" follows the name box only: a folder emptied by hand leaves the button as it is.
  void createButton() {
    qltest::TempDir dir;
    ql::TFileCrForm form(nullptr, dir / "QL.ini");
    form.Prepare("/docs/");
    QCOMPARE(form.DirE->text(), QString("/docs"));
    QVERIFY(form.FileE->text().isEmpty());
    QVERIFY(!form.OkBt->isEnabled());
    form.FileE->setText("  ");
    QVERIFY(!form.OkBt->isEnabled());
    form.FileE->setText("  Итоги.qlt");
    QVERIFY(form.OkBt->isEnabled());
    QCOMPARE(form.ResultPath(), std::string("/docs/Итоги.qlt.qlt"));
    form.DirE->clear();
    QVERIFY(form.OkBt->isEnabled());
    form.FileE->clear();
    QVERIFY(!form.OkBt->isEnabled());
  }

  void saveAsButtons_data() {
    QTest::addColumn<bool>("editable");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("copy");
    QTest::addColumn<bool>("rename");
    QTest::newRow("unchanged") << true << "/docs" << "Plan" << false << false;
    QTest::newRow("trailing slash, leading blanks") << true << "  /docs/" << " Plan" << false << false;
    QTest::newRow("new name") << true << "/docs" << "Plan2" << true << true;
    QTest::newRow("other folder") << true << "/other" << "Plan" << true << true;
    // Letter case makes another file on this file system.
    QTest::newRow("letter case") << true << "/docs" << "plan" << true << true;
    QTest::newRow("empty name") << true << "/docs" << "" << false << false;
    QTest::newRow("empty folder") << true << "" << "Plan2" << false << false;
    QTest::newRow("read-only, new name") << false << "/docs" << "Plan2" << true << false;
  }
  void saveAsButtons() {
    QFETCH(bool, editable);
    QFETCH(QString, folder);
    QFETCH(QString, name);
    QFETCH(bool, copy);
    QFETCH(bool, rename);
    qltest::TempDir dir;
    ql::TFileSAForm form(nullptr, dir / "QL.ini");
    form.Prepare("/docs/", "Plan", editable);
    QCOMPARE(form.DirE->text(), QString("/docs"));
    QCOMPARE(form.FileE->text(), QString("Plan"));
    QVERIFY(!form.RenameBt->isEnabled() && !form.ToNewBt->isEnabled() && !form.CopyBt->isEnabled());
    form.DirE->setText(folder);
    form.FileE->setText(name);
    QCOMPARE(form.ToNewBt->isEnabled(), copy);
    QCOMPARE(form.CopyBt->isEnabled(), copy);
    QCOMPARE(form.RenameBt->isEnabled(), rename);
  }

  // A modal run: the pressed button gives the choice, the boxes the path; Cancel gives nothing.
  void saveAsAsk() {
    qltest::TempDir dir;
    ql::TFileSAForm form(nullptr, dir / "QL.ini");
    std::string path;
    ql::TSaveAsChoice choice = ql::TSaveAsChoice::Rename;
    QTimer::singleShot(0, &form, [&] {
      form.FileE->setText("Copy");
      QTest::mouseClick(form.CopyBt, Qt::LeftButton);
    });
    QVERIFY(form.Ask("/docs", "Plan", true, path, choice));
    QCOMPARE(path, std::string("/docs/Copy.qlt"));
    QVERIFY(choice == ql::TSaveAsChoice::CopyAndStay);

    QTimer::singleShot(0, &form, [&] { QTest::mouseClick(form.CancelBt, Qt::LeftButton); });
    QVERIFY(!form.Ask("/docs", "Plan", true, path, choice));
  }

  // Both windows keep their placement in QL.ini.
  void positionsKept() {
    qltest::TempDir dir;
    const std::string ini = dir / "QL.ini";
    {
      ql::TFileCrForm form(nullptr, ini);
      form.setGeometry(30, 40, 420, 160);
    }
    ql::TFileCrForm again(nullptr, ini);
    QCOMPARE(again.geometry(), QRect(30, 40, 420, 160));
  }
};

QTEST_MAIN(TestFileWindows)
#include "file_windows_test.moc"
