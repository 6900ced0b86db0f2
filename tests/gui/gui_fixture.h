#pragma once
// A grid over an outline-built document (see model/model_fixture.h), sized so that its client
// area is exactly the given height, with rows of fixed heights unless a painter measures them.
#include <QImage>
#include <memory>
#include <string>
#include <vector>

#include "gtree/gtree.h"
#include "model/tree.h"

namespace qltest {

struct GridFixture {
  ql::TTTree doc;
  std::unique_ptr<ql::TGTree> grid;
  int measured = 0;  // OnGetRowH calls

  // rowHeight > 0 installs an OnGetRowH that gives every row that height (and counts calls).
  GridFixture(const std::vector<std::string>& outline, int clientHeight, int rowHeight = 20,
              int width = 300);
  // Runs the first paint and the step it posts, then lays the rows out as opening does.
  void Show();
  QImage Grab();
  ql::TTNode* RowNode(int row) const { return grid->Tree.RowNode(row); }
  std::vector<std::string> Rows() const;
};

// A flat-and-nested outline of n nodes: every tenth node a top-level one, the rest its children.
std::vector<std::string> BigOutline(int n);

}  // namespace qltest
