// Benchmarks of the document model's linear rebuilds on a generated tree of 1,000,000 nodes:
// Relink (every derived link, the layout and the rows) and BuildRows (the rows alone), each
// beside a baseline loop over the same node array that reads and writes one field of every
// node. The ratios to the baseline are printed after the table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>

#include "model/tree.h"

namespace {

constexpr int kNodes = 1000000;
constexpr int kDepths = 12;  // levels 0..11

// A document of kNodes nodes built the way a load builds it (file levels, then ReparentBlock):
// a random walk over levels that goes one deeper with probability 0.3, stays with 0.5 and
// climbs 1..level otherwise, which gives branches of every depth up to 12 with fan-outs from
// one to several hundred; 85% of the nodes with children are open; texts of 0..40 bytes.
ql::TTTree& Tree() {
  static ql::TTTree* tree = [] {
    auto* t = new ql::TTTree;
    std::mt19937 rng(20261211);
    std::uniform_real_distribution<double> coin(0.0, 1.0);
    t->InsertNodes(0, kNodes, true);
    int level = 0;
    for (int i = 0; i < kNodes; ++i) {
      ql::TTNode* p = t->Nodes[size_t(i)];
      if (i > 0) {
        const double c = coin(rng);
        if (c < 0.3) {
          if (level + 1 < kDepths) ++level;
        } else if (c >= 0.8 && level > 0) {
          level -= 1 + int(rng() % unsigned(level));
        }
      }
      p->Level = level;
      p->Opened = coin(rng) < 0.85;
      p->Height = ql::kNewNodeHeight;
      p->Text.assign(rng() % 41, char('a' + i % 26));
    }
    t->ReparentBlock(nullptr, 0, kNodes);
    t->Relink();
    int maxLevel = 0, withChildren = 0;
    for (int i = 0; i < kNodes; ++i) {
      maxLevel = std::max(maxLevel, t->Nodes[size_t(i)]->Level);
      withChildren += t->Nodes[size_t(i)]->Child != nullptr;
    }
    std::printf("tree: %d nodes, levels 0..%d, %d with children (mean fan-out %.1f), %d rows\n",
                t->Count, maxLevel, withChildren, double(kNodes - 1) / withChildren,
                t->View->RowCount);
    return t;
  }();
  return *tree;
}

void BM_Baseline(benchmark::State& state) {
  ql::TTTree& t = Tree();
  for (auto _ : state) {
    ql::TTNode* const* a = t.Nodes.data();
    for (int i = 0; i < t.Count; ++i) a[i]->Mark += 1;
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * t.Count);
}

void BM_Relink(benchmark::State& state) {
  ql::TTTree& t = Tree();
  for (auto _ : state) {
    t.Relink();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * t.Count);
}

void BM_BuildRows(benchmark::State& state) {
  ql::TTTree& t = Tree();
  for (auto _ : state) {
    t.BuildRows();
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * t.Count);
}

BENCHMARK(BM_Baseline)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_Relink)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_BuildRows)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Prints the table as usual and keeps each benchmark's time for the ratios.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  RatioReporter() : ConsoleReporter(OO_Tabular) {}
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& r : runs)
      if (!r.error_occurred)
        times_[r.benchmark_name()] = {r.GetAdjustedRealTime(), r.GetAdjustedCPUTime()};
    ConsoleReporter::ReportRuns(runs);
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto base = times_.find("BM_Baseline/min_time:1.000");
    if (base == times_.end()) return;
    const auto [baseReal, baseCpu] = base->second;
    for (const auto& [name, time] : times_) {
      if (name == base->first) continue;
      const auto [real, cpu] = time;
      std::printf("%-28s real %7.2f ms / baseline %6.2f ms = %.2f;  cpu %7.2f ms / %6.2f ms = %.2f\n",
                  name.c_str(), real, baseReal, real / baseReal, cpu, baseCpu, cpu / baseCpu);
    }
  }

 private:
  std::map<std::string, std::pair<double, double>> times_;  // real, cpu per iteration
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Tree();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
