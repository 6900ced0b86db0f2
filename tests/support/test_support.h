#pragma once
// Small helpers shared by the test programs: a temporary folder removed at the end of a test,
// and whole-file reads and writes.
#include <string>
#include <vector>

namespace qltest {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  // The folder, without a trailing "/".
  const std::string& Path() const { return path_; }
  // Path() + "/" + name.
  std::string operator/(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

void WriteFile(const std::string& path, const std::string& bytes);
// The file's bytes; empty when it cannot be read.
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);

struct ProgramRun {
  int rc = -1;  // exit code; 128 when the program did not exit normally, -1 when it did not start
  std::string out, err;
};
// Runs args[0] with args (no shell), its standard output and error captured in files of dir.
ProgramRun RunProgram(const TempDir& dir, std::vector<std::string> args);
// Runs the built qltool with args.
ProgramRun RunQltool(const TempDir& dir, std::vector<std::string> args);

}  // namespace qltest
