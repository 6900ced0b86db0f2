#pragma once
// qltool tokens [--pascal] [--keywords "w1 w2 ..."]: classifies UTF-8 text read from stdin (as
// 1251 bytes) and prints one token-class digit per byte, then a newline.

namespace ql {

// argv holds the arguments after the command word. Returns the exit code: 0, or 2 for bad
// arguments (with a message on stderr).
int RunTokens(int argc, char** argv);

}  // namespace ql
