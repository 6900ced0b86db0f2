#include "styles/styles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/cp1251.h"
#include "base/profile.h"
#include "styles/measurer.h"
#include "styles/tokens.h"
#include "support/test_support.h"

namespace ql {
namespace {

// Loads a table from Styles.ini text (UTF-8, as on disk).
void LoadText(TStyles& t, const std::string& ini) {
  TProfile p;
  p.Parse(ini);
  t.Load(p);
}

// A style by its UTF-8 name.
TStyle* S(TStyles& t, const std::string& utf8) { return t.Find(Utf8ToCp1251(utf8)); }

std::vector<std::string> KeywordList(const TStyle* s) {
  std::vector<std::string> out;
  for (const TKeyword* k = s->keywords; k; k = k->next) out.emplace_back(k->text);
  return out;
}

bool HasKeyword(TTokensH* tok, const char* w) { return tok && tok->Keywords().Peek(w, std::strlen(w)); }

TEST(StylesLoad, MissingFileLeavesStyleZeroAlone) {
  qltest::TempDir dir;
  TStyles t;
  t.Load(dir.Path() + "/");
  ASSERT_EQ(t.Count(), 1);
  EXPECT_EQ(t.FixedCount(), 1);
  const TStyle* z = t.Get(0);
  EXPECT_EQ(z->name, "");
  EXPECT_EQ(t.Find(""), z);
  EXPECT_EQ(z->wrapLine, 1);
  EXPECT_EQ(z->wrapLine1, 1);
  EXPECT_EQ(z->eatSpace, 1);
  EXPECT_EQ(z->highlighting, 0);
  EXPECT_EQ(z->tokenizer, nullptr);
  EXPECT_EQ(z->fontStyle, -1);
  EXPECT_EQ(z->fontColor, kNoColor);
  EXPECT_EQ(z->wrapKind, 0);
  EXPECT_EQ(z->textVariant->wrapLine, 1);
  EXPECT_EQ(t.GetText(0), z->textVariant);
}

TEST(StylesLoad, EveryKeyFromTheFile) {
  qltest::TempDir dir;
  qltest::WriteFile(dir / "Styles.ini",
                    "[Полный]\n"
                    "FontSize=14\nDFontSize=3\nFontStyle=3\nFontColor=0x0000FF\nBkColor=cream\n"
                    "BranchColor=123\nFontName=Шрифт Один\nWrapLine=0\nWrapLine1=0\nEatSpace=0\n"
                    "WrapSpace=1\nWrapKind=0\nEqualRows=1\nTopSpace=-50\nBottomSpace=300\nPascal=0\n"
                    "Highlighting=0\n"
                    "[Пустой]\n");
  TStyles t;
  t.Load(dir.Path() + "/");
  ASSERT_EQ(t.Count(), 3);
  const TStyle* a = S(t, "Полный");
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->number, 1);
  EXPECT_EQ(a->fontSize, 14);
  EXPECT_EQ(a->sizeStep, 100);  // not read beside a size
  EXPECT_EQ(a->fontStyle, 3);
  EXPECT_EQ(a->fontColor, 0x0000FF);
  EXPECT_EQ(a->bkColor, 0xF0FBFF);
  EXPECT_EQ(a->branchColor, 123);
  EXPECT_EQ(a->fontName, Utf8ToCp1251("Шрифт Один"));
  EXPECT_EQ(a->wrapLine, 0);
  EXPECT_EQ(a->eatSpace, 0);
  EXPECT_EQ(a->wrapSpace, 1);
  EXPECT_EQ(a->wrapKind, 0);
  EXPECT_EQ(a->equalRows, 1);
  EXPECT_EQ(a->topSpace, -50);
  EXPECT_EQ(a->bottomSpace, 300);
  EXPECT_EQ(a->highlighting, 0);
  EXPECT_EQ(a->tokenizer, nullptr);
  EXPECT_EQ(a->drawFace, a->fontName);
  EXPECT_EQ(a->drawSize, 14);

