#pragma once
// qltool export FILE [--shift 0..4] [--num 0..3] [--no-text] [--opened] [--styles PATH]: prints
// the export of the whole document exactly as the outliner puts it on the clipboard, as UTF-8
// with CR LF line ends. Defaults: shift 3 (two spaces), num 3 (composite), long texts on, only
// opened off.
#include <string>
#include <vector>

namespace ql {

int RunExport(const std::vector<std::string>& args);

}  // namespace ql
