// Random bytes through the tokenizer and every layout mode: nothing is read or written outside
// the text, and the lines stay inside it in order.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "fake_canvas.h"
#include "styles/draw_text.h"
#include "styles/fonts.h"
#include "styles/tokens.h"

namespace {

std::string RandomText(std::mt19937& rng) {
  static const char kAlphabet[] = "ab 1.e+-/*'\"\\@#${}()\r\n\x95\xE0_";
  std::string t(rng() % 200, ' ');
  for (char& c : t) c = rng() % 4 ? kAlphabet[rng() % (sizeof kAlphabet - 1)] : static_cast<char>(rng());
  return t;
}

TEST(RandomTextTest, ClassifyAndLayOutAnything) {
  std::mt19937 rng(2024);
  qltest::FakeDevice device;
  ql::TFonts fonts(&device);
  ql::TTokensH c(false), p(true);
  for (auto* t : {&c, &p}) {
    t->AddKeyword("ab");
    t->AddKeyword("b");
  }
  ql::TDrawLines lines;
  qltest::FakeCanvas canvas;
  for (int round = 0; round < 3000; ++round) {
    std::string text = RandomText(rng);
    ql::TTokensH* tok = round % 3 == 0 ? nullptr : (round % 3 == 1 ? &c : &p);
    if (tok) {
      std::vector<unsigned char> cl(text.size());
      tok->Classify(text.data(), cl.data(), text.size());
      for (unsigned char k : cl) ASSERT_LE(k, 5);
    }
    ql::TStyle s;
    s.drawFace = "Test";
    s.drawSize = 8 + rng() % 20;
    s.drawBits = static_cast<int8_t>(rng() % 4);
    s.wrapLine = static_cast<int8_t>(rng() % 2);
    s.eatSpace = static_cast<int8_t>(rng() % 2);
    s.wrapKind = static_cast<int8_t>(rng() % 2);
    s.wrapSpace = static_cast<int8_t>(rng() % 2);
    s.equalRows = 0;
    if (rng() % 2) {
      s.endSymbol = 0x95;
      if (s.wrapLine) s.startSymbol = 0x95;
    }
    s.tokenizer = tok;
    s.highlighting = tok ? 1 : 0;
    ASSERT_TRUE(ql::MeasureStyleWith(fonts, s));
    const int width = static_cast<int>(rng() % 120);
    for (auto mode : {ql::TLayoutMode::kCell, ql::TLayoutMode::kMeasureOnly, ql::TLayoutMode::kEdit}) {
      ql::Layout(s, text.data(), text.size(), width, mode, lines);
      ASSERT_GE(lines.Count(), 1);
      if (mode != ql::TLayoutMode::kEdit) {
        ASSERT_LE(lines.Count(), 1001);
      }
      size_t prev = 0;
      for (int k = 0; k < lines.Stored(); ++k) {
        const ql::TDrawLine& l = lines.Line(k);
        ASSERT_GE(l.start, prev);
        ASSERT_LE(l.start + l.length, text.size());
        prev = l.start + l.length;
      }
      if (mode == ql::TLayoutMode::kEdit) {
        // Every byte but line breaks and eaten blanks is on a line.
        size_t shown = 0;
        for (int k = 0; k < lines.Stored(); ++k) shown += lines.Line(k).length;
        size_t hidden = 0;
        for (char ch : text) hidden += ch == '\n' || ch == '\r' || ch == ' ';
        ASSERT_GE(shown + hidden, text.size());
        const int line = static_cast<int>(rng() % lines.Stored());
        size_t at = ql::CharAt(s, lines, static_cast<int>(rng() % 200), ql::LineTop(s, line), canvas);
        ASSERT_LE(at, text.size());
      }
      ql::Height(s, lines, static_cast<int>(rng() % 100));
      ql::Draw(s, lines, ql::TRect{0, 0, width, 60}, rng() % 2, canvas);
      canvas.texts.clear();
      canvas.fills.clear();
    }
  }
}

}  // namespace
