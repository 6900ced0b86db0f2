// Load and save of a large document beside their baselines on the same file:
//   load     = ReadDoc (whole read with the lock) + parse + RebuildIds + Relink
//   baseline = reading the file into memory + one memcpy of its bytes
//   save     = serialise + WriteDoc (temporary file, fsync, rename, fsync of the folder, lock)
//   baseline = writing the same bytes to a file with fsync
// After the runs it prints the ratios and the peak memory of one load per node.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "base/message_hook.h"
#include "base/profile.h"
#include "model/tree.h"
#include "platform/doc_file.h"
#include "storage/document_io.h"
#include "storage/style_table_names.h"
#include "styles/styles.h"

namespace {

constexpr int32_t kNodes = 1000000;

struct Fixture {
  std::string folder;
  std::string path;
  std::vector<uint8_t> bytes;
  ql::TStyles table;
};

Fixture& F() {
  static Fixture* f = [] {
    auto* fx = new Fixture;
    char pattern[] = "/tmp/qlbench.XXXXXX";
    fx->folder = mkdtemp(pattern);
    fx->path = fx->folder + "/big.qlt";
    ql::TProfile ini;
    ini.Parse("[Code]\nKeyWords=if while\n[Head]\nFontStyle=1\n[Note]\nFontStyle=2\n");
    fx->table.Load(ini);
    // A generated document: levels wander up and down, texts of 1251 letters and blanks of
    // varied length, about 60 bytes of text per node.
    ql::TTTree tree;
    tree.InsertNodes(0, kNodes, false);
    std::mt19937 rng(12345);
    int32_t level = 0;
    for (int32_t i = 0; i < kNodes; ++i) {
      ql::TTNode* p = tree.Nodes[i];
      p->Id = static_cast<uint32_t>(i + 1);
      const uint32_t r = rng();
      level = i == 0 ? 0 : std::max(0, std::min(level + 1, level - static_cast<int32_t>(r % 3) + 1));
      p->Level = level;
      p->Opened = (r >> 4) & 1;
      p->Style = static_cast<uint16_t>((r >> 5) % 4);
      p->Style1 = static_cast<uint16_t>((r >> 7) % 4);
      p->Text.resize(8 + (r >> 9) % 28);
      p->LText.resize((r >> 14) % 60);
      for (char& c : p->Text) c = static_cast<char>(0xE0 + rng() % 32);
      for (size_t k = 0; k < p->LText.size(); ++k) p->LText[k] = k % 7 == 6 ? ' ' : static_cast<char>('a' + k % 26);
    }
    tree.ReparentBlock(nullptr, 0, kNodes);
    tree.MaxId = kNodes;
    tree.RebuildIds(tree.NodeSpan());
    tree.Relink();
    ql::TStyleTableNames names(fx->table);
    fx->bytes = ql::SerializeDocument(tree, {0, 0, 0}, names);
    ql::TFileLock lock;
    ql::WriteDoc(fx->path, std::string_view(reinterpret_cast<const char*>(fx->bytes.data()), fx->bytes.size()), lock);
    return fx;
  }();
  return *f;
}

void BM_LoadBaseline(benchmark::State& state) {
  Fixture& f = F();
  for (auto _ : state) {
    const int fd = ::open(f.path.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat st;
    ::fstat(fd, &st);
    std::vector<uint8_t> buffer(static_cast<size_t>(st.st_size));
    size_t done = 0;
    while (done < buffer.size()) {
      const ssize_t n = ::read(fd, buffer.data() + done, buffer.size() - done);
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    ::close(fd);
    std::vector<uint8_t> copy(buffer.size());
    std::memcpy(copy.data(), buffer.data(), buffer.size());
    benchmark::DoNotOptimize(copy.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.bytes.size()));
}

void BM_Load(benchmark::State& state) {
  Fixture& f = F();
  ql::TStyleTableNames names(f.table);
  for (auto _ : state) {
    ql::TTTree tree;
    tree.OnClear = [&f] { f.table.DropDocStyles(); };
    std::vector<uint8_t> bytes;
    ql::TFileLock lock;
    ql::ReadDoc(f.path, true, bytes, lock);
    if (!ql::ReadDocument(std::move(bytes), f.path, true, tree, names)) state.SkipWithError("load failed");
    benchmark::DoNotOptimize(tree.Count);
    state.PauseTiming();  // destroying the tree is not part of loading
    tree.Clear();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.bytes.size()));
}

void BM_SaveBaseline(benchmark::State& state) {
  Fixture& f = F();
  const std::string out = f.folder + "/baseline.qlt";
  for (auto _ : state) {
    const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    size_t done = 0;
    while (done < f.bytes.size()) {
      const ssize_t n = ::write(fd, f.bytes.data() + done, f.bytes.size() - done);
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    ::fsync(fd);
    ::close(fd);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.bytes.size()));
}

void BM_Save(benchmark::State& state) {
  Fixture& f = F();
  ql::TStyleTableNames names(f.table);
  ql::TTTree tree;
  tree.OnClear = [&f] { f.table.DropDocStyles(); };
  std::vector<uint8_t> bytes;
  ql::TFileLock lock;
  ql::ReadDoc(f.path, true, bytes, lock);
  ql::ReadDocument(std::move(bytes), f.path, true, tree, names);
  const std::string out = f.folder + "/saved.qlt";
  ql::TFileLock outLock;
  for (auto _ : state) {
    const std::vector<uint8_t> image = ql::SerializeDocument(tree, {0, 0, 0}, names);
    if (!ql::WriteDoc(out, std::string_view(reinterpret_cast<const char*>(image.data()), image.size()), outLock)) {
      state.SkipWithError("save failed");
    }
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(f.bytes.size()));
}

// The serialising half of a save alone, to show where its time goes.
void BM_Serialize(benchmark::State& state) {
  Fixture& f = F();
  ql::TStyleTableNames names(f.table);
  ql::TTTree tree;
  tree.OnClear = [&f] { f.table.DropDocStyles(); };
  ql::ReadDocument(std::vector<uint8_t>(f.bytes), f.path, true, tree, names);
  for (auto _ : state) {
    const std::vector<uint8_t> image = ql::SerializeDocument(tree, {0, 0, 0}, names);
    benchmark::DoNotOptimize(image.data());
  }
}

BENCHMARK(BM_LoadBaseline)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_SaveBaseline)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Serialize)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Collects the real time per iteration of every run so the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
      times[run.benchmark_name()] = run.GetAdjustedRealTime();
      cpuTimes[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
  }
  std::map<std::string, double> times;
  std::map<std::string, double> cpuTimes;
};

