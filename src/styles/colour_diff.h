#pragma once
// The incremental colouring of an edit control, without the control: given the text after a
// change and the remembered selection starts, work out which runs of characters must be given
// new token colours. Applying formats to an edit control is slow and disturbs its selection and
// scrolling, so only runs whose class changed, plus the edited range, are re-applied. The widget
// that applies the runs detaches its own change handlers while it does so.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "styles/tokens.h"

namespace ql {

struct TClassRun {
  size_t start = 0;
  size_t length = 0;
  unsigned char cls = kTokPlain;
  bool operator==(const TClassRun&) const = default;
};

// Every maximal run of equal class in classes[0..n-1].
void AllClassRuns(const unsigned char* classes, size_t n, std::vector<TClassRun>& runs);

// The changed runs after an edit. oldClasses holds the classes of the previous text
// (oldLength bytes) and is used as the work buffer (it is grown to newLength and left as the
// "changed" mask). The edit covers at least [a, a + n) of the new text; n is widened to the
// length the text grew by and both are clipped to the text. Positions before the edit and after
// it (the old tail moved to its new place) count as changed where their classes differ; old
// positions that never existed count as changed. Runs group changed positions of equal new class.
void ChangedClassRuns(std::vector<unsigned char>& oldClasses, size_t oldLength,
                      const unsigned char* newClasses, size_t newLength, int64_t a, int64_t n,
                      std::vector<TClassRun>& runs);

// TIncColE without the control: the classes of the text as last coloured, the last three
// selection starts (newest first) and the selection length.
class TIncColour {
 public:
  // Attaching a colourer (or none) forgets the previous classes; the caller colours all again.
  void Attach(TColText* colourer);
  TColText* Colourer() const { return colourer_; }

  // Classes of the whole text; runs of every class, in order. The selection (start, length) is
  // the control's at the time: it becomes all three remembered starts, as the control's state is
  // saved and restored around applying colours. No colourer: no runs.
  const std::vector<TClassRun>& ColourAll(const char* text, size_t length, int64_t selStart,
                                          int64_t selLength);
  // From the control's selection-change handler.
  void NoteSelection(int64_t selStart, int64_t selLength);
  // From the control's change handler, with the text after the change and the current selection
  // start: recolours from the smallest to the largest of it and the remembered starts.
  const std::vector<TClassRun>& TextChanged(const char* text, size_t length, int64_t selStart);

  // The classes of the text as last coloured.
  const unsigned char* Classes() const { return buffers_[current_].data(); }
  size_t Length() const { return length_; }
  int64_t SelStart(int k) const { return starts_[k]; }
  int64_t SelLength() const { return selLength_; }

 private:
  void Hold(size_t length);

  TColText* colourer_ = nullptr;
  std::vector<unsigned char> buffers_[2];
  int current_ = 0;
  size_t length_ = 0;
  int64_t starts_[3] = {0, 0, 0};
  int64_t selLength_ = 0;
  std::vector<TClassRun> runs_;
};

}  // namespace ql
