#pragma once
// What the window benchmarks share: the generated tree they measure and a main that runs them
// on the offscreen platform.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <string>

#include "model/tree.h"

// Three levels, every branch open: a top-level node per 100 and a second-level node per 10, each
// with a line of text to lay out.

inline void FillThreeLevelTree(ql::TTTree& doc, int count) {
  doc.InsertNodes(0, count, true);
  ql::TTNode* top = nullptr;
  ql::TTNode* mid = nullptr;
  for (int i = 0; i < count; ++i) {
    ql::TTNode* p = doc.Nodes[size_t(i)];
    p->Opened = true;
    p->Text = "Node " + std::to_string(i) + " with a few words of text to lay out";
    if (i % 100 == 0) {
      top = p;
      mid = nullptr;
    } else if (i % 10 == 0) {
      p->Parent = top;
      mid = p;
    } else {
      p->Parent = mid ? mid : top;
    }
  }
  doc.Relink();
}

inline int RunOffscreenBenchmarks(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
