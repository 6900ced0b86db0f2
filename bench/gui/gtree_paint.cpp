// The tree grid over a 1,000,000-node document: the first screen (rows set, the rows around the
// view measured through the layout, painted) and a jump to the last row and back with painting,
// beside one Relink of the same tree as the baseline.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <memory>
#include <string>

#include "gui_bench.h"
#include "gtree/cell_painter.h"
#include "gtree/gtree.h"
#include "gtree/qt_measure.h"
#include "model/tree.h"
#include "styles/styles.h"

namespace {

constexpr int kNodes = 1000000;

struct Scene {
  ql::TTTree doc;
  ql::TStyles styles;
  std::unique_ptr<ql::TGTree> grid;
  std::unique_ptr<ql::TCellPainter> painter;
  QImage image{600, 800, QImage::Format_RGB32};

  Scene() {
    ql::InstallQtMeasuring();
    styles.SetNodeFont({"Times New Roman", 12, 0, 0}, 0xFFFFFF);
    FillThreeLevelTree(doc, kNodes);
    grid = std::make_unique<ql::TGTree>();
    grid->setFrameShape(QFrame::NoFrame);
    grid->Attach(&doc);
    grid->SetColCount(3);
    grid->SetColWidth(1, 53);
    grid->SetColWidth(2, 53);
    painter = std::make_unique<ql::TCellPainter>(doc, styles);
    painter->Install(*grid);
    grid->resize(image.width(), image.height());
    grid->show();
    QApplication::processEvents();
  }

  void Paint() {
    QPainter p(&image);
    grid->viewport()->render(&p);
  }
};

Scene& TheScene() {
  static Scene scene;
  return scene;
}

void BM_Relink(benchmark::State& state) {
  Scene& s = TheScene();
  for (auto _ : state) s.doc.Relink();
  s.grid->SetRows(0, false);
  state.SetItemsProcessed(state.iterations() * kNodes);
}
BENCHMARK(BM_Relink)->Unit(benchmark::kMillisecond);

void BM_FirstScreen(benchmark::State& state) {
  Scene& s = TheScene();
  for (auto _ : state) {
    s.grid->SetRows(0, false);  // every height forgotten, the rows around the view measured
    s.grid->SelRow(0, true);
    s.Paint();
  }
}
BENCHMARK(BM_FirstScreen)->Unit(benchmark::kMillisecond);

void BM_ScrollToEndAndBack(benchmark::State& state) {
  Scene& s = TheScene();
  s.grid->SetRows(0, false);
  const int last = s.grid->RowCount() - 1;
  for (auto _ : state) {
    s.grid->SelRow(last, true);
    s.Paint();
    s.grid->SelRow(0, true);
    s.Paint();
  }
}
BENCHMARK(BM_ScrollToEndAndBack)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunOffscreenBenchmarks(argc, argv); }
