#include "tools/lower_name.h"

#include "base/cp1251.h"

namespace ql::tools {

std::string LowerName(std::string_view name) { return LowerUtf8(name); }

}  // namespace ql::tools