  // Nothing configured: the finishing defaults, highlighted with the shared tokenizer.
  const TStyle* e = S(t, "Пустой");
  ASSERT_NE(e, nullptr);
  EXPECT_EQ(e->number, 2);
  EXPECT_EQ(e->fontSize, 0);
  EXPECT_EQ(e->sizeStep, 100);
  EXPECT_EQ(e->fontStyle, -1);
  EXPECT_EQ(e->fontColor, kNoColor);
  EXPECT_FALSE(e->hasFontName);
  EXPECT_EQ(e->wrapLine, 1);
  EXPECT_EQ(e->wrapLine1, 1);
  EXPECT_EQ(e->wrapSymbol, 0);
  EXPECT_EQ(e->eatSpace, 1);
  EXPECT_EQ(e->wrapSpace, 0);
  EXPECT_EQ(e->equalRows, 0);
  EXPECT_EQ(e->pascal, 0);
  EXPECT_EQ(e->topSpace, 0);
  EXPECT_EQ(e->bottomSpace, 0);
  EXPECT_EQ(e->highlighting, 1);
  EXPECT_EQ(e->wrapKind, 1);  // follows highlighting
  EXPECT_EQ(e->tokenizer, t.SharedTokenizer());
  EXPECT_FALSE(e->ownsTokenizer);
}

TEST(StylesLoad, A1251StyleFileWorksLikeAUtf8One) {
  qltest::TempDir dir;
  qltest::WriteFile(dir / "Styles.ini",
                    Utf8ToCp1251("[Заголовок]\nFontStyle=5\nKeyWords=Начало конец\n[Дочь]\nParent=Заголовок\n"));
  TStyles t;
  t.Load(dir.Path() + "/");
  ASSERT_EQ(t.Count(), 3);
  const TStyle* h = S(t, "Заголовок");
  ASSERT_NE(h, nullptr);
  EXPECT_EQ(h->fontStyle, 1);  // only the bold and italic bits count
  EXPECT_TRUE(HasKeyword(h->tokenizer, Utf8ToCp1251("Начало").c_str()));
  EXPECT_EQ(S(t, "Дочь")->fontStyle, 1);
}

TEST(StylesLoad, OutOfRangeValuesCountAsNotSet) {
  TStyles t;
  LoadText(t,
           "[p]\nTopSpace=7\nBottomSpace=8\nFontColor=green\n"
           "[c]\nParent=p\nTopSpace=301\nBottomSpace=-51\nFontColor=0x1000000\nFontSize=300\n");
  const TStyle* c = S(t, "c");
  EXPECT_EQ(c->topSpace, 7);
  EXPECT_EQ(c->bottomSpace, 8);
  EXPECT_EQ(c->fontColor, 0x008000);
  EXPECT_EQ(c->fontSize, 0);
}

TEST(StylesInherit, GrandchildTakesWhatItsParentInherited) {
  TStyles t;
  // The grandchild comes first: inheritance must not depend on the file order.
  LoadText(t,
           "[Внук]\nParent=Сын\nFontStyle=2\n"
           "[Сын]\nParent=Дед\nFontColor=red\nWrapLine=0\n"
           "[Дед]\nFontSize=18\nFontName=Arial\nFontStyle=1\nFontColor=blue\nBkColor=white\n"
           "WrapLine=1\nEqualRows=1\nTopSpace=25\nPascal=1\n");
  const TStyle* g = S(t, "Внук");
  EXPECT_EQ(g->fontSize, 18);
  EXPECT_EQ(g->fontName, "Arial");
  EXPECT_EQ(g->fontStyle, 2);
  EXPECT_EQ(g->fontColor, 0x0000FF);  // the son's, not the grandfather's
  EXPECT_EQ(g->bkColor, 0xFFFFFF);
  EXPECT_EQ(g->wrapLine, 0);
  EXPECT_EQ(g->equalRows, 1);
  EXPECT_EQ(g->topSpace, 25);
  EXPECT_EQ(g->pascal, 1);
  EXPECT_EQ(g->delegate, nullptr);
  EXPECT_EQ(t.Get(g->number), g);
  // The parents stay as they were.
  EXPECT_EQ(S(t, "Сын")->fontStyle, 1);
  EXPECT_EQ(S(t, "Дед")->fontColor, 0xFF0000);
}

TEST(StylesInherit, SizeStepIsInheritedOnlyWithoutASize) {
  TStyles t;
  LoadText(t,
           "[p]\nDFontSize=2\n[q]\nFontSize=9\n"
           "[a]\nParent=p\n[b]\nParent=p\nDFontSize=-1\n[c]\nParent=q\nDFontSize=3\n");
  EXPECT_EQ(S(t, "a")->sizeStep, 2);
  EXPECT_EQ(S(t, "b")->sizeStep, -1);
  EXPECT_EQ(S(t, "c")->fontSize, 9);
}

TEST(StylesInherit, CyclesInheritNothing) {
  TStyles t;
  LoadText(t,
           "[a]\nParent=b\nFontColor=red\n"
           "[b]\nParent=a\nFontSize=20\n"
           "[self]\nParent=self\nFontStyle=1\n"
           "[hang]\nParent=a\n"
           "[none]\nParent=nowhere\nWrapLine=0\n"
           "[case]\nParent=A\n");
  const TStyle* a = S(t, "a");
  const TStyle* b = S(t, "b");
  EXPECT_EQ(a->fontSize, 0);
  EXPECT_EQ(a->fontColor, 0x0000FF);
  EXPECT_EQ(b->fontColor, kNoColor);
  EXPECT_EQ(b->fontSize, 20);
  EXPECT_EQ(S(t, "hang")->fontColor, kNoColor);  // its chain never ends
  for (const char* n : {"a", "b", "self", "hang", "none", "case"}) {
    const TStyle* s = S(t, n);
    ASSERT_NE(s, nullptr) << n;
    EXPECT_EQ(s->delegate, nullptr) << n;
    EXPECT_EQ(t.Get(s->number), s) << n;
    EXPECT_EQ(s->wrapLine, std::string(n) == "none" ? 0 : 1) << n;
  }
  EXPECT_EQ(S(t, "case")->fontColor, kNoColor);  // parent names are case-sensitive
}

TEST(StylesTemp, TempStylesAreDroppedRenumberedAndNotFound) {
  TStyles t;
  LoadText(t,
           "[Первый]\nFontSize=9\n"
           "[База]\nTemp=1\nFontColor=red\nKeyWords=alpha beta\n"
           "[Дитя]\nParent=База\n"
           "[Последний]\nParent=База\nPascal=1\n");
  ASSERT_EQ(t.Count(), 4);
  EXPECT_EQ(t.FixedCount(), 4);
  EXPECT_EQ(S(t, "База"), nullptr);
  const char* names[] = {"", "Первый", "Дитя", "Последний"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(t.Item(i)->number, i);
    EXPECT_EQ(t.Item(i)->name, Utf8ToCp1251(names[i]));
  }
  EXPECT_EQ(t.Item(2)->fontColor, 0x0000FF);
  // A document naming the dropped style gets a document-only style.
  const int n = t.AddDocStyle(Utf8ToCp1251("База"));
  EXPECT_EQ(n, 4);
  EXPECT_TRUE(t.Item(n)->documentOnly);
}

// The child of a Temp style takes the parent's tokenizer itself (same mode); the tokenizer must
// outlive the dropped parent (AddressSanitizer catches a use after free here).
TEST(StylesTemp, ChildOfADroppedTempKeepsAWorkingTokenizer) {
  TStyles t;
  LoadText(t,
           "[База]\nTemp=1\nKeyWords=alpha beta\n"
           "[Дитя]\nParent=База\n"
           "[Паскаль]\nParent=База\nPascal=1\n"
           "[Свои]\nParent=База\nKeyWords=gamma\n");
  for (const char* n : {"Дитя", "Паскаль", "Свои"}) {
    TStyle* s = S(t, n);
    ASSERT_NE(s, nullptr);
    ASSERT_NE(s->tokenizer, nullptr) << n;
    EXPECT_EQ(s->highlighting, 1) << n;
    EXPECT_TRUE(HasKeyword(s->tokenizer, "alpha")) << n;
    EXPECT_TRUE(HasKeyword(s->tokenizer, "beta")) << n;
    unsigned char classes[8];
    s->tokenizer->Classify("alpha x;", classes, 8);
    EXPECT_TRUE(HasKeyword(s->textVariant->tokenizer, "alpha")) << n;
  }
  EXPECT_FALSE(S(t, "Дитя")->tokenizer->Pascal());
  EXPECT_TRUE(S(t, "Паскаль")->tokenizer->Pascal());
  EXPECT_TRUE(S(t, "Паскаль")->ownsTokenizer);
  EXPECT_TRUE(HasKeyword(S(t, "Свои")->tokenizer, "gamma"));
  EXPECT_EQ(KeywordList(S(t, "Дитя")), (std::vector<std::string>{"beta", "alpha"}));
}

TEST(StylesKeywords, WordRules) {
  TStyles t;
  LoadText(t,
           "[a]\nKeyWords=1abc foo foo\n"
           "[b]\nKeyWords=  _x\tЯблоко\x01 99 -q ab\n"
           "[c]\nKeyWords=1 2 3\n");
  const TStyle* a = S(t, "a");
  EXPECT_EQ(KeywordList(a), std::vector<std::string>{"foo"});
  ASSERT_NE(a->tokenizer, nullptr);
  EXPECT_TRUE(a->ownsTokenizer);
  EXPECT_EQ(a->tokenizer->Keywords().Count(), 1);
  EXPECT_EQ(a->highlighting, 1);
  EXPECT_EQ(KeywordList(S(t, "b")), (std::vector<std::string>{"ab", Utf8ToCp1251("Яблоко"), "_x"}));
  // Only unusable words: no tokenizer of its own, the shared one (Highlighting missing).
  const TStyle* c = S(t, "c");
  EXPECT_FALSE(c->ownsTokenizer);
  EXPECT_EQ(c->tokenizer, t.SharedTokenizer());
  EXPECT_EQ(c->keywords, nullptr);
}

TEST(StylesKeywords, HighlightingAndPascalRules) {
  struct Case {
    const char* name;
    int highlighting;
    enum { kNone, kShared, kOwn, kParents } tokenizer;
    bool pascalMode;
  } cases[] = {
      {"default", 1, Case::kShared, false},
      {"off", 0, Case::kNone, false},
      {"offPascal", 1, Case::kShared, false},  // shared keeps the first user's mode
      {"offUnderKeys", 1, Case::kParents, false},
      {"otherMode", 1, Case::kOwn, true},
      {"union", 1, Case::kOwn, false},
      {"offUnderOff", 0, Case::kNone, false},
  };
  TStyles t;
  LoadText(t,
           "[default]\n"
           "[off]\nHighlighting=0\n"
           "[offPascal]\nHighlighting=0\nPascal=1\n"
           "[keys]\nKeyWords=begin end\n"
           "[offUnderKeys]\nParent=keys\nHighlighting=0\n"
           "[otherMode]\nParent=keys\nPascal=1\n"
           "[union]\nParent=keys\nKeyWords=end loop\n"
           "[offUnderOff]\nParent=off\nHighlighting=0\n");
  TStyle* keys = S(t, "keys");
  for (const auto& c : cases) {
    const TStyle* s = S(t, c.name);
    ASSERT_NE(s, nullptr) << c.name;
    EXPECT_EQ(s->highlighting, c.highlighting) << c.name;
    switch (c.tokenizer) {
      case Case::kNone: EXPECT_EQ(s->tokenizer, nullptr) << c.name; break;
      case Case::kShared: EXPECT_EQ(s->tokenizer, t.SharedTokenizer()) << c.name; break;
      case Case::kParents: EXPECT_EQ(s->tokenizer, keys->tokenizer) << c.name; break;
      case Case::kOwn:
        EXPECT_TRUE(s->ownsTokenizer) << c.name;
        EXPECT_NE(s->tokenizer, keys->tokenizer) << c.name;
        break;
    }
    if (s->tokenizer) {
      EXPECT_EQ(s->tokenizer->Pascal(), c.pascalMode) << c.name;
    }
  }
  // The Pascal child holds a copy of the parent's set and shares its keyword list.
  EXPECT_TRUE(HasKeyword(S(t, "otherMode")->tokenizer, "begin"));
  EXPECT_EQ(S(t, "otherMode")->keywords, keys->keywords);
  // The union: the child has both sets, the parent only its own.
  TStyle* u = S(t, "union");
  EXPECT_EQ(u->tokenizer->Keywords().Count(), 3);
  EXPECT_EQ(KeywordList(u), (std::vector<std::string>{"begin", "loop", "end"}));
  EXPECT_EQ(keys->tokenizer->Keywords().Count(), 2);
  EXPECT_FALSE(HasKeyword(keys->tokenizer, "loop"));
}

TEST(StylesKeywords, SharedTokenizerTakesTheModeOfItsFirstUser) {
  TStyles t;
  LoadText(t, "[p]\nPascal=1\n[c]\nPascal=0\n");
  ASSERT_NE(t.SharedTokenizer(), nullptr);
  EXPECT_TRUE(t.SharedTokenizer()->Pascal());
  EXPECT_EQ(S(t, "c")->tokenizer, t.SharedTokenizer());
  EXPECT_EQ(S(t, "c")->pascal, 0);
}

TEST(StylesWrap, WrapSymbolRules) {
  TStyles t;
  LoadText(t,
           "[cut]\nIsWrapSymbol=1\nWrapLine=0\nWrapSpace=1\nEqualRows=1\n"
           "[wrap]\nIsWrapSymbol=1\nWrapLine=1\nWrapSpace=1\nEqualRows=1\nWrapLine1=0\n"
           "[plain]\nWrapSpace=1\nEqualRows=1\nWrapLine1=0\n");
  const TStyle* cut = S(t, "cut");
  EXPECT_EQ(cut->endSymbol, 0x95);
  EXPECT_EQ(cut->startSymbol, 0);
  EXPECT_EQ(cut->wrapSpace, 1);
  EXPECT_EQ(cut->equalRows, 1);
  EXPECT_EQ(cut->textVariant->wrapLine, 1);  // WrapLine1 missing

  const TStyle* wrap = S(t, "wrap");
  for (const TStyle* v : {wrap, static_cast<const TStyle*>(wrap->textVariant)}) {
    EXPECT_EQ(v->endSymbol, 0x95);
    EXPECT_EQ(v->startSymbol, 0x95);
    EXPECT_EQ(v->wrapSpace, 0);
    EXPECT_EQ(v->equalRows, 0);
  }
  EXPECT_EQ(wrap->wrapLine, 1);
  EXPECT_EQ(wrap->textVariant->wrapLine, 0);  // the text variant wraps by WrapLine1
  EXPECT_FALSE(wrap->textVariant->ownsTokenizer);

  const TStyle* plain = S(t, "plain");
  EXPECT_EQ(plain->endSymbol, 0);
  EXPECT_EQ(plain->wrapSpace, 1);
  EXPECT_EQ(plain->equalRows, 1);
  EXPECT_EQ(plain->textVariant->wrapLine, 0);
}

TEST(StylesLoad, MoreThanFifteenSectionsAndRepeatedNames) {
  std::string ini;
  for (int i = 1; i <= 40; ++i) ini += "[s" + std::to_string(i) + "]\nFontSize=" + std::to_string(i) + "\n";
  ini += "[s3]\nFontSize=99\n[]\nFontSize=7\n[S3]\n";
  TStyles t;
  LoadText(t, ini);
  ASSERT_EQ(t.Count(), 42);  // style 0, s1..s40, S3 (names are case-sensitive)
  EXPECT_GE(t.Capacity(), 42);
  for (int i = 1; i <= 40; ++i) {
    const TStyle* s = t.Find("s" + std::to_string(i));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->number, i);
    EXPECT_EQ(s->fontSize, i);
  }
  EXPECT_EQ(t.Get(0)->fontSize, 0);  // "[]" is not a style
}

