// Search and substitute over a generated document with about 100 MB of text, each beside memmem
// over the same bytes (all texts copied into one buffer) measured in the same run.
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "base/cp1251.h"
#include "find/find_res.h"
#include "find/match.h"
#include "find/subst_res.h"
#include "model/tree.h"

namespace {

constexpr size_t kTargetBytes = 100u << 20;

struct Doc {
  ql::TTTree tree;
  std::string all;  // every Text and LText in document order, back to back
  std::string word;       // the searched word, in the document's letter case
  std::string wordLower;  // the same lowered
  std::string other;      // substitute partner of the same length
};

Doc& TheDoc() {
  static Doc* doc = [] {
    auto* d = new Doc;
    d->word = ql::Utf8ToCp1251("Ветвеслов");
    d->wordLower = ql::Lower1251(d->word);
    d->other = ql::Utf8ToCp1251("Деревослв");
    const std::vector<std::string> words = [] {
      std::vector<std::string> w;
      for (const char* s : {"дерево", "узел", "текст", "Поиск", "стиль", "node", "Text", "branch",
                            "и", "в", "на", "документ", "ссылка", "QL", "ветвь", "Экспорт", "ПОДСТАНОВКА",
                            "window", "file", "символ", "строка", "вхождение", "результат"})
        w.push_back(ql::Utf8ToCp1251(s));
      return w;
    }();
    std::mt19937 rng(12345);
    auto sentence = [&](size_t bytes, std::string& out) {
      while (out.size() < bytes) {
        if (rng() % 400 == 0) out += d->word;  // about one word in 400
        else out += words[rng() % words.size()];
        out += rng() % 12 == 0 ? ".\r\n" : " ";
      }
    };
    size_t total = 0;
    std::vector<std::pair<std::string, std::string>> texts;
    while (total < kTargetBytes) {
      std::string text, ltext;
      sentence(20 + rng() % 40, text);
      sentence(200 + rng() % 1600, ltext);
      total += text.size() + ltext.size();
      texts.emplace_back(std::move(text), std::move(ltext));
    }
    d->tree.InsertNodes(0, int32_t(texts.size()), true);
    for (size_t i = 0; i < texts.size(); ++i) {
      ql::TTNode* p = d->tree.Nodes[i];
      p->Level = int32_t(i % 4 == 0 ? 0 : 1);
      // Copied in order, as a document read from its file allocates them.
      p->Text = texts[i].first;
      p->LText = texts[i].second;
      d->all += p->Text;
      d->all += p->LText;
    }
    d->tree.ReparentBlock(nullptr, 0, d->tree.Count);
    d->tree.Relink();
    return d;
  }();
  return *doc;
}

size_t CountMemmem(const std::string& hay, const std::string& needle) {
  size_t n = 0;
  const char* p = hay.data();
  const char* end = hay.data() + hay.size();
  while (const void* hit = memmem(p, size_t(end - p), needle.data(), needle.size())) {
    ++n;
    p = static_cast<const char*>(hit) + needle.size();
  }
  return n;
}

void BM_Memmem(benchmark::State& state) {
  Doc& d = TheDoc();
  size_t n = 0;
  for (auto _ : state) benchmark::DoNotOptimize(n = CountMemmem(d.all, d.word));
  state.counters["found"] = double(n);
  state.SetBytesProcessed(int64_t(state.iterations() * d.all.size()));
}

void Search(benchmark::State& state, bool ignoreCase) {
  Doc& d = TheDoc();
  ql::TFindRes res;
  res.IgnoreCase = ignoreCase;
  ql::TCharWidths widths{};
  for (int c = 32; c < 256; ++c) widths[c] = 7;
  int32_t n = 0;
  for (auto _ : state) {
    n = res.Search(d.tree, ignoreCase ? d.wordLower : d.word, 0, d.tree.Count, widths, 300, 700);
    benchmark::DoNotOptimize(n);
  }
  state.counters["found"] = double(n);
  state.SetBytesProcessed(int64_t(state.iterations() * d.all.size()));
}

void BM_SearchCase(benchmark::State& state) { Search(state, false); }
void BM_SearchIgnoreCase(benchmark::State& state) { Search(state, true); }

// Replaces the word by a partner of the same length and back, alternately, so every iteration
// does the same work.
void BM_Subst(benchmark::State& state) {
  Doc& d = TheDoc();
  ql::TSubstRes res;
  bool forth = true;
  int32_t n = 0;
  for (auto _ : state) {
    n = forth ? res.Run(d.tree, d.word, d.other, 0, d.tree.Count)
              : res.Run(d.tree, d.other, d.word, 0, d.tree.Count);
    forth = !forth;
    benchmark::DoNotOptimize(n);
  }
  if (!forth) res.Run(d.tree, d.other, d.word, 0, d.tree.Count);
  state.counters["replaced"] = double(n);
  state.SetBytesProcessed(int64_t(state.iterations() * d.all.size()));
}

void BM_SubstCountIgnoreCase(benchmark::State& state) {
  Doc& d = TheDoc();
  ql::TSubstRes res;
  res.IgnoreCase = true;
  res.CountOnly = true;
  int32_t n = 0;
  for (auto _ : state) benchmark::DoNotOptimize(n = res.Run(d.tree, d.word, "", 0, d.tree.Count));
  state.counters["counted"] = double(n);
  state.SetBytesProcessed(int64_t(state.iterations() * d.all.size()));
}

BENCHMARK(BM_Memmem)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchIgnoreCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Subst)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SubstCountIgnoreCase)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Memmem)->Unit(benchmark::kMillisecond)->Name("BM_Memmem_again");

}  // namespace

BENCHMARK_MAIN();

namespace {
// The same memmem, text by text over the nodes (the segmentation the engines see).
void BM_MemmemPerText(benchmark::State& state) {
  Doc& d = TheDoc();
  size_t n = 0;
  for (auto _ : state) {
    n = 0;
    for (const ql::TTNode* p : d.tree.NodeSpan()) {
      n += CountMemmem(p->Text, d.word);
      n += CountMemmem(p->LText, d.word);
    }
    benchmark::DoNotOptimize(n);
  }
  state.counters["found"] = double(n);
  state.SetBytesProcessed(int64_t(state.iterations() * d.all.size()));
}
BENCHMARK(BM_MemmemPerText)->Unit(benchmark::kMillisecond);
}  // namespace

namespace {
// The engines' matcher over the one contiguous buffer: separates the matcher's speed from the
// cost of walking the nodes' separately allocated texts.
void BM_SearcherContiguous(benchmark::State& state) {
  Doc& d = TheDoc();
  ql::TByteSearcher s;
  s.Set(d.word.data(), d.word.size());
  size_t n = 0;
  for (auto _ : state) {
    n = 0;
    for (size_t o = s.Find(d.all, 0); o != std::string::npos; o = s.Find(d.all, o + d.word.size())) ++n;
    benchmark::DoNotOptimize(n);
  }
  state.counters["found"] = double(n);
  state.SetBytesProcessed(int64_t(state.iterations() * d.all.size()));
}
BENCHMARK(BM_SearcherContiguous)->Unit(benchmark::kMillisecond);
}  // namespace
