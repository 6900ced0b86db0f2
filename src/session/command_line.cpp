#include "session/command_line.h"

#include <cctype>

namespace ql {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

size_t SkipBlanks(const std::string& s, size_t i) {
  while (i < s.size() && IsBlank(s[i])) ++i;
  return i;
}

std::optional<uint32_t> NodeIdAt(const std::string& s, size_t i) {
  i = SkipBlanks(s, i);
  if (i >= s.size() || s[i] != '@') return std::nullopt;
  ++i;
  uint64_t value = 0;
  size_t digits = 0;
  for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i, ++digits) {
    value = value * 10 + static_cast<uint64_t>(s[i] - '0');
    if (value > UINT32_MAX) return std::nullopt;
  }
  if (digits == 0) return std::nullopt;
  return static_cast<uint32_t>(value);
}

char Lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// Position just after the last ".qlt" (any case), or npos.
size_t EndOfLastQlt(const std::string& s) {
  static const char kExt[] = ".qlt";
  if (s.size() < 4) return std::string::npos;
  for (size_t i = s.size() - 4 + 1; i-- > 0;) {
    bool match = true;
    for (size_t k = 0; k < 4 && match; ++k) match = Lower(s[i + k]) == kExt[k];
    if (match) return i + 4;
  }
  return std::string::npos;
}

}  // namespace

std::string JoinArguments(const std::vector<std::string>& args) {
  std::string text;
  for (const std::string& arg : args) {
    if (!text.empty()) text += ' ';
    if (arg.find(' ') != std::string::npos) {
      text += '"' + arg + '"';
    } else {
      text += arg;
    }
  }
  return text;
}

TCommandLine ParseCommandLine(const std::string& text) {
  TCommandLine cl;
  const size_t start = SkipBlanks(text, 0);
  if (start < text.size() && text[start] == '"') {
    const size_t close = text.find('"', start + 1);
    if (close == std::string::npos) {
      cl.Path = text.substr(start + 1);
    } else {
      cl.Path = text.substr(start + 1, close - start - 1);
      cl.NodeId = NodeIdAt(text, close + 1);
    }
    return cl;
  }
  size_t end = text.size();
  while (end > start && IsBlank(text[end - 1])) --end;
  const std::string trimmed = text.substr(start, end - start);
  const size_t after = EndOfLastQlt(trimmed);
  if (after == std::string::npos) {
    cl.Path = trimmed;
  } else {
    cl.Path = trimmed.substr(0, after);
    cl.NodeId = NodeIdAt(trimmed, after);
  }
  return cl;
}

std::string AbsolutePath(const std::string& path, const std::string& workDir) {
  const std::string joined = !path.empty() && path[0] == '/' ? path : workDir + "/" + path;
  std::string out;
  size_t i = 0;
  while (i < joined.size()) {
    size_t next = joined.find('/', i);
    if (next == std::string::npos) next = joined.size();
    const std::string_view part(joined.data() + i, next - i);
    if (!part.empty() && part != ".") {
      out += '/';
      out += part;
    }
    i = next + 1;
  }
  if (out.empty()) out = "/";
  if (joined.size() > 1 && joined.back() == '/' && out.back() != '/') out += '/';
  return out;
}

bool HasQltExtension(const std::string& path) {
  return path.size() >= 4 && EndOfLastQlt(path) == path.size();
}

}  // namespace ql