TEST(StylesDocStyles, AddDropAndGet) {
  TStyles t;
  LoadText(t, "[a]\nFontSize=9\n[b]\n");
  ASSERT_EQ(t.FixedCount(), 3);
  EXPECT_EQ(t.AddDocStyle(""), 0);
  EXPECT_EQ(t.AddDocStyle("b"), 2);
  std::vector<int> numbers;
  for (int i = 0; i < 20; ++i) numbers.push_back(t.AddDocStyle("doc" + std::to_string(i)));
  EXPECT_EQ(numbers.front(), 3);
  EXPECT_EQ(numbers.back(), 22);
  EXPECT_EQ(t.AddDocStyle("doc5"), 8);
  EXPECT_EQ(t.Capacity(), 32);  // 16 doubled once
  TStyle* d = t.Item(8);
  EXPECT_TRUE(d->documentOnly);
  EXPECT_EQ(d->name, "doc5");
  EXPECT_EQ(d->newStyle, -1);
  EXPECT_EQ(t.Get(8), t.Item(0));
  EXPECT_EQ(t.GetText(8), t.Item(0)->textVariant);
  EXPECT_EQ(t.Get(1), t.Item(1));
  EXPECT_EQ(t.GetText(1), t.Item(1)->textVariant);
  EXPECT_EQ(t.Get(999), t.Item(0));
  EXPECT_EQ(t.Get(-1), t.Item(0));

  t.DropDocStyles();
  EXPECT_EQ(t.Count(), 3);
  EXPECT_EQ(t.Find("doc5"), nullptr);
  EXPECT_NE(t.Find("a"), nullptr);
  EXPECT_EQ(t.AddDocStyle("doc5"), 3);
}

