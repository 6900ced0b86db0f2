#pragma once
// What both targets share: a silent message hook and a style table with a few names.
#include <cstdio>
#include <cstdlib>

#include "base/message_hook.h"
#include "base/profile.h"
#include "model/tree.h"
#include "storage/style_table_names.h"
#include "styles/styles.h"

namespace qlfuzz {

inline ql::TStyles& Table() {
  static ql::TStyles* table = [] {
    ql::SetMessageHandler([](const ql::MsgRequest&) { return ql::MsgAnswer::Ok; });
    auto* t = new ql::TStyles;
    ql::TProfile ini;
    ini.Parse("[Code]\nKeyWords=if while\n[Head]\nFontStyle=1\n");
    t->Load(ini);
    return t;
  }();
  return *table;
}

inline void Require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "property failed: %s\n", what);
    std::abort();
  }
}

}  // namespace qlfuzz
