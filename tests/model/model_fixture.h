#pragma once
// Builds small document trees for the model tests from an outline: each entry is a node name
// prefixed by one "." per level; a trailing "-" makes the node closed (nodes are open
// otherwise). Node i gets id i + 1 and the name as its Text.
#include <string>
#include <vector>

#include "model/tree.h"

namespace qltest {

void BuildTree(ql::TTTree& t, const std::vector<std::string>& outline);
// The tree back as the same outline, from the parent pointers after Relink.
std::vector<std::string> Outline(const ql::TTTree& t);
// Names of the visible rows in order.
std::vector<std::string> RowNames(const ql::TTTree& t);
// The node whose Text is `name`, or null.
ql::TTNode* Node(const ql::TTTree& t, const std::string& name);
// Names of the nodes at positions start..end-1, joined by blanks.
std::string Names(const ql::TTTree& t, int start, int end);

}  // namespace qltest
