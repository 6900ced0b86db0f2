#include "base/profile.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "base/cp1251.h"

namespace ql {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

// At most maxChars code points of s.
std::string_view CutChars(std::string_view s, size_t maxChars) {
  if (maxChars >= s.size()) return s;
  size_t i = 0;
  for (size_t chars = 0; i < s.size() && chars < maxChars; ++chars) {
    NextUtf8(s, i);
  }
  return s.substr(0, i);
}

std::string_view StripQuotes(std::string_view v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

// Line breaks and NULs inside a written text would change the file's structure.
std::string OneLine(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c == '\r' || c == '\n' || c == '\0') c = ' ';
  }
  return out;
}

}  // namespace

std::string TProfile::FoldName(std::string_view name) { return LowerUtf8(name); }

bool TProfile::Load(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    Parse({});
    return false;
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  Parse(bytes);
  return true;
}

void TProfile::Parse(std::string_view bytes) {
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  std::string converted;
  if (!IsValidUtf8(bytes)) {
    converted = Cp1251ToUtf8(bytes);
    bytes = converted;
  }
  lines_.clear();
  size_t start = 0;
  for (size_t i = 0; i <= bytes.size(); ++i) {
    if (i < bytes.size() && bytes[i] != '\n' && bytes[i] != '\r' && bytes[i] != '\0') continue;
    if (i < bytes.size() || start < i) lines_.emplace_back(bytes.substr(start, i - start));
    if (i + 1 < bytes.size() && bytes[i] == '\r' && bytes[i + 1] == '\n') ++i;
    start = i + 1;
  }
  Reindex();
}

void TProfile::Reindex() {
  sections_.clear();
  sectionIndex_.clear();
  Section* cur = nullptr;
  for (size_t i = 0; i < lines_.size(); ++i) {
    const std::string_view t = Trim(lines_[i]);
    if (t.empty() || t[0] == ';') continue;
    if (t[0] == '[') {
      const size_t close = t.rfind(']');
      if (close == std::string_view::npos) continue;  // a damaged header: neither section nor entry
      Section s;
      s.name = std::string(Trim(t.substr(1, close - 1)));
      s.header = s.lastLine = i;
      sections_.push_back(std::move(s));
      sectionIndex_.emplace(FoldName(sections_.back().name), sections_.size() - 1);
      cur = &sections_.back();
      continue;
    }
    const size_t eq = t.find('=');
    if (!cur || eq == std::string_view::npos) continue;
    Entry e;
    e.key = std::string(Trim(t.substr(0, eq)));
    e.fold = FoldName(e.key);
    e.value = std::string(Trim(t.substr(eq + 1)));
    e.line = i;
    cur->entries.push_back(std::move(e));
    cur->lastLine = i;
  }
}

const TProfile::Section* TProfile::FindSection(std::string_view name) const {
  const auto it = sectionIndex_.find(FoldName(Trim(name)));
  return it == sectionIndex_.end() ? nullptr : &sections_[it->second];
}

const TProfile::Entry* TProfile::FindEntry(const Section& s, std::string_view key) {
  const std::string fold = FoldName(Trim(key));
  for (const Entry& e : s.entries) {
    if (e.fold == fold) return &e;
  }
  return nullptr;
}

std::string TProfile::Text() const {
  std::string out;
  for (const std::string& line : lines_) {
    out += line;
    out += '\n';
  }
  return out;
}

bool TProfile::Save(const std::string& path) const {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path target(path);
  if (fs::is_symlink(target, ec)) {
    const fs::path resolved = fs::canonical(target, ec);
    if (ec) return false;
    target = resolved;
  }
  const std::string name = target.filename().string();
  std::random_device rd;
  std::FILE* f = nullptr;
  fs::path temp;
  for (int attempt = 0; attempt < 50 && !f; ++attempt) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08x.tmp", static_cast<unsigned>(rd()));
    temp = target.parent_path() / ("." + name + suffix);
    f = std::fopen(temp.c_str(), "wbx");
    if (!f && errno != EEXIST) return false;
  }
  if (!f) return false;
  const std::string text = Text();
  bool ok = std::fwrite(text.data(), 1, text.size(), f) == text.size();
  ok = (std::fflush(f) == 0) && ok;
  ok = (std::fclose(f) == 0) && ok;
  if (ok) {
    const fs::file_status st = fs::status(target, ec);
    if (!ec && fs::exists(st)) fs::permissions(temp, st.permissions(), ec);
    fs::rename(temp, target, ec);
    ok = !ec;
  }
  if (!ok) fs::remove(temp, ec);
  return ok;
}

std::vector<std::string> TProfile::SectionNames() const {
  std::vector<std::string> names;
  names.reserve(sections_.size());
  for (const Section& s : sections_) names.push_back(s.name);
  return names;
}

