// The tree grid's behaviour: branch clicks, typed characters, the selection report, scrolling,
// lazy row heights, keyboard and mouse selection and the hosted editor.
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

#include "gui/gui_fixture.h"
#include "model/model_fixture.h"

using ql::TTNode;
using qltest::GridFixture;

namespace {

using Outline = std::vector<std::string>;

// Point inside the branch area of a row, on its node's box.
QPoint BoxPoint(GridFixture& f, int row) {
  const ql::TRect r = f.grid->CellRect(0, row);
  const TTNode* n = f.RowNode(row);
  return QPoint(r.left + n->Indent - 6, r.top + n->BranchY);
}

std::string Join(const std::vector<std::string>& v) {
  std::string s;
  for (const auto& x : v) s += (s.empty() ? "" : " ") + x;
  return s;
}

}  // namespace

Q_DECLARE_METATYPE(Outline)

class TestGTree : public QObject {
  Q_OBJECT

 private slots:
  void branchClick_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("ctrl");
    QTest::addColumn<QString>("rowsAfter");
    QTest::addColumn<bool>("toggled");  // OnOpenNode fired
    // Rows at the start: a (closed) b (open) b1 (closed) c.
    QTest::newRow("closed node opens") << 0 << false << "a a1 a2 b b1 c" << true;
    QTest::newRow("open node closes") << 1 << false << "a b c" << true;
    QTest::newRow("leaf: the grid selects it") << 3 << false << "a b b1 c" << false;
    QTest::newRow("ctrl opens the whole subtree") << 0 << true << "a a1 a11 a2 b b1 c" << true;
    QTest::newRow("ctrl closes the whole subtree") << 1 << true << "a b c" << true;
  }
  void branchClick() {
    QFETCH(int, row);
    QFETCH(bool, ctrl);
    QFETCH(QString, rowsAfter);
    QFETCH(bool, toggled);
    GridFixture f({"a-", ".a1-", "..a11", ".a2", "b", ".b1-", "..b11", "c"}, 200);
    f.Show();
    QCOMPARE(QString::fromStdString(Join(f.Rows())), QString("a b b1 c"));
    int opens = 0, mdowns = 0;
    f.grid->OnOpenNode = [&](TTNode*) { ++opens; };
    f.grid->OnMDown = [&](int, int, int, int, int, int) { ++mdowns; return true; };
    TTNode* node = f.RowNode(row);
    QTest::mouseClick(f.grid->viewport(), Qt::LeftButton,
                      ctrl ? Qt::ControlModifier : Qt::NoModifier, BoxPoint(f, row));
    QCOMPARE(QString::fromStdString(Join(f.Rows())), rowsAfter);
    QCOMPARE(opens, toggled ? 1 : 0);
    QCOMPARE(mdowns, 0);  // a press in the branch area never reaches OnMDown
    // Either way the clicked row ends up selected.
    QCOMPARE(f.grid->SelTop(), node->Row);
    QCOMPARE(f.grid->SelBottom(), node->Row);
  }

  void pressOnTextReachesOnMDown() {
    GridFixture f({"a", "b"}, 200);
    f.Show();
    std::vector<int> seen;
    f.grid->OnMDown = [&](int mes, int keys, int, int, int col, int row) {
      seen = {mes, keys, col, row};
      return false;  // consumed: the grid does not select
    };
    const ql::TRect r = f.grid->CellRect(0, 1);
    QTest::mouseClick(f.grid->viewport(), Qt::RightButton, Qt::ShiftModifier, QPoint(r.left + 50, r.top + 3));
    QCOMPARE(seen, (std::vector<int>{ql::kWmRButtonDown, ql::kMkRButton | ql::kMkShift, 0, 1}));
    QTest::mouseClick(f.grid->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(r.left + 50, r.top + 3));
    QCOMPARE(seen[0], ql::kWmLButtonDown);
    QCOMPARE(f.grid->SelTop(), 0);
  }

  void ctrlClickReachesHiddenDescendants() {
    GridFixture f({"a-", ".b-", "..c-", "...d", "e"}, 200);
    f.Show();
    QTest::mouseClick(f.grid->viewport(), Qt::LeftButton, Qt::ControlModifier, BoxPoint(f, 0));
    QCOMPARE(QString::fromStdString(Join(f.Rows())), QString("a b c d e"));
    QTest::mouseClick(f.grid->viewport(), Qt::LeftButton, Qt::ControlModifier, BoxPoint(f, 0));
    QCOMPARE(QString::fromStdString(Join(f.Rows())), QString("a e"));
    for (int i = 0; i < 4; ++i) QVERIFY(!f.doc.Nodes[size_t(i)]->Opened);  // a, b, c, d
  }

  void editorStaysOpenOnItsRow() {
    GridFixture f({"x", "a-", ".a1", ".a2", "b"}, 200);
    f.Show();
    f.grid->SelRow(1, true);
    QLineEdit editor;
    f.grid->ShowE(&editor, 0, 0, 0, 1);
    QVERIFY(editor.isVisible());
    QTest::mouseClick(f.grid->viewport(), Qt::LeftButton, Qt::NoModifier, BoxPoint(f, 1));
    QCOMPARE(f.Rows().size(), size_t(5));
    QVERIFY(f.grid->EditorVisible());
    const ql::TRect cell = f.grid->CellRect(0, 1);
    QCOMPARE(editor.geometry().left(), cell.left + f.RowNode(1)->Indent);
    QCOMPARE(editor.geometry().top(), cell.top);
    // Closing the branch again keeps it too; selecting another row hides it.
    QTest::mouseClick(f.grid->viewport(), Qt::LeftButton, Qt::NoModifier, BoxPoint(f, 1));
    QVERIFY(f.grid->EditorVisible());
    f.grid->SelRow(4, true);
    QVERIFY(!f.grid->EditorVisible());
  }

  void specialCharactersNeverReachOnChar() {
    GridFixture f({"a", "b"}, 200);
    f.Show();
    std::string typed;
    f.grid->OnChar = [&](char c) {
      typed += c;
      return true;
    };
    QTest::keyClicks(f.grid.get(), "a+b*c/d");
    QCOMPARE(QString::fromStdString(typed), QString("abcd"));
    // Cyrillic arrives as 1251.
    typed.clear();
    QKeyEvent ya(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("я"));
    QApplication::sendEvent(f.grid.get(), &ya);
    QCOMPARE(typed, std::string("\xFF"));
  }

  void selectionReport() {
    GridFixture f({"a", "b", "c"}, 200);
    f.Show();
    std::vector<std::pair<TTNode*, bool>> reports;
    f.grid->OnChangedNode = [&](TTNode* d, bool ch) { reports.push_back({d, ch}); };
    f.grid->SelRow(1, true);
    QCOMPARE(reports.size(), size_t(1));
    QCOMPARE(reports[0].first, f.RowNode(1));
    QVERIFY(reports[0].second);
    f.grid->SelRows(1, 2, true);
    QCOMPARE(reports.size(), size_t(1));  // the report follows with the next paint
    f.Grab();
    QCOMPARE(reports.size(), size_t(2));
    QCOMPARE(reports[1].first, nullptr);
    QVERIFY(reports[1].second);
    f.grid->SelRow(2, true);
    QCOMPARE(reports.size(), size_t(3));
    QCOMPARE(reports[2].first, f.RowNode(2));
    f.grid->SelRow(2, true);
    f.Grab();
    QCOMPARE(reports.size(), size_t(3));
  }

  void scrollTo_data() {
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("tallRow");  // a row taller than the view, -1 none
    QTest::addColumn<int>("topAfter");
    // Rows of 20 plus a 1-pixel line in a client height of 105: five rows fill the view.
    QTest::newRow("above the view becomes the top") << 30 << 10 << -1 << 10;
    QTest::newRow("below: the last fully visible row") << 0 << 20 << -1 << 16;
    QTest::newRow("inside the view: no scrolling") << 10 << 12 << -1 << 10;
    QTest::newRow("taller than the view: the top row") << 0 << 20 << 20 << 20;
    QTest::newRow("partly visible last row") << 0 << 5 << -1 << 1;
  }
  void scrollTo() {
    QFETCH(int, top);
    QFETCH(int, row);
    QFETCH(int, tallRow);
    QFETCH(int, topAfter);
    GridFixture f(qltest::BigOutline(100), 105);
    f.grid->OnGetRowH = [&](TTNode* n) { n->Height = n->Row == tallRow ? 500 : 20; };
    f.Show();
    QCOMPARE(f.grid->ClientHeight(), 105);
    f.grid->SetTopRow(top);
    f.grid->ScrollTo(row);
    QCOMPARE(f.grid->TopRow(), topAfter);
    if (tallRow >= 0) QCOMPARE(f.RowNode(tallRow)->Height, 105);
  }

  void normTopRow_data() {
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("topAfter");
    QTest::newRow("near the end: no empty space") << 98 << 95;
    QTest::newRow("the last page") << 95 << 95;
    QTest::newRow("far from the end") << 50 << 50;
  }
  void normTopRow() {
    QFETCH(int, top);
    QFETCH(int, topAfter);
    GridFixture f(qltest::BigOutline(100), 105);
    f.Show();
    f.grid->CalcHeights();
    f.grid->NormTopRow(top);
    QCOMPARE(f.grid->TopRow(), topAfter);
  }

  void lazyMeasuring() {
    GridFixture f(qltest::BigOutline(100000), 300);
    f.Show();
    QCOMPARE(f.grid->RowCount(), 100000);
    // One screen holds 15 rows: the top, the end and around the top are measured, no more.
    QVERIFY2(f.measured > 0 && f.measured < 120, std::to_string(f.measured).c_str());
    QCOMPARE(f.RowNode(50000)->Height, 0);
    const int before = f.measured;
    f.grid->ScrollTo(50000);
    QVERIFY(f.measured - before < 60);
    QVERIFY(f.RowNode(50000)->Height > 0);
    QCOMPARE(f.RowNode(25000)->Height, 0);
  }

  void keyboardSelection_data() {
    // d down, u up, D shift+down, e end, h home, E shift+end, p page down, P page up
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("selTop");
    QTest::addColumn<int>("selBottom");
    QTest::newRow("down twice") << "dd" << 2 << 2;
    QTest::newRow("shift extends") << "dDD" << 1 << 3;
    QTest::newRow("up stops at the first row") << "uu" << 0 << 0;
    QTest::newRow("end") << "e" << 99 << 99;
    QTest::newRow("home after end") << "eh" << 0 << 0;
    QTest::newRow("shift+end") << "dE" << 1 << 99;
    QTest::newRow("page down by the rows in view") << "pp" << 8 << 8;
    QTest::newRow("page up") << "ppP" << 4 << 4;
  }
  void keyboardSelection() {
    QFETCH(QString, keys);
    QFETCH(int, selTop);
    QFETCH(int, selBottom);
    GridFixture f(qltest::BigOutline(100), 105);
    f.Show();
    f.grid->SelRow(0, true);
    for (QChar k : keys) {
      const char c = char(k.unicode());
      const Qt::KeyboardModifiers mods = (c == 'D' || c == 'E') ? Qt::ShiftModifier : Qt::NoModifier;
      const Qt::Key key = c == 'd' || c == 'D' ? Qt::Key_Down
                          : c == 'u'           ? Qt::Key_Up
                          : c == 'h'           ? Qt::Key_Home
                          : c == 'p'           ? Qt::Key_PageDown
                          : c == 'P'           ? Qt::Key_PageUp
                                               : Qt::Key_End;
      QTest::keyClick(f.grid.get(), key, mods);
    }
    QCOMPARE(f.grid->SelTop(), selTop);
    QCOMPARE(f.grid->SelBottom(), selBottom);
    QVERIFY(f.grid->GetSelVis());  // the moved row is scrolled into view
  }

  void mouseSelection() {
    GridFixture f(qltest::BigOutline(20), 200);
    f.Show();
    auto rowPoint = [&](int row) {
      const ql::TRect r = f.grid->CellRect(0, row);
      return QPoint(r.left + 100, r.top + 5);
    };
    QTest::mouseClick(f.grid->viewport(), Qt::LeftButton, Qt::NoModifier, rowPoint(2));
    QCOMPARE(f.grid->SelTop(), 2);
    QCOMPARE(f.grid->SelBottom(), 2);
    QTest::mouseClick(f.grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, rowPoint(5));
    QCOMPARE(f.grid->SelTop(), 2);
    QCOMPARE(f.grid->SelBottom(), 5);
    QTest::mousePress(f.grid->viewport(), Qt::LeftButton, Qt::NoModifier, rowPoint(6));
    QMouseEvent move(QEvent::MouseMove, QPointF(rowPoint(3)), f.grid->viewport()->mapToGlobal(QPointF(rowPoint(3))),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(f.grid->viewport(), &move);
    QTest::mouseRelease(f.grid->viewport(), Qt::LeftButton, Qt::NoModifier, rowPoint(3));
    QCOMPARE(f.grid->SelTop(), 3);
    QCOMPARE(f.grid->SelBottom(), 6);
  }

  // Rows of 20 in a client height of 105: rows 0-4 are in view. The editor on row 4 grows to 60:
  // the grid scrolls until the row is wholly in view and the editor follows it.
  void editorHeightChange() {
    GridFixture f(qltest::BigOutline(100), 105);
    f.Show();
    f.grid->SelRow(4, true);
    QLineEdit editor;
    f.grid->ShowE(&editor, 0, 0, 0, 4);
    f.grid->ChangeEH(60);
    QCOMPARE(f.RowNode(4)->Height, 60);
    QCOMPARE(f.RowNode(4)->BranchY, 30);
    QCOMPARE(f.grid->TopRow(), 2);
    QVERIFY(editor.isVisible());
    QCOMPARE(editor.geometry(), QRect(f.RowNode(4)->Indent, 42, f.grid->ColWidth(0) - f.RowNode(4)->Indent, 60));
    // Never taller than the view.
    f.grid->ChangeEH(500);
    QCOMPARE(f.RowNode(4)->Height, 105);
    QCOMPARE(f.grid->TopRow(), 4);
    QCOMPARE(editor.geometry().top(), 0);
    // Without a reported node nothing happens.
    f.grid->FExit();
    f.grid->SelRows(1, 2, false);
    f.Grab();
    f.grid->ChangeEH(30);
    QCOMPARE(f.RowNode(1)->Height, 20);
  }

  void setRowsKeepsTheTopRow() {
    GridFixture f(qltest::BigOutline(100), 105);
    f.Show();
    f.grid->SetTopRow(40);
    f.RowNode(50)->Height = 33;
    int measured = 0;
    f.grid->OnGetRowH = [&](TTNode* n) {
      ++measured;
      n->Height = 20;
    };
    f.grid->SetRows(41, true);
    QCOMPARE(f.grid->TopRow(), 40);
    // Heights are forgotten from row 41 on; measured again are the rows in view (41-44) and the
    // last screen (95-99), no others.
    QCOMPARE(measured, 9);
    QCOMPARE(f.RowNode(95)->Height, 20);
    QCOMPARE(f.RowNode(44)->Height, 20);
    QCOMPARE(f.RowNode(50)->Height, 0);
  }

  void firstPaintRestoresPendingTopRow() {
    GridFixture f(qltest::BigOutline(100), 105);
    f.grid->PendingTopRow = 98;
    f.Show();
    QVERIFY(f.grid->FirstPaintSeen());
    QCOMPARE(f.grid->TopRow(), 95);
    QCOMPARE(f.grid->PendingTopRow, -1);
  }
};

QTEST_MAIN(TestGTree)
#include "gtree_test.moc"
