// Keyword classification and cell layout, each beside a scalar loop that looks every byte of
// the same input up in a 256-entry table.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "styles/fonts.h"
#include "styles/layout.h"
#include "styles/tokens.h"

namespace {

const char* const kKeywords[] = {"auto", "break", "case", "char", "const", "continue", "default",
                                 "do", "double", "else", "enum", "extern", "float", "for", "goto",
                                 "if", "int", "long", "register", "return", "short", "signed",
                                 "sizeof", "static", "struct", "switch", "typedef", "union",
                                 "unsigned", "void", "volatile", "while"};

// C-like source: declarations, loops, numbers, strings and both kinds of comments.
std::string MakeSource(size_t bytes) {
  static const char* const kLines[] = {
      "static int count_%d = 0x1F + 42;\r\n",
      "  for (int i = 0; i < n; ++i) total += values[i] * 1.5e-3;\r\n",
      "  if (name == NULL) return \"missing name\\n\";\r\n",
      "  // remember the last position %d for the next call\r\n",
      "/* block comment: the table grows by doubling */\r\n",
      "  while (p < end && *p != '\\0') ++p;\r\n",
      "unsigned long hash_%d(const char* s, size_t len) {\r\n",
      "  @property value_%d;\r\n",
      "}\r\n",
  };
  std::mt19937 rng(7);
  std::string out;
  out.reserve(bytes + 128);
  char buf[160];
  while (out.size() < bytes) {
    const char* line = kLines[rng() % std::size(kLines)];
    int n = std::snprintf(buf, sizeof buf, line, static_cast<int>(rng() % 1000));
    out.append(buf, static_cast<size_t>(n));
  }
  out.resize(bytes);
  return out;
}

// Node texts of a generated tree: mostly one short line, some longer with CR LF paragraphs.
std::vector<std::string> MakeNodes(size_t count) {
  static const char* const kWords[] = {"node", "text", "while", "if", "return", "value", "окно",
                                       "дерево", "42", "1.5", "(a+b)", "\"str\"", "// note",
                                       "list_of_items", "x", "документ"};
  std::mt19937 rng(11);
  std::vector<std::string> nodes;
  nodes.reserve(count);
  for (size_t k = 0; k < count; ++k) {
    std::string t;
    size_t words = 2 + rng() % (rng() % 8 == 0 ? 60 : 12);
    for (size_t w = 0; w < words; ++w) {
      if (w) t += rng() % 20 == 0 ? "\r\n" : " ";
      t += kWords[rng() % std::size(kWords)];
    }
    nodes.push_back(std::move(t));
  }
  return nodes;
}

// The baseline: one table lookup per byte, kept scalar.
__attribute__((optimize("no-tree-vectorize"))) void TableLoop(const unsigned char* table,
                                                               const char* in, unsigned char* out,
                                                               size_t n) {
  for (size_t i = 0; i < n; ++i) out[i] = table[static_cast<unsigned char>(in[i])];
}

unsigned char g_table[256];

const std::string& Source() {
  static const std::string s = MakeSource(10 << 20);
  return s;
}

void BM_TableLoop_10MB(benchmark::State& state) {
  const std::string& src = Source();
  std::vector<unsigned char> out(src.size());
  for (int c = 0; c < 256; ++c) g_table[c] = static_cast<unsigned char>(c * 7);
  for (auto _ : state) {
    TableLoop(g_table, src.data(), out.data(), src.size());
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * src.size()));
}
BENCHMARK(BM_TableLoop_10MB)->Unit(benchmark::kMillisecond);

void BM_Classify_10MB(benchmark::State& state, bool pascal) {
  const std::string& src = Source();
  std::vector<unsigned char> out(src.size());
  ql::TTokensH tokens(pascal);
  for (const char* k : kKeywords) tokens.AddKeyword(k);
  for (auto _ : state) {
    tokens.Classify(src.data(), out.data(), src.size());
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * src.size()));
}
BENCHMARK_CAPTURE(BM_Classify_10MB, c, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Classify_10MB, pascal, true)->Unit(benchmark::kMillisecond);

// Proportional widths between 5 and 11 pixels, lines 16 pixels high.
class BenchDevice : public ql::TMeasureDevice {
 public:
  ql::TFontMetrics Metrics(std::string_view, int, int) override { return {16, 7, false}; }
  void CharWidths(std::string_view, int, int bits, int widths[256]) override {
    for (int c = 0; c < 256; ++c) widths[c] = 5 + (c * 13) % 7 + (bits & 1);
  }
  int EditLeftEdge(std::string_view, int, int) override { return 0; }
};

const std::vector<std::string>& Nodes() {
  static const std::vector<std::string> nodes = MakeNodes(100000);
  return nodes;
}

size_t NodeBytes() {
  size_t n = 0;
  for (const std::string& t : Nodes()) n += t.size();
  return n;
}

void BM_TableLoop_Nodes(benchmark::State& state) {
  const auto& nodes = Nodes();
  std::vector<unsigned char> out(16384);
  for (auto _ : state) {
    for (const std::string& t : nodes) {
      TableLoop(g_table, t.data(), out.data(), t.size());
      benchmark::DoNotOptimize(out.data());
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * NodeBytes()));
}
BENCHMARK(BM_TableLoop_Nodes)->Unit(benchmark::kMillisecond);

// Every node laid out for a 300-pixel cell (about 45 characters a line), as a row-height pass
// over the whole tree does.
void LayoutNodes(benchmark::State& state, bool highlighted) {
  const auto& nodes = Nodes();
  BenchDevice device;
  ql::TFonts fonts(&device);
  ql::TTokensH tokens(false);
  for (const char* k : kKeywords) tokens.AddKeyword(k);
  ql::TStyle style;
  style.drawFace = "Tahoma";
  style.drawSize = 10;
  style.drawBits = 0;
  style.wrapLine = 1;
  style.eatSpace = 1;
  style.wrapKind = highlighted ? 1 : 0;
  style.equalRows = 0;
  style.wrapSpace = 0;
  style.tokenizer = highlighted ? &tokens : nullptr;
  style.highlighting = highlighted ? 1 : 0;
  ql::MeasureStyleWith(fonts, style);
  ql::TDrawLines lines;
  int64_t total = 0;
  for (auto _ : state) {
    for (const std::string& t : nodes) {
      ql::Layout(style, t.data(), t.size(), 300, ql::TLayoutMode::kCell, lines);
      total += ql::Height(style, lines, 10000);
    }
    benchmark::DoNotOptimize(total);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * NodeBytes()));
}

void BM_LayoutPlain_Nodes(benchmark::State& state) { LayoutNodes(state, false); }
BENCHMARK(BM_LayoutPlain_Nodes)->Unit(benchmark::kMillisecond);
void BM_LayoutHighlighted_Nodes(benchmark::State& state) { LayoutNodes(state, true); }
BENCHMARK(BM_LayoutHighlighted_Nodes)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
