#pragma once
// Lower-casing of UTF-8 file names, one character at a time: characters of the 1251 repertoire
// (Latin and Cyrillic letters) take the 1251 lower-case mapping; every other character, and every
// byte that is not well-formed UTF-8, stays as it is, so two different names outside 1251 never
// become equal.
#include <string>
#include <string_view>

namespace ql::tools {

std::string LowerName(std::string_view name);

}  // namespace ql::tools
