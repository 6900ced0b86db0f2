#include "styles/colour_diff.h"

#include <algorithm>
#include <cstring>

namespace ql {

void AllClassRuns(const unsigned char* classes, size_t n, std::vector<TClassRun>& runs) {
  runs.clear();
  size_t p = 0;
  while (p < n) {
    size_t q = p + 1;
    while (q < n && classes[q] == classes[p]) ++q;
    runs.push_back({p, q - p, classes[p]});
    p = q;
  }
}

void ChangedClassRuns(std::vector<unsigned char>& oldClasses, size_t oldLength,
                      const unsigned char* newClasses, size_t newLength, int64_t a, int64_t n,
                      std::vector<TClassRun>& runs) {
  runs.clear();
  const int64_t S = static_cast<int64_t>(newLength);
  const int64_t P = static_cast<int64_t>(oldLength);
  if (oldClasses.size() < newLength) oldClasses.resize(newLength);
  n = std::max<int64_t>(n, 0);
  if (n < S - P) n = S - P;
  a = std::clamp<int64_t>(a, 0, S);
  if (a + n > S) n = S - a;
  // The unchanged tail of the old text moves to its place behind the edit.
  const int64_t tail = S - a - n;
  unsigned char* old = oldClasses.data();
  if (tail > 0) std::memmove(old + a + n, old + (P - tail), static_cast<size_t>(tail));
  // Turn the old classes into the mask: 1 = changed.
  for (int64_t p = 0; p < a; ++p) old[p] = p >= P || old[p] != newClasses[p];
  if (n > 0) std::memset(old + a, 1, static_cast<size_t>(n));
  for (int64_t p = a + n; p < S; ++p) old[p] = old[p] != newClasses[p];

  size_t p = 0;
  while (p < newLength) {
    if (!old[p]) {
      ++p;
      continue;
    }
    size_t q = p + 1;
    while (q < newLength && old[q] && newClasses[q] == newClasses[p]) ++q;
    runs.push_back({p, q - p, newClasses[p]});
    p = q;
  }
}

void TIncColour::Attach(TColText* colourer) {
  colourer_ = colourer;
  length_ = 0;
  runs_.clear();
}

void TIncColour::Hold(size_t length) {
  size_t cap = buffers_[0].size();
  if (cap >= length && cap != 0) return;
  size_t grown = cap == 0 ? 16384 : cap;
  while (grown < length) grown *= 2;
  buffers_[0].resize(grown);
  buffers_[1].resize(grown);
}

const std::vector<TClassRun>& TIncColour::ColourAll(const char* text, size_t length,
                                                    int64_t selStart, int64_t selLength) {
  runs_.clear();
  if (!colourer_) return runs_;
  Hold(length);
  colourer_->Classify(text, buffers_[0].data(), length);
  current_ = 0;
  length_ = length;
  AllClassRuns(buffers_[0].data(), length, runs_);
  starts_[0] = starts_[1] = starts_[2] = selStart;
  selLength_ = selLength;
  return runs_;
}

void TIncColour::NoteSelection(int64_t selStart, int64_t selLength) {
  starts_[2] = starts_[1];
  starts_[1] = starts_[0];
  starts_[0] = selStart;
  selLength_ = selLength;
}

const std::vector<TClassRun>& TIncColour::TextChanged(const char* text, size_t length,
                                                      int64_t selStart) {
  runs_.clear();
  if (!colourer_) return runs_;
  int64_t lo = selStart, hi = selStart;
  for (int64_t s : starts_) {
    lo = std::min(lo, s);
    hi = std::max(hi, s);
  }
  Hold(length);
  const int fresh = 1 - current_;
  colourer_->Classify(text, buffers_[fresh].data(), length);
  ChangedClassRuns(buffers_[current_], length_, buffers_[fresh].data(), length, lo, hi - lo, runs_);
  current_ = fresh;
  length_ = length;
  starts_[0] = starts_[1] = starts_[2] = selStart;
  return runs_;
}

}  // namespace ql
