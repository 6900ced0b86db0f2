#include "tools/tool_run.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <filesystem>

namespace qltest {

ToolResult RunTool(const std::string& tool, const std::vector<std::string>& args,
                   const std::string& cwd) {
  TempDir out_dir;
  const std::string out_path = out_dir / "output";
  const std::string exe = std::string(QL_BIN_DIR) + "/" + tool;
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(exe.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);

  ToolResult result;
  pid_t pid = fork();
  if (pid == 0) {
    int out = open(out_path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    int in = open("/dev/null", O_RDONLY);
    if (out < 0 || in < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(out, 2) < 0) _exit(126);
    if (!cwd.empty() && chdir(cwd.c_str()) != 0) _exit(126);
    execv(exe.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return result;
  if (WIFEXITED(status)) result.code = WEXITSTATUS(status);
  result.output = ReadFile(out_path);
  return result;
}

std::string Today() {
  std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d", &t);
  // The tools write the year unpadded; it has four digits for the next few thousand years.
  return text;
}

void WaitPastMidnight() {
  std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  int left = 24 * 3600 - (t.tm_hour * 3600 + t.tm_min * 60 + t.tm_sec);
  if (left <= 10) sleep(static_cast<unsigned>(left + 1));
}

void Make(const std::string& path, const std::string& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  WriteFile(path, bytes);
}

void MakeFolder(const std::string& path) { std::filesystem::create_directories(path); }

bool IsLink(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode);
}

bool IsFolder(const std::string& path) {
  struct stat st;
  return lstat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<std::string> Names(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (auto it = std::filesystem::directory_iterator(folder, ec);
       !ec && it != std::filesystem::directory_iterator(); it.increment(ec)) {
    names.push_back(it->path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace qltest