bool TProfile::HasSection(std::string_view section) const { return FindSection(section) != nullptr; }

std::string TProfile::GetString(std::string_view section, std::string_view key, std::string_view def,
                                size_t maxChars) const {
  const Section* s = FindSection(section);
  const Entry* e = s ? FindEntry(*s, key) : nullptr;
  const std::string_view v = e ? StripQuotes(e->value) : def;
  return std::string(CutChars(v, maxChars));
}

int TProfile::GetInt(std::string_view section, std::string_view key, int def) const {
  const Section* s = FindSection(section);
  const Entry* e = s ? FindEntry(*s, key) : nullptr;
  if (!e) return def;
  const std::string_view v = StripQuotes(e->value);
  size_t i = 0;
  while (i < v.size() && IsSpace(v[i])) ++i;
  bool negative = false;
  if (i < v.size() && (v[i] == '+' || v[i] == '-')) negative = v[i++] == '-';
  if (i >= v.size() || v[i] < '0' || v[i] > '9') return def;
  long long n = 0;
  for (; i < v.size() && v[i] >= '0' && v[i] <= '9'; ++i) {
    if (n <= INT_MAX) n = n * 10 + (v[i] - '0');
  }
  if (negative) n = -n;
  if (n > INT_MAX) return INT_MAX;
  if (n < INT_MIN) return INT_MIN;
  return static_cast<int>(n);
}

std::vector<std::pair<std::string, std::string>> TProfile::SectionEntries(std::string_view section) const {
  std::vector<std::pair<std::string, std::string>> out;
  if (const Section* s = FindSection(section)) {
    for (const Entry& e : s->entries) out.emplace_back(e.key, e.value);
  }
  return out;
}

std::vector<std::string> TProfile::SectionLines(std::string_view section) const {
  std::vector<std::string> out;
  for (auto& [k, v] : SectionEntries(section)) out.push_back(k + "=" + v);
  return out;
}

void TProfile::SetString(std::string_view section, std::string_view key, std::string_view value) {
  const std::string sec = OneLine(Trim(section));
  const std::string k = OneLine(Trim(key));
  const std::string v = OneLine(value);
  if (const Section* s = FindSection(sec)) {
    if (const Entry* e = FindEntry(*s, k)) {
      lines_[e->line] = e->key + "=" + v;
    } else {
      lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(s->lastLine + 1), k + "=" + v);
    }
  } else {
    if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
    lines_.push_back("[" + sec + "]");
    lines_.push_back(k + "=" + v);
  }
  Reindex();
}

void TProfile::SetInt(std::string_view section, std::string_view key, int value) {
  SetString(section, key, std::to_string(value));
}

bool TProfile::DeleteKey(std::string_view section, std::string_view key) {
  const Section* s = FindSection(section);
  const Entry* e = s ? FindEntry(*s, key) : nullptr;
  if (!e) return false;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(e->line));
  Reindex();
  return true;
}

bool TProfile::DeleteSection(std::string_view section) {
  const Section* s = FindSection(section);
  if (!s) return false;
  const size_t from = s->header;
  size_t to = lines_.size();
  const size_t idx = static_cast<size_t>(s - sections_.data());
  if (idx + 1 < sections_.size()) to = sections_[idx + 1].header;
  lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(from), lines_.begin() + static_cast<std::ptrdiff_t>(to));
  Reindex();
  return true;
}

std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view def,
                                    const std::string& path, size_t maxChars) {
  TProfile p;
  p.Load(path);
  return p.GetString(section, key, def, maxChars);
}

int GetPrivateProfileInt(std::string_view section, std::string_view key, int def, const std::string& path) {
  TProfile p;
  p.Load(path);
  return p.GetInt(section, key, def);
}

std::vector<std::string> GetPrivateProfileSectionNames(const std::string& path) {
  TProfile p;
  p.Load(path);
  return p.SectionNames();
}

std::vector<std::string> GetPrivateProfileSection(std::string_view section, const std::string& path) {
  TProfile p;
  p.Load(path);
  return p.SectionLines(section);
}

bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               const std::string& path) {
  TProfile p;
  std::error_code ec;
  // A file that exists but cannot be read must not be replaced by this one entry.
  if (!p.Load(path) && std::filesystem::exists(path, ec)) return false;
  p.SetString(section, key, value);
  return p.Save(path);
}

bool DeletePrivateProfileKey(std::string_view section, std::string_view key, const std::string& path) {
  TProfile p;
  std::error_code ec;
  if (!p.Load(path)) return !std::filesystem::exists(path, ec);  // a missing file has no key
  if (!p.DeleteKey(section, key)) return true;
  return p.Save(path);
}

}  // namespace ql
