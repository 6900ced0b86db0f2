#pragma once
// qltool subst FILE PATTERN REPLACEMENT [--out OUT] [--case] [--words] [--no-nodes] [--no-texts]
// [--opened] [--count] [--styles PATH]: replaces every occurrence in the whole document and
// prints the total; with --out (and without --count) writes the changed document as version 4.
// The input file is never changed.
#include <string>
#include <vector>

namespace ql {

int RunSubst(const std::vector<std::string>& args);

}  // namespace ql