struct MeasureLog {
  std::vector<std::string> faces;
  TStyleMeasurer previous;
  MeasureLog() {
    previous = SetStyleMeasurer([this](TStyle& s) { faces.push_back(s.name + "/" + s.drawFace); });
  }
  ~MeasureLog() { SetStyleMeasurer(previous); }
};

TEST(StylesFonts, SizeLadderStepsAndBaseFonts) {
  TStyles t;
  LoadText(t,
           "[up]\nDFontSize=2\n[down]\nDFontSize=-9\n[top]\nDFontSize=50\n[fixed]\nFontSize=11\nDFontSize=3\n"
           "[own]\nFontName=Courier New\nFontStyle=0\nFontColor=red\nBkColor=yellow\n");
  TBaseFont node{"Tahoma", 12, 1, 0x111111};
  t.SetNodeFont(node, 0xEEEEEE);
  EXPECT_EQ(S(t, "up")->drawSize, 16);
  EXPECT_EQ(S(t, "down")->drawSize, 8);
  EXPECT_EQ(S(t, "top")->drawSize, 28);
  EXPECT_EQ(S(t, "fixed")->drawSize, 11);
  EXPECT_EQ(t.Get(0)->drawSize, 12);
  EXPECT_EQ(t.Get(0)->drawFace, "Tahoma");
  EXPECT_EQ(t.Get(0)->drawBits, 1);
  EXPECT_EQ(t.Get(0)->drawColor, 0x111111);
  EXPECT_EQ(t.Get(0)->drawBkColor, 0xEEEEEE);
  const TStyle* own = S(t, "own");
  EXPECT_EQ(own->drawFace, "Courier New");
  EXPECT_EQ(own->drawBits, 0);
  EXPECT_EQ(own->drawColor, 0x0000FF);
  EXPECT_EQ(own->drawBkColor, 0x00FFFF);
  EXPECT_EQ(t.NodeFontName(), "Tahoma");

  // The text variants follow the text font only.
  t.SetTextFont({"Arial", 10, 2, 0x222222}, 0xDDDDDD);
  EXPECT_EQ(S(t, "up")->textVariant->drawSize, 12);  // 10 points, two steps up
  EXPECT_EQ(S(t, "up")->drawSize, 16);
  EXPECT_EQ(t.GetText(0)->drawFace, "Arial");
  EXPECT_EQ(t.GetText(0)->drawBkColor, 0xDDDDDD);
  EXPECT_EQ(t.Get(0)->drawFace, "Tahoma");
  // A size off the ladder counts as position 4 (12 points) for steps.
  t.SetNodeFont({"Tahoma", 13, 1, 0}, 0);
  EXPECT_EQ(S(t, "up")->drawSize, 16);
  EXPECT_EQ(t.Get(0)->drawSize, 13);
}

