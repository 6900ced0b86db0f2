// QL's start on a 1,000,000-node document under the offscreen platform: the main window built,
// the document read and shown, until its grid has painted the first screen (rows measured, top
// row applied). Beside it, in the same run, the load alone (reading the file into a tree, the
// load benchmark's measure) and its baseline, reading the same bytes and copying them.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "gui_bench.h"
#include "base/profile.h"
#include "forms/tree_form.h"
#include "model/tree.h"
#include "platform/doc_file.h"
#include "storage/document_io.h"
#include "styles/styles.h"
#include "support/test_support.h"

namespace {

constexpr int kNodes = 1000000;

struct Fixture {
  qltest::TempDir dir;
  std::string prog = dir.Path() + "/";
  std::string path = prog + "Big.qlt";

  Fixture() {
    ql::TTTree doc;
    FillThreeLevelTree(doc, kNodes);
    ql::TStyles styles;
    ql::TStyleTableNames names(styles);
    const std::vector<uint8_t> bytes = ql::SerializeDocument(doc, {}, names);
    ql::TFileLock lock;
    ql::WriteDoc(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), lock);
    ql::WritePrivateProfileString("0", "FirstCall", "0", prog + "QL.ini");
  }
};

Fixture& TheFixture() {
  static Fixture f;
  return f;
}

void BM_ReadAndCopyBaseline(benchmark::State& state) {
  Fixture& f = TheFixture();
  for (auto _ : state) {
    std::vector<uint8_t> bytes;
    ql::TFileLock lock;
    ql::ReadDoc(f.path, false, bytes, lock);
    std::vector<uint8_t> copy(bytes.size());
    std::memcpy(copy.data(), bytes.data(), bytes.size());
    benchmark::DoNotOptimize(copy.data());
  }
}
BENCHMARK(BM_ReadAndCopyBaseline)->Unit(benchmark::kMillisecond);

void BM_LoadDocument(benchmark::State& state) {
  Fixture& f = TheFixture();
  ql::TStyles styles;
  ql::TStyleTableNames names(styles);
  for (auto _ : state) {
    std::vector<uint8_t> bytes;
    ql::TFileLock lock;
    ql::ReadDoc(f.path, false, bytes, lock);
    auto tree = std::make_unique<ql::TTTree>();
    ql::ReadDocument(std::move(bytes), f.path, false, *tree, names);
    benchmark::DoNotOptimize(tree->Count);
    state.PauseTiming();  // freeing the nodes is not part of the load (QL's shutdown is not timed either)
    tree.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_LoadDocument)->Unit(benchmark::kMillisecond);

void BM_QLFirstScreen(benchmark::State& state) {
  Fixture& f = TheFixture();
  for (auto _ : state) {
    auto form = std::make_unique<ql::TTreeForm>(ql::TStartup{f.prog, {f.path}, f.dir.Path()});
    form->show();
    while (!form->Grid->FirstPaintSeen() || form->Grid->PendingTopRow >= 0) QApplication::processEvents();
    state.PauseTiming();
    form.reset();  // shutdown: nothing changed, nothing written
    state.ResumeTiming();
  }
}
BENCHMARK(BM_QLFirstScreen)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) { return RunOffscreenBenchmarks(argc, argv); }
