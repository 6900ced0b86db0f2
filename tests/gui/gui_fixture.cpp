#include "gui/gui_fixture.h"

#include <QApplication>

#include "model/model_fixture.h"

namespace qltest {

GridFixture::GridFixture(const std::vector<std::string>& outline, int clientHeight, int rowHeight,
                         int width) {
  grid = std::make_unique<ql::TGTree>();
  grid->setFrameShape(QFrame::NoFrame);
  grid->Attach(&doc);
  BuildTree(doc, outline);
  if (rowHeight > 0) {
    grid->OnGetRowH = [this, rowHeight](ql::TTNode* n) {
      ++measured;
      n->Height = rowHeight;
    };
  }
  grid->resize(width, clientHeight);
}

void GridFixture::Show() {
  grid->show();
  QApplication::processEvents();
  grid->repaint();
  QApplication::processEvents();
}

QImage GridFixture::Grab() {
  grid->viewport()->repaint();
  QApplication::processEvents();
  return grid->viewport()->grab().toImage();
}

std::vector<std::string> GridFixture::Rows() const { return RowNames(doc); }

std::vector<std::string> BigOutline(int n) {
  std::vector<std::string> out;
  out.reserve(size_t(n));
  for (int i = 0; i < n; ++i) out.push_back((i % 10 ? "." : "") + std::to_string(i));
  return out;
}

}  // namespace qltest
