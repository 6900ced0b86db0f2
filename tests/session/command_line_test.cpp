#include "session/command_line.h"

#include <gtest/gtest.h>

namespace {

using ql::AbsolutePath;
using ql::JoinArguments;
using ql::ParseCommandLine;

struct LineCase {
  std::vector<std::string> args;
  std::string path;
  std::optional<uint32_t> id;
};

TEST(CommandLine, ArgumentsJoinedAndParsed) {
  const LineCase cases[] = {
      // An argument with a blank arrives quoted, its id as the next argument.
      {{"/docs/My Plan.qlt", "@125"}, "/docs/My Plan.qlt", 125u},
      // A path split by the caller at its blank: the unquoted text runs to the last ".qlt".
      {{"/docs/My", "Plan.qlt"}, "/docs/My Plan.qlt", std::nullopt},
      {{"/docs/My", "Plan.QLT", "@7"}, "/docs/My Plan.QLT", 7u},
      {{"Notes/Plan.qlt"}, "Notes/Plan.qlt", std::nullopt},
      {{"/a/b.qlt@12"}, "/a/b.qlt", 12u},
      // The last ".qlt" ends the path.
      {{"/a/x.qlt.qlt"}, "/a/x.qlt.qlt", std::nullopt},
      {{"/a/readme.txt"}, "/a/readme.txt", std::nullopt},
      // "@" without digits, or a number beyond 32 bits, gives no id.
      {{"/a/b.qlt", "@"}, "/a/b.qlt", std::nullopt},
      {{"/a/b.qlt", "@4294967296"}, "/a/b.qlt", std::nullopt},
      {{"/a/b.qlt", "@4294967295"}, "/a/b.qlt", 4294967295u},
  };
  for (const LineCase& c : cases) {
    const ql::TCommandLine cl = ParseCommandLine(JoinArguments(c.args));
    EXPECT_EQ(cl.Path, c.path) << JoinArguments(c.args);
    EXPECT_EQ(cl.NodeId, c.id) << JoinArguments(c.args);
  }
}

TEST(CommandLine, RawTextRules) {
  // A quoted path ends at the next quote; blanks before "@" are skipped.
  ql::TCommandLine cl = ParseCommandLine("\"/a b/c.qlt\"   @9 trailing");
  EXPECT_EQ(cl.Path, "/a b/c.qlt");
  EXPECT_EQ(cl.NodeId, 9u);
  // An unterminated quote runs to the end.
  cl = ParseCommandLine("\"/a b/c.qlt @9");
  EXPECT_EQ(cl.Path, "/a b/c.qlt @9");
  EXPECT_FALSE(cl.NodeId);
  // Unquoted text is trimmed at both ends.
  cl = ParseCommandLine("   /x/y z.qlt  @3  ");
  EXPECT_EQ(cl.Path, "/x/y z.qlt");
  EXPECT_EQ(cl.NodeId, 3u);
  EXPECT_EQ(ParseCommandLine("").Path, "");
}

TEST(CommandLine, RelativePathsAgainstWorkingFolder) {
  EXPECT_EQ(AbsolutePath("Plan.qlt", "/home/u"), "/home/u/Plan.qlt");
  EXPECT_EQ(AbsolutePath("./Notes//Plan.qlt", "/home/u/"), "/home/u/Notes/Plan.qlt");
  EXPECT_EQ(AbsolutePath("../Plan.qlt", "/home/u"), "/home/u/../Plan.qlt");
  EXPECT_EQ(AbsolutePath("/abs/Plan.qlt", "/home/u"), "/abs/Plan.qlt");
  EXPECT_TRUE(ql::HasQltExtension("a.QlT"));
  EXPECT_FALSE(ql::HasQltExtension("a.qlt.bak"));
  EXPECT_FALSE(ql::HasQltExtension("qlt"));
}

}  // namespace
