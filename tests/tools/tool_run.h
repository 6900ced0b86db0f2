#pragma once
// Runs the built console tools and builds the folder trees they work on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/test_support.h"

namespace qltest {

struct ToolResult {
  int code = -1;       // exit code, or -1 when the tool did not exit normally
  std::string output;  // everything written to stdout and stderr
};

// Runs QL_BIN_DIR/<tool> with the arguments (no shell), in `cwd` when it is not empty.
ToolResult RunTool(const std::string& tool, const std::vector<std::string>& args,
                   const std::string& cwd = "");

// Today's local date as the tools stamp it: "2024-03-07".
std::string Today();

// Sleeps through the last seconds of a day, if the local time is there.
void WaitPastMidnight();

// Makes a file with its folders.
void Make(const std::string& path, const std::string& bytes = "x");
void MakeFolder(const std::string& path);
bool IsLink(const std::string& path);
bool IsFolder(const std::string& path);
// Names in a folder, sorted; empty when it cannot be read.
std::vector<std::string> Names(const std::string& folder);

// A temporary folder per test, and the exit code of a run that must print nothing.
// Tests that depend on the date start well clear of midnight, so the date they compute is the
// one the tools stamp.
class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override { WaitPastMidnight(); }
  int Run(const std::string& tool, const std::vector<std::string>& args, const std::string& cwd = "") {
    ToolResult r = RunTool(tool, args, cwd);
    EXPECT_EQ(r.output, "") << tool;
    return r.code;
  }
  std::string P(const std::string& name) const { return dir_ / name; }

  TempDir dir_;
};

}  // namespace qltest