TEST(StylesFonts, MeasuresWhenConfiguredAndWhenTheBaseFontChanges) {
  MeasureLog log;
  TStyles t;
  LoadText(t, "[full]\nFontName=Arial\nFontSize=10\nFontStyle=0\n[part]\nFontName=Arial\nFontSize=10\n");
  EXPECT_EQ(log.faces, std::vector<std::string>{"full/Arial"});  // face, size and style all given
  log.faces.clear();
  const TBaseFont f{"Tahoma", 10, 0, 0};
  t.SetNodeFont(f, 0xFFFFFF);
  EXPECT_EQ(log.faces, (std::vector<std::string>{"/Tahoma", "part/Arial"}));
  log.faces.clear();
  t.SetNodeFont(f, 0xFFFFFF);  // nothing changed: nothing measured
  EXPECT_TRUE(log.faces.empty());
  t.SetNodeFont({"Verdana", 10, 0, 0x123456}, 0);  // only the face of style 0 changes
  EXPECT_EQ(log.faces, std::vector<std::string>{"/Verdana"});
}

TEST(StylesLoad, ShippedStyleFile) {
  TStyles t;
  t.Load(std::string(QL_SOURCE_DIR) + "/data/");
  EXPECT_EQ(t.Count(), 6);
  EXPECT_EQ(S(t, "Программа"), nullptr);
  const TStyle* code = S(t, "Код");
  ASSERT_NE(code, nullptr);
  EXPECT_EQ(code->fontName, "Courier New");
  EXPECT_EQ(code->pascal, 0);
  EXPECT_TRUE(HasKeyword(code->tokenizer, "while"));
  const TStyle* pas = S(t, "Паскаль");
  ASSERT_NE(pas, nullptr);
  EXPECT_EQ(pas->pascal, 1);
  EXPECT_TRUE(pas->tokenizer->Pascal());
  EXPECT_TRUE(HasKeyword(pas->tokenizer, "begin"));
  EXPECT_EQ(S(t, "Важное")->fontColor, 0x0000FF);
  EXPECT_EQ(S(t, "Заголовок")->highlighting, 0);
  EXPECT_EQ(S(t, "Заметка")->fontStyle, 2);
}

TEST(StylesLoad, GlobalTableAndReloading) {
  TStyles& g = TStyles::Global();
  EXPECT_EQ(&g, &TStyles::Global());
  EXPECT_GE(g.Count(), 1);
  TStyles t;
  LoadText(t, "[a]\nKeyWords=x\n");
  t.AddDocStyle("d");
  LoadText(t, "[b]\n");  // a second load starts afresh
  EXPECT_EQ(t.Count(), 2);
  EXPECT_EQ(t.Find("a"), nullptr);
  EXPECT_EQ(t.Find("d"), nullptr);
}

}  // namespace
}  // namespace ql
