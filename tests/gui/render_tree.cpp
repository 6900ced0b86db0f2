// Renders a generated tree with the grid and the cell painter to a PNG (argument 1): several
// levels, closed and open branches, highlighted styles, a disabled and a marked branch, wrapped
// and cut texts; with a second argument also the branch area enlarged. Used to look at the
// drawing (scripts/render_tree.sh).
#include <QApplication>
#include <cstdio>
#include <cstdlib>

#include "base/cp1251.h"
#include "base/profile.h"
#include "gtree/cell_painter.h"
#include "gtree/qt_measure.h"
#include "gui/gui_fixture.h"
#include "model/model_fixture.h"
#include "styles/styles.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const char* out = argc > 1 ? argv[1] : "tree.png";
  ql::InstallQtMeasuring();
  ql::TStyles styles;
  ql::TProfile ini;
  ini.Parse(
      "[Heading]\nFontStyle=1\nDFontSize=2\nFontColor=navy\nTopSpace=20\nHighlighting=0\n"
      "[Code]\nFontName=DejaVu Sans Mono\nFontSize=10\nBkColor=cream\nHighlighting=1\nWrapKind=1\n"
      "KeyWords=int return if while\n"
      "[Cut]\nWrapLine=0\nIsWrapSymbol=1\nFontColor=maroon\nHighlighting=0\n"
      "[Wrap]\nIsWrapSymbol=1\nFontStyle=2\nHighlighting=0\n");
  styles.Load(ini);
  styles.SetNodeFont({"Times New Roman", 12, 0, 0}, 0xFFFFFF);
  const std::string ru = ql::Utf8ToCp1251("Корень документа");
  qltest::GridFixture f({ru, ".Heading one", "..closed branch-", "...hidden", "..open branch",
                         "...leaf a", "...leaf b", ".Code sample", ".Cut text", ".Wrapped text",
                         "disabled branch", ".child d1", "..grandchild", ".child d2",
                         "marked branch", ".child m1", "last"},
                        420, 0, 460);
  auto node = [&](const char* name) { return qltest::Node(f.doc, name); };
  ql::TTNode* code = node("Code sample");
  ql::TTNode* cut = node("Cut text");
  ql::TTNode* wrapped = node("Wrapped text");
  node("Heading one")->Style = styles.Find("Heading")->number;
  code->Style = styles.Find("Code")->number;
  code->Text = "int f(int x) { if (x) return x * 2; while (x) x--; return 0; }";
  cut->Style = styles.Find("Cut")->number;
  cut->Text = "A cut text: wrap line 0 shows only the first line of each paragraph, "
                           "the rest is not shown\r\nsecond paragraph";
  wrapped->Style = styles.Find("Wrap")->number;
  wrapped->Text = "A wrapped text with the wrap symbol: the line breaks at the words "
                               "and the continuation lines start with the red symbol.";
  wrapped->LText = "long text";
  wrapped->Style1 = styles.Find("Code")->number;
  node("child d1")->Style = styles.Find("Heading")->number;
  node("child d2")->Style = styles.Find("Heading")->number;
  node("disabled branch")->Flags = ql::kFlagDisabled;
  node("marked branch")->Flags = ql::kFlagMarked;
  for (int i = 0; i < f.doc.Count; ++i) f.doc.Nodes[size_t(i)]->Height = 0;
  // QL_TREE_STEP sets the indent step ("TreeStep"), e.g. 4 to look at very small steps.
  if (const char* step = std::getenv("QL_TREE_STEP")) f.grid->Tree.Step = std::atoi(step);
  f.doc.Relink();
  f.grid->SetColCount(3);
  f.grid->SetColWidth(1, 53);
  f.grid->SetColWidth(2, 53);
  f.grid->SetSelColor(0xF0D0A0);
  ql::TCellPainter painter(f.doc, styles);
  painter.Install(*f.grid);
  f.Show();
  f.grid->SelRows(7, 8, false);
  const QImage img = f.Grab();
  if (!img.save(QString::fromLocal8Bit(out))) {
    std::fprintf(stderr, "cannot write %s\n", out);
    return 1;
  }
  std::printf("%s %dx%d\n", out, img.width(), img.height());
  // Optionally the branch area enlarged six times, to check it pixel by pixel.
  if (argc > 2) {
    const QImage zoom = img.copy(0, 0, 64, 140).scaled(64 * 6, 140 * 6, Qt::IgnoreAspectRatio,
                                                       Qt::FastTransformation);
    if (!zoom.save(QString::fromLocal8Bit(argv[2]))) return 1;
  }
  return 0;
}
