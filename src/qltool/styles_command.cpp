// qltool styles: the style table after loading, as JSON.
#include <algorithm>
#include <iostream>
#include <nlohmann/json.hpp>

#include "base/cp1251.h"
#include "qltool/commands.h"
#include "qltool/tool.h"
#include "styles/styles.h"
#include "styles/tokens.h"

namespace ql {

int CmdStyles(const std::vector<std::string>& args) {
  TToolArgs a;
  if (!ParseToolArgs(args, 0, 0, a)) return kExitUsage;
  TStyles table;
  LoadStyleTable(table, a.styles);
  nlohmann::ordered_json out = nlohmann::ordered_json::array();
  for (int i = 0; i < table.Count(); ++i) {
    const TStyle& s = *table.Item(i);
    nlohmann::ordered_json tokenizer = nullptr;
    std::vector<std::string> keywords;
    if (s.tokenizer) {
      tokenizer = s.tokenizer->Pascal() ? "pascal" : "c";
      s.tokenizer->Keywords().ForEach([&](const char* word) { keywords.push_back(Cp1251ToUtf8(word)); });
      std::sort(keywords.begin(), keywords.end());
    }
    out.push_back({{"number", i},
                   {"name", Cp1251ToUtf8(s.name)},
                   {"fontName", s.hasFontName ? nlohmann::ordered_json(Cp1251ToUtf8(s.fontName)) : nullptr},
                   {"fontSize", s.fontSize},
                   {"sizeStep", s.sizeStep},
                   {"fontStyle", s.fontStyle},
                   {"fontColor", s.fontColor},
                   {"bkColor", s.bkColor},
                   {"branchColor", s.branchColor},
                   {"highlighting", s.highlighting},
                   {"wrapLine", s.wrapLine},
                   {"wrapLine1", s.wrapLine1},
                   {"wrapSymbol", s.wrapSymbol},
                   {"eatSpace", s.eatSpace},
                   {"wrapSpace", s.wrapSpace},
                   {"wrapKind", s.wrapKind},
                   {"equalRows", s.equalRows},
                   {"pascal", s.pascal},
                   {"topSpace", s.topSpace},
                   {"bottomSpace", s.bottomSpace},
                   {"startSymbol", s.startSymbol},
                   {"endSymbol", s.endSymbol},
                   {"tokenizer", tokenizer},
                   {"keywords", keywords}});
  }
  std::cout << out.dump() << '\n';
  std::cout.flush();
  return std::cout ? kExitOk : kExitFailure;
}

}  // namespace ql
