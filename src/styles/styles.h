#pragma once
// TStyles: the style table. Style 0 is built in (empty name); styles 1 .. FixedCount()-1 come from
// the sections of Styles.ini in file order; numbers from FixedCount() up are document-only styles
// made for names a document uses but Styles.ini lacks, drawn exactly like style 0.
//
// The table owns every style, every text variant, every tokenizer and every name, font name and
// keyword text. Tokenizers live as long as the table (until the next Load), so a style that took
// another style's tokenizer keeps a valid one even when that style is dropped (a Temp parent).
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "base/colors.h"
#include "base/tmem.h"
#include "styles/style.h"

namespace ql {

class TProfile;
class TTokensH;

// A base font: the node font or the text font of the program's settings.
struct TBaseFont {
  std::string face;  // 1251
  int size = 10;     // points; the caller puts a size that is not on the ladder back to 10
  int bits = 0;      // 1 bold, 2 italic
  TColor color = 0;
};

class TStyles {
 public:
  TStyles();
  ~TStyles();
  TStyles(const TStyles&) = delete;
  TStyles& operator=(const TStyles&) = delete;

  // The program's one table.
  static TStyles& Global();

  // Builds the table from programFolder + "Styles.ini" (programFolder ends with "/"); never
  // fails: a missing file leaves style 0 alone. Replaces whatever the table held.
  void Load(const std::string& programFolder);
  // The same from a profile already read.
  void Load(const TProfile& ini);

  // Style by name (1251, case-sensitive), or null.
  TStyle* Find(std::string_view name);
  // For the document reader: 0 for an empty name, the number of a known style, else the number
  // of a new document-only style of that name.
  int AddDocStyle(std::string_view name);
  // Destroys the document-only styles.
  void DropDocStyles();

  // The style to draw for a node style number: its delegate if it has one, else itself. A number
  // outside the table gives style 0.
  TStyle* Get(int number);
  // The same for the long-text panel: the text variant of the style (or its delegate).
  TStyle* GetText(int number);
  // items[number] itself, or null outside the table.
  TStyle* Item(int number);

  int Count() const { return static_cast<int>(items_.size()); }
  int FixedCount() const { return fixed_; }
  int Capacity() const { return capacity_; }
  // The keyword-less tokenizer shared by highlighted styles without keywords; null until needed.
  TTokensH* SharedTokenizer() const { return shared_; }

  // Apply a base font and background to the node variants, respectively the text variants, of
  // styles 0 .. FixedCount()-1, measuring again every style whose face, size or bits changed.
  void SetNodeFont(const TBaseFont& font, TColor background);
  void SetTextFont(const TBaseFont& font, TColor background);
  const std::string& NodeFontName() const { return nodeFontName_; }
  const std::string& TextFontName() const { return textFontName_; }

 private:
  void Reset();
  TStyle* NewStyle(std::string name);
  void ReadStyle(const TProfile& ini, const std::string& section, TStyle& s);
  void Inherit(TStyle& s, const TStyle& p);
  void Finish(TStyle& s);
  TTokensH* NewTokenizer(bool pascal);
  TTokensH* NewTokenizer(bool pascal, const TTokensH& keywordsFrom);
  void PrependKeyword(TStyle& s, const char* word);
  static void ApplyBaseFont(TStyle& s, const TBaseFont& font, TColor background);

  std::vector<std::unique_ptr<TStyle>> items_;
  std::vector<std::unique_ptr<TStyle>> textVariants_;  // of the styles from Styles.ini
  int fixed_ = 1;
  int capacity_ = 16;
  TMem pool_{65536};  // keyword texts and keyword list cells
  std::unordered_map<std::string, TStyle*> index_;
  std::vector<std::unique_ptr<TTokensH>> tokenizers_;
  TTokensH* shared_ = nullptr;
  std::string nodeFontName_;
  std::string textFontName_;
};

}  // namespace ql
