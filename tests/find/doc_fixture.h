#pragma once
// Small documents for the search, substitute and export tests, built from an outline: each entry
// is a node's text (UTF-8) after one "." per level; a trailing "~" makes the node closed (nodes
// are open otherwise); an optional long text follows. Node i gets id i + 1.
#include <string>
#include <vector>

#include "model/tree.h"

namespace qltest {

struct DocNode {
  std::string outline;
  std::string ltext = {};
};

void BuildDoc(ql::TTTree& t, const std::vector<DocNode>& nodes);
// UTF-8 to document bytes, and back.
std::string W(const std::string& utf8);
std::string U(const std::string& cp1251);

}  // namespace qltest
