#include "styles/styles.h"

#include <algorithm>

#include "base/cp1251.h"
#include "base/profile.h"
#include "styles/measurer.h"
#include "styles/tokens.h"

namespace ql {
namespace {

int8_t ClampI8(int v) { return static_cast<int8_t>(std::clamp(v, -128, 127)); }

bool IsKeywordStart(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 128;
}

int ReadSpace(const TProfile& ini, const std::string& sec, const char* key) {
  const int v = ini.GetInt(sec, key, 1000);
  return (v >= -50 && v <= 300) ? v : 1000;
}

}  // namespace

TStyles::TStyles() { Reset(); }

TStyles::~TStyles() = default;

TStyles& TStyles::Global() {
  static TStyles table;
  return table;
}

TStyle* TStyles::NewStyle(std::string name) {
  auto style = std::make_unique<TStyle>();
  TStyle* s = style.get();
  s->number = Count();
  s->name = std::move(name);
  s->owner = this;
  index_[s->name] = s;
  items_.push_back(std::move(style));
  return s;
}

void TStyles::Reset() {
  items_.clear();
  textVariants_.clear();
  index_.clear();
  tokenizers_.clear();
  shared_ = nullptr;
  pool_.Clear();
  capacity_ = 16;
  items_.reserve(capacity_);

  TStyle* s = NewStyle(std::string());
  s->wrapLine = 1;
  s->wrapLine1 = 1;
  s->eatSpace = 1;
  s->pascal = 0;
  s->wrapSymbol = 0;
  s->wrapSpace = 0;
  s->wrapKind = 0;
  s->equalRows = 0;
  s->topSpace = 0;
  s->bottomSpace = 0;
  s->highlighting = 0;
  Finish(*s);
  fixed_ = 1;
}

TTokensH* TStyles::NewTokenizer(bool pascal) {
  tokenizers_.push_back(std::make_unique<TTokensH>(pascal));
  return tokenizers_.back().get();
}

TTokensH* TStyles::NewTokenizer(bool pascal, const TTokensH& keywordsFrom) {
  tokenizers_.push_back(std::make_unique<TTokensH>(pascal, keywordsFrom));
  return tokenizers_.back().get();
}

void TStyles::PrependKeyword(TStyle& s, const char* word) {
  TKeyword* k = pool_.New<TKeyword>();
  k->text = word;
  k->next = s.keywords;
  s.keywords = k;
}

void TStyles::Load(const std::string& programFolder) {
  TProfile ini;
  ini.Load(programFolder + "Styles.ini");
  Load(ini);
}

void TStyles::Load(const TProfile& ini) {
  Reset();
  const std::vector<std::string> sections = ini.SectionNames();
  capacity_ = std::max(static_cast<int>(sections.size()) + 1, 16);
  items_.reserve(capacity_);

  for (const std::string& section : sections) {
    std::string name = Utf8ToCp1251(section);
    if (index_.count(name)) continue;  // a repeated section (or "[]") yields no new style
    ReadStyle(ini, section, *NewStyle(std::move(name)));
  }

  // Parents: resolve, then inherit in passes so that a parent is complete before its children
  // take from it. Styles on a cycle never see a parent without a parent and inherit nothing.
  for (auto& s : items_) {
    if (s->hasParentName) s->delegate = Find(s->parentName);
  }
  for (bool inherited = true; inherited;) {
    inherited = false;
    for (auto& s : items_) {
      if (s->delegate && !s->delegate->delegate) {
        Inherit(*s, *s->delegate);
        s->delegate = nullptr;
        inherited = true;
      }
    }
  }
  for (auto& s : items_) s->delegate = nullptr;

  // Temp styles only serve as parents: drop them and number the rest anew.
  std::vector<std::unique_ptr<TStyle>> kept;
  kept.reserve(capacity_);
  textVariants_.clear();
  for (auto& s : items_) {
    if (s->temp) {
      index_.erase(s->name);
      continue;
    }
    s->number = static_cast<int32_t>(kept.size());
    Finish(*s);
    kept.push_back(std::move(s));
  }
  items_ = std::move(kept);
  fixed_ = Count();
}

void TStyles::ReadStyle(const TProfile& ini, const std::string& sec, TStyle& s) {
  s.temp = ini.GetInt(sec, "Temp", 0) != 0;
  const int size = ini.GetInt(sec, "FontSize", 0);
  s.fontSize = static_cast<uint8_t>(size >= 1 && size <= 127 ? size : 0);
  if (s.fontSize == 0) s.sizeStep = ClampI8(ini.GetInt(sec, "DFontSize", 100));
  const int fontStyle = ini.GetInt(sec, "FontStyle", -1);
  s.fontStyle = fontStyle >= 0 ? static_cast<int8_t>(fontStyle & 3) : ClampI8(fontStyle);  // bold, italic
  s.fontColor = ParseColor(ini.GetString(sec, "FontColor"));
  s.bkColor = ParseColor(ini.GetString(sec, "BkColor"));
  s.branchColor = ParseColor(ini.GetString(sec, "BranchColor"));
  if (std::string face = Utf8ToCp1251(ini.GetString(sec, "FontName")); !face.empty()) {
    s.fontName = std::move(face);
    s.hasFontName = true;
  }
  if (std::string parent = Utf8ToCp1251(ini.GetString(sec, "Parent")); !parent.empty()) {
    s.parentName = std::move(parent);
    s.hasParentName = true;
  }
  s.wrapLine = ClampI8(ini.GetInt(sec, "WrapLine", -1));
  s.wrapLine1 = ClampI8(ini.GetInt(sec, "WrapLine1", -1));
  s.wrapSymbol = ClampI8(ini.GetInt(sec, "IsWrapSymbol", -1));
  s.eatSpace = ClampI8(ini.GetInt(sec, "EatSpace", -1));
  s.wrapSpace = ClampI8(ini.GetInt(sec, "WrapSpace", -1));
  s.wrapKind = ClampI8(ini.GetInt(sec, "WrapKind", -1));
  s.equalRows = ClampI8(ini.GetInt(sec, "EqualRows", -1));
  s.topSpace = ReadSpace(ini, sec, "TopSpace");
  s.bottomSpace = ReadSpace(ini, sec, "BottomSpace");
  s.pascal = ClampI8(ini.GetInt(sec, "Pascal", -1));

  // Keywords: words split at codes 0-32; a word counts when it starts like an identifier and is
  // not in the set yet. The set is the style's own tokenizer's.
  const std::string words = Utf8ToCp1251(ini.GetString(sec, "KeyWords"));
  for (size_t i = 0; i < words.size();) {
    while (i < words.size() && static_cast<unsigned char>(words[i]) <= 32) ++i;
    const size_t start = i;
    while (i < words.size() && static_cast<unsigned char>(words[i]) > 32) ++i;
    if (i == start || !IsKeywordStart(static_cast<unsigned char>(words[start]))) continue;
    const char* word = pool_.CopyStr(words.data() + start, i - start);
    if (!s.tokenizer) {
      s.tokenizer = NewTokenizer(s.pascal > 0);
      s.ownsTokenizer = true;
    }
    if (s.tokenizer->AddKeyword(word)) PrependKeyword(s, word);
  }

  if (s.tokenizer) {
    s.highlighting = 1;
    return;
  }
  s.highlighting = (s.pascal > 0 || ini.GetInt(sec, "Highlighting", -1) != 0) ? 1 : 0;
  if (s.highlighting) {
    // Made in the mode of the first style that needs it; later styles share it as it is.
    if (!shared_) shared_ = NewTokenizer(s.pascal > 0);
    s.tokenizer = shared_;
  }
}

void TStyles::Inherit(TStyle& s, const TStyle& p) {
  if (s.fontSize == 0) s.fontSize = p.fontSize;
  if (s.fontSize == 0 && s.sizeStep == 100) s.sizeStep = p.sizeStep;
  if (s.fontStyle < 0) s.fontStyle = p.fontStyle;
  if (s.fontColor < 0) s.fontColor = p.fontColor;
  if (s.bkColor < 0) s.bkColor = p.bkColor;
  if (s.branchColor < 0) s.branchColor = p.branchColor;
  if (!s.hasFontName && p.hasFontName) {
    s.fontName = p.fontName;
    s.hasFontName = true;
  }
  for (auto field : {&TStyle::wrapLine, &TStyle::wrapLine1, &TStyle::wrapSymbol, &TStyle::eatSpace,
                     &TStyle::wrapSpace, &TStyle::wrapKind, &TStyle::equalRows, &TStyle::pascal}) {
    if (s.*field < 0) s.*field = p.*field;
  }
  if (s.topSpace == 1000) s.topSpace = p.topSpace;
  if (s.bottomSpace == 1000) s.bottomSpace = p.bottomSpace;

  if (p.tokenizer) {
    if (s.ownsTokenizer) {
      // The child ends with the union of both keyword sets; the parent is unchanged.
      for (const TKeyword* k = p.keywords; k; k = k->next) {
        if (s.tokenizer->AddKeyword(k->text)) PrependKeyword(s, k->text);
      }
    } else {
      s.keywords = p.keywords;
      if (s.pascal == p.pascal) {
        s.tokenizer = p.tokenizer;
        s.ownsTokenizer = false;
      } else {
        s.tokenizer = NewTokenizer(s.pascal > 0, *p.tokenizer);
        s.ownsTokenizer = true;
      }
    }
  }
  if (s.highlighting < 0) s.highlighting = p.highlighting;
  if (s.tokenizer) s.highlighting = 1;
}

void TStyles::Finish(TStyle& s) {
  if (s.wrapLine < 0) s.wrapLine = 1;
  if (s.wrapLine1 < 0) s.wrapLine1 = 1;
  if (s.wrapSymbol < 0) s.wrapSymbol = 0;
  if (s.eatSpace < 0) s.eatSpace = 1;
  if (s.topSpace == 1000) s.topSpace = 0;
  if (s.bottomSpace == 1000) s.bottomSpace = 0;
  if (s.highlighting < 0) s.highlighting = 0;
  if (s.wrapSymbol) {
    s.endSymbol = 0x95;
    if (s.wrapLine) s.startSymbol = 0x95;
  }
  if (s.startSymbol || s.wrapSpace < 0) s.wrapSpace = 0;
  if (s.wrapKind < 0) s.wrapKind = s.highlighting;
  if (s.equalRows < 0 || s.startSymbol) s.equalRows = 0;
  if (s.pascal < 0) s.pascal = 0;

  s.drawFace = s.hasFontName ? s.fontName : std::string();
  s.drawSize = static_cast<int8_t>(s.fontSize);
  s.drawBits = s.fontStyle;
  s.drawColor = s.fontColor;
  s.drawBkColor = s.bkColor;
  if (s.hasFontName && s.fontSize != 0 && s.fontStyle >= 0) MeasureStyle(s);

  // The text variant shares every configured value; it wraps by WrapLine1 and keeps the start
  // symbol decided from WrapLine.
  auto text = std::make_unique<TStyle>(s);
  text->ownsTokenizer = false;
  text->wrapLine = s.wrapLine1;
  text->textVariant = nullptr;
  s.textVariant = text.get();
  textVariants_.push_back(std::move(text));
}

TStyle* TStyles::Find(std::string_view name) {
  const auto it = index_.find(std::string(name));
  return it == index_.end() ? nullptr : it->second;
}

int TStyles::AddDocStyle(std::string_view name) {
  if (name.empty()) return 0;
  if (const TStyle* s = Find(name)) return s->number;
  if (Count() >= capacity_) {
    capacity_ *= 2;
    items_.reserve(capacity_);
  }
  TStyle* s = NewStyle(std::string(name));
  TStyle* zero = items_[0].get();
  s->documentOnly = true;
  s->delegate = zero;
  s->textVariant = zero->textVariant;
  s->newStyle = -1;
  return s->number;
}

void TStyles::DropDocStyles() {
  for (int i = fixed_; i < Count(); ++i) index_.erase(items_[i]->name);
  items_.resize(fixed_);
}

TStyle* TStyles::Item(int number) {
  return (number >= 0 && number < Count()) ? items_[number].get() : nullptr;
}

TStyle* TStyles::Get(int number) {
  TStyle* s = Item(number);
  if (!s) s = items_[0].get();
  return s->delegate ? s->delegate : s;
}

TStyle* TStyles::GetText(int number) {
  TStyle* s = Item(number);
  if (!s) s = items_[0].get();
  TStyle* t = s->textVariant;
  return t->delegate ? t->delegate : t;
}

void TStyles::ApplyBaseFont(TStyle& s, const TBaseFont& font, TColor background) {
  bool changed = false;
  if (!s.hasFontName && (s.drawFace.empty() || s.drawFace != font.face)) {
    s.drawFace = font.face;  // the style's own copy, so a later change of the face alone is seen
    changed = true;
  }
  if (s.fontSize == 0) {
    int pos = SizeLadderPos(font.size);
    if (pos < 0) pos = 4;
    int size = s.sizeStep != 100 ? SizeLadderAt(pos + s.sizeStep) : font.size;
    size = std::clamp(size, 1, 127);
    if (size != s.drawSize) {
      s.drawSize = static_cast<int8_t>(size);
      changed = true;
    }
  }
  if (s.fontStyle < 0 && font.bits != s.drawBits) {
    s.drawBits = static_cast<int8_t>(font.bits);
    changed = true;
  }
  if (s.fontColor == kNoColor) s.drawColor = font.color;
  if (s.bkColor == kNoColor) s.drawBkColor = background;
  if (changed) MeasureStyle(s);
}

void TStyles::SetNodeFont(const TBaseFont& font, TColor background) {
  nodeFontName_ = font.face;
  for (int i = 0; i < fixed_; ++i) ApplyBaseFont(*items_[i], font, background);
}

void TStyles::SetTextFont(const TBaseFont& font, TColor background) {
  textFontName_ = font.face;
  for (int i = 0; i < fixed_; ++i) ApplyBaseFont(*items_[i]->textVariant, font, background);
}

}  // namespace ql
