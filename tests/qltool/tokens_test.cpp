// Runs the built qltool on text given on stdin.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/test_support.h"

namespace {

struct Result {
  int status = -1;
  std::string out;
};

Result RunQltool(const std::string& args, const std::string& input) {
  qltest::TempDir dir;
  qltest::WriteFile(dir / "in.txt", input);
  std::string cmd = std::string(QL_BIN_DIR) + "/qltool " + args + " < '" + (dir / "in.txt") +
                    "' 2>/dev/null";
  Result r;
  FILE* f = popen(cmd.c_str(), "r");
  if (!f) return r;
  char buf[4096];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, f)) > 0) r.out.append(buf, n);
  int st = pclose(f);
  r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
  return r;
}

TEST(QltoolTokensTest, PrintsOneClassDigitPerByte) {
  const struct {
    const char* args;
    std::string input;
    const char* out;
  } cases[] = {
      {"tokens", "", "\n"},
      {"tokens", "x = 1.5e-3; // c", "0000222222004444\n"},
      {"tokens --keywords 'if  while\tif 9x'", "if (a) while", "110000011111\n"},
      {"tokens --pascal --keywords 'begin Begin'", "BEGIN {$R+} 'it''s' #13", "11111055555022222220222\n"},
      {"tokens --keywords=для", "для Для", "1110000\n"},  // UTF-8 in, one digit per 1251 byte
      {"tokens --keywords \xE2\x82\xAC", "\xE2\x82\xAC 1", "102\n"},  // the euro sign is one 1251 byte
  };
  for (const auto& c : cases) {
    Result r = RunQltool(c.args, c.input);
    EXPECT_EQ(r.status, 0) << c.args;
    EXPECT_EQ(r.out, c.out) << c.args << " <<< " << c.input;
  }
}

TEST(QltoolTokensTest, BadArgumentsAreRefused) {
  EXPECT_EQ(RunQltool("tokens --frobnicate", "x").status, 2);
  EXPECT_EQ(RunQltool("tokens --keywords", "x").status, 2);
}

}  // namespace
