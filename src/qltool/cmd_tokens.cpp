#include "qltool/cmd_tokens.h"

#include <cstdio>
#include <deque>
#include <iostream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "base/cp1251.h"
#include "styles/tokens.h"

namespace ql {
namespace {

int Usage() {
  std::fputs("usage: qltool tokens [--pascal] [--keywords \"w1 w2 ...\"] < text\n", stderr);
  return 2;
}

}  // namespace

int RunTokens(int argc, char** argv) {
  bool pascal = false;
  std::string keywords;
  for (int k = 0; k < argc; ++k) {
    std::string_view a = argv[k];
    if (a == "--pascal") {
      pascal = true;
    } else if (a == "--keywords" && k + 1 < argc) {
      keywords += ' ';
      keywords += argv[++k];
    } else if (a.starts_with("--keywords=")) {
      keywords += ' ';
      keywords += a.substr(11);
    } else {
      return Usage();
    }
  }

  // Keywords as Styles.ini's KeyWords gives them: 1251 words split at codes 0-32; the tokenizer
  // keeps pointers, so the words live as long as it does.
  TTokensH tokens(pascal);
  std::deque<std::string> words;
  const std::string list = Utf8ToCp1251(keywords);
  size_t p = 0;
  while (p < list.size()) {
    while (p < list.size() && static_cast<unsigned char>(list[p]) <= 32) ++p;
    size_t e = p;
    while (e < list.size() && static_cast<unsigned char>(list[e]) > 32) ++e;
    if (e > p) {
      words.emplace_back(list, p, e - p);
      if (!tokens.AddKeyword(words.back().c_str())) words.pop_back();
    }
    p = e;
  }

  std::string input((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
  const std::string text = Utf8ToCp1251(input);
  std::vector<unsigned char> classes(text.size());
  tokens.Classify(text.data(), classes.data(), text.size());
  std::string out(text.size() + 1, '\n');
  for (size_t i = 0; i < text.size(); ++i) out[i] = static_cast<char>('0' + classes[i]);
  std::fwrite(out.data(), 1, out.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}

}  // namespace ql
