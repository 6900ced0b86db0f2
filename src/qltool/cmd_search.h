#pragma once
// qltool search FILE PATTERN [--case] [--words] [--no-nodes] [--no-texts] [--opened]
// [--styles PATH]: prints every occurrence as a JSON array of {"number", "id", "position",
// "level", "offset", "inLongText", "match"}; "offset" is the byte offset in the stored 1251 text
// (a CR LF counts 2). Letter case is ignored unless --case.
#include <string>
#include <vector>

namespace ql {

class TFindRes;
class TSubstRes;
struct TCmdOptions;

int RunSearch(const std::vector<std::string>& args);

// Applies the matching options shared by search and subst.
void ApplyFindOptions(const TCmdOptions& o, TFindRes& res);
void ApplyFindOptions(const TCmdOptions& o, TSubstRes& res);

}  // namespace ql
