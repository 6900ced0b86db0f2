// qltool: the command-line companion of QL over the core library.
#include <cstdio>
#include <cstring>

#include "qltool/cmd_tokens.h"

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "tokens") == 0) return ql::RunTokens(argc - 2, argv + 2);
  std::fputs("usage: qltool tokens [--pascal] [--keywords \"w1 w2 ...\"] < text\n", stderr);
  return 2;
}