long StatusKb(const char* key) {
  std::ifstream in("/proc/self/status");
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind(key, 0) == 0) return std::atol(line.c_str() + std::strlen(key));
  }
  return -1;
}

// Peak resident memory of one load above what the process held before it, per node. Runs in a
// fresh process (this program started again with --load-peak PATH), so memory freed by the
// benchmarks cannot hide the load's own.
int LoadPeak(const char* path) {
  ql::TStyles table;
  ql::TProfile ini;
  ini.Parse("[Code]\nKeyWords=if while\n[Head]\nFontStyle=1\n[Note]\nFontStyle=2\n");
  table.Load(ini);
  ql::TStyleTableNames names(table);
  ql::TTTree tree;
  tree.OnClear = [&table] { table.DropDocStyles(); };
  const long before = StatusKb("VmRSS:");
  std::vector<uint8_t> bytes;
  ql::TFileLock lock;
  if (!ql::ReadDoc(path, true, bytes, lock)) return 1;
  if (!ql::ReadDocument(std::move(bytes), path, true, tree, names)) return 1;
  const long peak = StatusKb("VmHWM:");
  const long after = StatusKb("VmRSS:");
  std::printf("peak memory of one load: %.1f bytes/node (held after the load: %.1f bytes/node, "
              "of which the file image %.1f)\n",
              (peak - before) * 1024.0 / tree.Count, (after - before) * 1024.0 / tree.Count,
              double(tree.Image.size()) / tree.Count);
  return 0;
}

void PrintPeakMemory() {
  Fixture& f = F();
  std::printf("document: %d nodes, %zu bytes\n", kNodes, f.bytes.size());
  std::fflush(stdout);
  char exe[4096] = {};
  if (::readlink("/proc/self/exe", exe, sizeof exe - 1) <= 0) return;
  const std::string command = std::string("'") + exe + "' --load-peak '" + f.path + "'";
  if (std::system(command.c_str()) != 0) std::printf("peak memory: measurement failed\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--load-peak") == 0) return LoadPeak(argv[2]);
  ql::SetMessageHandler([](const ql::MsgRequest& r) {
    std::fprintf(stderr, "%s: %s\n", r.title.c_str(), r.text.c_str());
    return ql::MsgAnswer::Ok;
  });
  benchmark::Initialize(&argc, argv);
  F();
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto ratio = [](const std::map<std::string, double>& t, const char* a, const char* b) {
    const auto x = t.find(a), y = t.find(b);
    return x != t.end() && y != t.end() && y->second > 0 ? x->second / y->second : 0.0;
  };
  const char* load = "BM_Load/min_time:2.000";
  const char* loadBase = "BM_LoadBaseline/min_time:2.000";
  const char* save = "BM_Save/min_time:2.000";
  const char* saveBase = "BM_SaveBaseline/min_time:2.000";
  std::printf("load / baseline: %.2f real time, %.2f CPU time\n", ratio(reporter.times, load, loadBase),
              ratio(reporter.cpuTimes, load, loadBase));
  std::printf("save / baseline: %.2f real time, %.2f CPU time\n", ratio(reporter.times, save, saveBase),
              ratio(reporter.cpuTimes, save, saveBase));
  PrintPeakMemory();
  std::string cleanup = "rm -rf '" + F().folder + "'";
  return std::system(cleanup.c_str()) == 0 ? 0 : 1;
}
