#include "platform/file_type.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cerrno>
#include <vector>

extern char** environ;

namespace ql {
namespace {

std::string DataHome() {
  const char* data = std::getenv("XDG_DATA_HOME");
  if (data && *data == '/') return data;
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : "/tmp") + "/.local/share";
}

void MakeFolders(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos; slash = path.find('/', slash + 1)) {
    ::mkdir(path.substr(0, slash).c_str(), 0755);
  }
  ::mkdir(path.c_str(), 0755);
}

// Writes through a temporary file so a reader never sees half an entry.
void WriteText(const std::string& path, const std::string& text) {
  const std::string temp = path + ".new";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0644);
  if (fd < 0) return;
  size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<size_t>(n);
  }
  const bool ok = ::close(fd) == 0 && done == text.size();
  if (!ok || ::rename(temp.c_str(), path.c_str()) != 0) ::unlink(temp.c_str());
}

// Runs a program found on PATH with its output discarded and waits for it; silent when missing.
void RunQuietly(const std::vector<std::string>& args) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  pid_t pid;
  if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) == 0) {
    int status;
    while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
  }
  posix_spawn_file_actions_destroy(&actions);
}

std::string XmlEscape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

std::string DesktopExecLine(const std::string& programPath) {
  // Inside a quoted argument ", `, $ and \ take a backslash; the value's own escaping then
  // doubles every backslash, and a literal "%" is written "%%".
  std::string quoted = "\"";
  for (char c : programPath) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  quoted += '"';
  std::string value;
  for (char c : quoted) {
    if (c == '\\') value += "\\\\";
    else if (c == '%') value += "%%";
    else value += c;
  }
  return value + " %f";
}

void RegisterFileType(const std::string& extension, const std::string& programPath) {
  const std::string data = DataHome();
  const std::string mimeType = "application/x-ql-" + extension;
  const std::string packages = data + "/mime/packages";
  const std::string applications = data + "/applications";
  MakeFolders(packages);
  MakeFolders(applications);
  WriteText(packages + "/ql-" + extension + ".xml",
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
            "  <mime-type type=\"" + XmlEscape(mimeType) + "\">\n"
            "    <comment>QL document</comment>\n"
            "    <comment xml:lang=\"ru\">Документ QL</comment>\n"
            "    <glob pattern=\"*." + XmlEscape(extension) + "\"/>\n"
            "  </mime-type>\n"
            "</mime-info>\n");
  WriteText(applications + "/ql-" + extension + ".desktop",
            "[Desktop Entry]\n"
            "Type=Application\n"
            "Name=QL\n"
            "Comment=Outliner\n"
            "Exec=" + DesktopExecLine(programPath) + "\n"
            "MimeType=" + mimeType + ";\n"
            "Terminal=false\n"
            "Categories=Office;\n");
  RunQuietly({"update-mime-database", data + "/mime"});
  RunQuietly({"update-desktop-database", applications});
}

}  // namespace ql
