// Export as text: node sequences, numbering, indents, long texts and empty lines.
#include "find/text_export.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "find/doc_fixture.h"

using qltest::BuildDoc;
using qltest::DocNode;
using qltest::U;

namespace {

using Num = ql::TExportNum;

// Exports and returns UTF-8 text with "|" for every CR LF, or "refused".
std::string Export(const std::vector<DocNode>& doc, ql::TExportOptions o) {
  ql::TTTree t;
  BuildDoc(t, doc);
  std::string out;
  if (!ql::ExportText(t, o, out)) return out.empty() ? "refused" : "refused, text left";
  std::string shown;
  for (size_t i = 0; i < out.size(); ++i) {
    if (out.compare(i, 2, "\r\n") == 0) {
      shown += '|';
      ++i;
    } else {
      shown += out[i];
    }
  }
  return U(shown);
}

ql::TExportOptions All(Num num = Num::Composite) {
  ql::TExportOptions o;
  o.OnlySelected = false;
  o.OnlyOpened = false;
  o.Num = num;
  return o;
}

ql::TExportOptions Rows(int32_t top, int32_t bottom, Num num, bool onlyOpened = false) {
  ql::TExportOptions o;
  o.OnlySelected = true;
  o.OnlyOpened = onlyOpened;
  o.Top = top;
  o.Bottom = bottom;
  o.Num = num;
  return o;
}

TEST(TextExportTest, ExampleWithDefaults) {
  const std::vector<DocNode> doc = {{"A"}, {"B"}, {".B1", "note"}, {".B2"}, {"C"}};
  EXPECT_EQ(Export(doc, All()), "№1 A|№2 B|  №2.1 B1|note||  №2.2 B2||№3 C|");
  ql::TTTree t;
  BuildDoc(t, doc);
  std::string out;
  ASSERT_TRUE(ql::ExportText(t, All(), out));
  EXPECT_EQ(out.substr(0, 6), "\xB9" "1 A\r\n");
}

TEST(TextExportTest, NumberingAndIndentVariants) {
  const std::vector<DocNode> doc = {{"A"}, {"B"}, {".B1", "note"}, {".B2"}, {"..B21"}, {"C"}};
  struct Case {
    int32_t shiftItem;
    Num num;
    bool longTexts;
    const char* text;
  };
  const Case cases[] = {
      {3, Num::Composite, false, "№1 A|№2 B|  №2.1 B1|  №2.2 B2|    №2.2.1 B21||№3 C|"},
      {0, Num::Composite, false, "№1 A|№2 B|№2.1 B1|№2.2 B2|№2.2.1 B21||№3 C|"},
      {1, Num::Single, false, "№1 A|№2 B|\t№1 B1|\t№2 B2|\t\t№1 B21||№3 C|"},
      {2, Num::Dash, true, "-A|-B| -B1|note|| -B2|  -B21||-C|"},
      {4, Num::None, false, "A|B|   B1|   B2|      B21||C|"},
      {0, Num::None, false, "A|B|B1|B2|B21||C|"},
  };
  for (const Case& c : cases) {
    ql::TExportOptions o = All(c.num);
    ASSERT_TRUE(ql::ExportIndentOfItem(c.shiftItem, o.HasIndent, o.Indent));
    o.LongTexts = c.longTexts;
    EXPECT_EQ(Export(doc, o), c.text) << c.shiftItem << " " << int(c.num);
  }
  bool has;
  std::string_view indent;
  EXPECT_FALSE(ql::ExportIndentOfItem(5, has, indent));
  EXPECT_FALSE(ql::ExportIndentOfItem(-1, has, indent));
}

TEST(TextExportTest, SelectionsAndTitledFragments) {
  // Rows when everything is open: X 0, P 1, c1 2, g1 3, g2 4, c2 5, Q 6.
  const std::vector<DocNode> open = {{"X"}, {"P"}, {".c1"}, {"..g1"}, {"..g2"}, {".c2"}, {"Q"}};
  // P closed: rows X 0, P 1, Q 2.
  const std::vector<DocNode> closed = {{"X"},    {"P~"},   {".c1"}, {"..g1"},
                                       {"..g2"}, {".c2"}, {"Q"}};
  const std::vector<DocNode> five = {{"s1"}, {"s2"}, {"s3"}, {"s4"}, {"s5"}};
  struct Case {
    const std::vector<DocNode>* doc;
    ql::TExportOptions options;
    const char* text;
  };
  const Case cases[] = {
      // One selected closed node with its sub-nodes is a titled fragment.
      {&closed, Rows(1, 1, Num::Single), "P|  №1 c1|    №1 g1|    №2 g2||  №2 c2|"},
      {&closed, Rows(1, 1, Num::Composite), "P|  №1 c1|    №1.1 g1|    №1.2 g2||  №2 c2|"},
      // Only opened leaves the hidden sub-nodes out.
      {&closed, Rows(1, 1, Num::Composite, true), "P|"},
      {&closed, Rows(0, 2, Num::Composite, true), "№1 X|№2 P|№3 Q|"},
      {&closed, All(), "№1 X|№2 P|  №2.1 c1|    №2.1.1 g1|    №2.1.2 g2||  №2.2 c2||№3 Q|"},
      // An open last row stands for itself alone.
      {&open, Rows(1, 1, Num::Single), "P|"},
      // Third and fourth of five siblings.
      {&five, Rows(2, 3, Num::Single), "№1 s3|№2 s4|"},
      {&five, Rows(2, 3, Num::Composite), "№1 s3|№2 s4|"},
      {&five, Rows(2, 3, Num::Dash), "-s3|-s4|"},
      // A selection that starts below its smallest level: the unexported earlier sibling (P)
      // counts as number 1 and the children keep their own positions.
      {&open, Rows(4, 6, Num::Composite), "    №1.1.2 g2||  №1.2 c2||№2 Q|"},
      {&open, Rows(5, 6, Num::Composite), "  №1.2 c2||№2 Q|"},
      {&open, Rows(5, 6, Num::Single), "  №2 c2||№2 Q|"},
      {&open, Rows(3, 5, Num::Composite), "  №1.1 g1|  №1.2 g2||№2 c2|"},
      {&open, Rows(2, 6, Num::Dash, true), "  -c1|    -g1|    -g2||  -c2||-Q|"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Export(*c.doc, c.options), c.text)
        << c.options.Top << ".." << c.options.Bottom << " num " << int(c.options.Num);
  }
}

TEST(TextExportTest, LongTextsAndEmptyLines) {
  // A long text ending with a line break gives an empty line of its own, then the one added
  // before the next node.
  EXPECT_EQ(Export({{"A", "line\r\n"}, {"B"}}, All()), "№1 A|line|||№2 B|");
  EXPECT_EQ(Export({{"A", "one\r\ntwo"}, {".a1"}, {"B"}}, All()), "№1 A|one|two||  №1.1 a1||№2 B|");
  ql::TExportOptions noText = All();
  noText.LongTexts = false;
  EXPECT_EQ(Export({{"A", "line\r\n"}, {"B"}}, noText), "№1 A|№2 B|");
}

TEST(TextExportTest, NothingToExport) {
  const std::vector<DocNode> doc = {{"A"}, {"B"}};
  EXPECT_EQ(Export({}, All()), "refused");
  EXPECT_EQ(Export({}, Rows(0, 0, Num::None)), "refused");
  EXPECT_EQ(Export(doc, Rows(-1, 0, Num::None)), "refused");
  EXPECT_EQ(Export(doc, Rows(1, 0, Num::None)), "refused");
  EXPECT_EQ(Export(doc, Rows(0, 2, Num::None)), "refused");
  EXPECT_EQ(Export(doc, Rows(0, 2, Num::None, true)), "refused");
  EXPECT_EQ(Export(doc, Rows(1, 1, Num::None, true)), "B|");
}

}  // namespace
