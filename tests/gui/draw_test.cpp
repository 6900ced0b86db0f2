// The tree grid's drawing: branch area pixels, bands, the hidden grid line and the selection
// colour on a rendered grid; the cell painter's narrow columns and row heights with Qt fonts.
#include <QTest>

#include "base/profile.h"
#include "gtree/cell_painter.h"
#include "gtree/qt_measure.h"
#include "gtree/tree_draw.h"
#include "gui/gui_fixture.h"
#include "model/model_fixture.h"
#include "styles/styles.h"

using ql::TColor;
using ql::TTNode;
using qltest::GridFixture;

namespace {

TColor Pixel(const QImage& img, int x, int y) { return ql::FromQColor(img.pixelColor(x, y)); }

// Black pixels in [x0, x1] x [y0, y1].
int BlackPixels(const QImage& img, int x0, int x1, int y0, int y1) {
  int n = 0;
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) n += Pixel(img, x, y) == 0;
  return n;
}

constexpr TColor kSel = 0x00FFFF;  // a selection colour no branch uses

}  // namespace

class TestDraw : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { ql::InstallQtMeasuring(); }

  // Rows of 20 with 1-pixel lines: row r starts at 21 r. Indents: 12, 22, 32; the branch column
  // of a node is Indent - 6, its branch point 10 below the row top.
  void branchArea() {
    GridFixture f({"a-", ".a1", "b", ".b1", "..b11", ".b2"}, 200);
    f.grid->Tree.OneColor = true;  // every line black
    f.grid->SetSelColor(kSel);
    qltest::Node(f.doc, "a")->Flags = ql::kFlagMarked;
    f.doc.Relink();
    f.Show();
    f.grid->SetRows(0, false);
    f.grid->SelRow(3, true);  // b11
    const QImage img = f.Grab();

    // a, closed: a rounded box (corners cut by two pixels) with a plus.
    QCOMPARE(Pixel(img, 3, 5), 0);     // top edge
    QCOMPARE(Pixel(img, 2, 5), 0xF0F0F0);  // cut corner shows the marked band
    QCOMPARE(Pixel(img, 1, 9), 0);     // left edge
    QCOMPARE(Pixel(img, 3, 9), 0);     // the bar
    QCOMPARE(Pixel(img, 5, 7), 0);     // the plus's upright
    QCOMPARE(Pixel(img, 3, 7), 0xFFFFFF);  // inside the box
    // The marked band runs left of the box from x = 2 to Indent - 1 (exclusive), not on the line.
    QCOMPARE(Pixel(img, 2, 2), 0xF0F0F0);
    QCOMPARE(Pixel(img, 10, 2), 0xF0F0F0);
    QCOMPARE(Pixel(img, 11, 2), 0xFFFFFF);
    QCOMPARE(Pixel(img, 1, 2), 0xFFFFFF);
    // The grid line under a top-level row with a next sibling crosses the branch area.
    QCOMPARE(Pixel(img, 3, 20), 0xC0C0C0);

    // b, open (row 1, top 21): a minus and a line from the box down through the grid line.
    QCOMPARE(Pixel(img, 3, 30), 0);
    QCOMPARE(Pixel(img, 5, 28), 0xFFFFFF);
    QCOMPARE(Pixel(img, 6, 36), 0);
    QCOMPARE(Pixel(img, 6, 41), 0);
    // Its grid line is hidden under the whole branch area (x < 12) and shows right of it.
    QCOMPARE(Pixel(img, 3, 41), 0xFFFFFF);
    QCOMPARE(Pixel(img, 50, 41), 0xC0C0C0);

    // b1 (row 2, top 42): b's line runs through the row (b2 follows); a point joins b1's box
    // column 10 pixels away from it.
    QCOMPARE(Pixel(img, 6, 42), 0);
    QCOMPARE(Pixel(img, 6, 61), 0);
    QCOMPARE(Pixel(img, 7, 53), 0);  // the 3 x 3 point around (6, 52)
    QCOMPARE(Pixel(img, 5, 51), 0);
    QCOMPARE(Pixel(img, 8, 52), 0xFFFFFF);

    // b2, the last child (row 4, top 84): b's line ends at the branch point.
    QCOMPARE(Pixel(img, 6, 84), 0);
    QCOMPARE(Pixel(img, 6, 93), 0);
    QCOMPARE(Pixel(img, 6, 100), 0xFFFFFF);

    // b11 selected (row 3, top 63): the selection colour only right of its branch area.
    QCOMPARE(Pixel(img, 40, 70), kSel);
    QCOMPARE(Pixel(img, 31, 70), 0xFFFFFF);
    QCOMPARE(Pixel(img, 2, 70), 0xFFFFFF);
  }

  void disabledBandOnTheSubtree() {
    GridFixture f({"a", ".b", "..c", "..d", "e"}, 200);
    f.grid->Tree.OneColor = true;
    qltest::Node(f.doc, "b")->Flags = ql::kFlagDisabled;
    f.doc.Relink();
    f.Show();
    f.grid->SelRow(4, true);
    const QImage img = f.Grab();
    // The band of b spans x 12..20 on b's row (above its box) and on c's and d's rows, hatched
    // black every 4 pixels; e's row has none.
    QVERIFY(BlackPixels(img, 12, 20, 21, 25) >= 4);
    int hatch = 0;
    for (int y = 42; y < 62; ++y)
      for (int x = 12; x <= 20; ++x)
        if (x < 15 || x > 17) hatch += Pixel(img, x, y) == 0;  // leave out b's line and point
    QVERIFY2(hatch >= 15, std::to_string(hatch).c_str());
    QCOMPARE(BlackPixels(img, 12, 20, 84, 103), 0);
    // The hatch is a "\" diagonal: a black pixel has black neighbours down-right, not down-left.
    int diag = 0, anti = 0;
    for (int y = 42; y < 60; ++y)
      for (int x = 12; x < 15; ++x)
        if (Pixel(img, x, y) == 0) {
          diag += Pixel(img, x + 1, y + 1) == 0;
          anti += x > 12 && Pixel(img, x - 1, y + 1) == 0;
        }
    QVERIFY(diag > anti);
  }

  void horizontalLinesOff() {
    GridFixture f({"a", "b"}, 200);
    f.grid->SetHorzLines(false);
    f.Show();
    const QImage img = f.Grab();
    QCOMPARE(Pixel(img, 100, 20), 0xFFE0C0);  // the selected first row covers its line
    QCOMPARE(Pixel(img, 100, 41), 0xFFFFFF);  // the second row's cell covers its own
  }

  void altBandColour_data() {
    QTest::addColumn<int>("grid");
    QTest::addColumn<int>("band");
    QTest::newRow("white grid") << 0xFFFFFF << int(ql::kClBtnFace);
    QTest::newRow("sum 692") << 0xE6E6E8 << 0xFFFFFF;
    QTest::newRow("dark grid") << 0x202020 << 0xFFFFFF;
  }
  void altBandColour() {
    QFETCH(int, grid);
    QFETCH(int, band);
    QCOMPARE(ql::AltBandColor(grid), band);
  }

  void countText_data() {
    QTest::addColumn<qint64>("count");
    QTest::addColumn<QString>("text");
    QTest::newRow("one") << qint64(1) << "1";
    QTest::newRow("9999") << qint64(9999) << "9999";
    QTest::newRow("10000") << qint64(10000) << "10e3";
    QTest::newRow("12345") << qint64(12345) << "12e3";
    QTest::newRow("99999") << qint64(99999) << "99e3";
    QTest::newRow("123456") << qint64(123456) << "12e4";
    QTest::newRow("a million") << qint64(1000000) << "10e5";
  }
  void countText() {
    QFETCH(qint64, count);
    QFETCH(QString, text);
    QCOMPARE(QString::fromStdString(ql::CountText(count)), text);
  }

  void styleNameColour_data() {
    QTest::addColumn<bool>("docOnly");
    QTest::addColumn<bool>("same");
    QTest::addColumn<int>("nodeBk");
    QTest::addColumn<int>("colour");
    QTest::newRow("style, different") << false << false << 0xFFFFFF << 0xFF0000;
    QTest::newRow("style, same, light background: silver") << false << true << 0xFFFFFF << 0xC0C0C0;
    QTest::newRow("style, same, sum 692: white") << false << true << 0xE6E6E8 << 0xFFFFFF;
    QTest::newRow("document-only, different") << true << false << 0xFFFFFF << 0x0000FF;
    QTest::newRow("document-only, same") << true << true << 0xFFFFFF << 0x8080FF;
  }
  void styleNameColour() {
    QFETCH(bool, docOnly);
    QFETCH(bool, same);
    QFETCH(int, nodeBk);
    QFETCH(int, colour);
    QCOMPARE(ql::StyleNameColor(docOnly, same, nodeBk), colour);
  }

  void narrowColumns() {
    ql::TStyles styles;
    ql::TProfile ini;
    ini.Parse("[Note]\nFontColor=red\n[Code]\nFontStyle=1\n");
    styles.Load(ini);
    const int unknown = styles.AddDocStyle("Lost");
    std::vector<std::string> outline{"big", ".first", ".second", ".third", ".fourth", "tiny"};
    for (int i = 0; i < 12341; ++i) outline.push_back("..x");
    GridFixture f({"leaf", "p", ".s1", ".s2", ".s3", ".s4"}, 200);
    ql::TCellPainter painter(f.doc, styles);
    painter.NodeBkColor = 0xFFFFFF;
    painter.Install(*f.grid);
    const int note = styles.Find("Note")->number, code = styles.Find("Code")->number;
    auto node = [&](const char* name) { return qltest::Node(f.doc, name); };
    node("p")->Style = note;
    node("s1")->Style = note;  // same as its parent
    node("s2")->Style = note;  // same as its previous sibling
    node("s3")->Style = code;
    node("s4")->Style = unknown;
    node("s4")->Style1 = unknown;
    node("s4")->LText = std::string(12345, 'x');
    f.doc.Relink();

    const ql::TNarrowCell leaf = painter.NarrowCell(node("leaf"), 1, false);
    QVERIFY(leaf.empty);
    const ql::TNarrowCell p = painter.NarrowCell(node("p"), 1, false);
    QCOMPARE(p.count, std::string("4"));
    QCOMPARE(p.name, std::string("Note"));
    QCOMPARE(p.nameColor, 0xFF0000);
    QCOMPARE(painter.NarrowCell(node("s1"), 1, false).nameColor, 0xC0C0C0);
    QCOMPARE(painter.NarrowCell(node("s2"), 1, false).nameColor, 0xC0C0C0);
    QCOMPARE(painter.NarrowCell(node("s2"), 1, true).nameColor, 0xFF0000);  // selected
    QCOMPARE(painter.NarrowCell(node("s3"), 1, false).nameColor, 0xFF0000);
    QCOMPARE(painter.NarrowCell(node("s2"), 1, false).count, std::string());
    const ql::TNarrowCell lost = painter.NarrowCell(node("s4"), 2, false);
    QCOMPARE(lost.name, std::string("Lost"));
    QCOMPARE(lost.nameColor, 0x0000FF);
    QCOMPARE(lost.count, std::string("12e3"));
    painter.NodeBkColor = 0x202020;
    QCOMPARE(painter.NarrowCell(node("s2"), 1, false).nameColor, 0xFFFFFF);

    // 12345 and 9999 descendants.
    GridFixture g(std::vector<std::string>{"many"}, 200);
    std::vector<std::string> many{"many"};
    for (int i = 0; i < 12345; ++i) many.push_back(".x");
    many.push_back("some");
    for (int i = 0; i < 9999; ++i) many.push_back(".y");
    qltest::BuildTree(g.doc, many);
    ql::TCellPainter painter2(g.doc, styles);
    QCOMPARE(painter2.NarrowCell(qltest::Node(g.doc, "many"), 1, false).count, std::string("12e3"));
    QCOMPARE(painter2.NarrowCell(qltest::Node(g.doc, "some"), 1, false).count, std::string("9999"));
  }

  void rowHeightsFromTheLayout() {
    ql::TStyles styles;
    styles.SetNodeFont({"DejaVu Sans", 10, 0, 0}, 0xFFFFFF);
    GridFixture f({"short", "long"}, 200, 0, 300);
    ql::TCellPainter painter(f.doc, styles);
    painter.Install(*f.grid);
    std::string words;
    for (int i = 0; i < 400; ++i) words += "word ";
    TTNode* tall = qltest::Node(f.doc, "long");
    tall->Text = words;
    f.Show();
    f.grid->CalcHeights();
    const ql::TStyle& st = *styles.Get(0);
    QVERIFY(st.lineHeight > 0);
    // One line plus the grid line; a text taller than the view: exactly the client height.
    QCOMPARE(qltest::Node(f.doc, "short")->Height, st.lineHeight + st.topSpacePx + st.bottomSpacePx + 1);
    QCOMPARE(tall->Height, f.grid->ClientHeight());
    QCOMPARE(tall->BranchY, f.grid->ClientHeight() / 2);
  }

  void fontsAt96Dpi() {
    QCOMPARE(ql::PointsToPixels(12), 16);
    QCOMPARE(ql::PointsToPixels(8), 11);
    QCOMPARE(ql::PointsToPixels(9), 12);
    QCOMPARE(ql::MakeFont("Tahoma", 12, ql::kFontBold).pixelSize(), 16);
    ql::TFontMetrics m = ql::QtMeasureDevice().Metrics("DejaVu Sans Mono", 10, 0);
    QVERIFY(m.fixedPitch);
    QVERIFY(!ql::QtMeasureDevice().Metrics("DejaVu Sans", 10, 0).fixedPitch);
    int w[256];
    ql::QtMeasureDevice().CharWidths("DejaVu Sans", 12, 0, w);
    QVERIFY(w['W'] > w['i']);
    QVERIFY(w[0xC6] > 0);  // a Cyrillic letter of 1251
  }
};

QTEST_MAIN(TestDraw)
#include "draw_test.moc"
