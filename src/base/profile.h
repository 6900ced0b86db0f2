#pragma once
// Profile (INI) files with the behaviour of the Windows private-profile functions, as the
// program's settings and style files expect it.
//
// Reading: a file whose bytes are valid UTF-8 is read as UTF-8 (a leading byte-order mark is
// dropped), any other as Windows-1251; the texts handed out are UTF-8. Lines end at LF, CR or
// NUL. "[name]" starts a section (blanks around the name are dropped; a line with "[" but no "]"
// is ignored); "key=value" is an entry, key and value trimmed of surrounding blanks; lines
// starting with ";" and lines without "=" are not entries. Section and key names match ignoring
// letter case (ASCII and Cyrillic); the first matching section, and in it the first matching
// key, is the one read and written. Damaged files read as far as they make sense.
//
// Writing keeps every other line as it was and saves the whole file as UTF-8 through a temporary
// file in the same folder renamed over the old one, so a failed write leaves the old file intact.
#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace ql {

class TProfile {
 public:
  TProfile() = default;

  // Reads the file; a missing or unreadable file gives an empty profile and false.
  bool Load(const std::string& path);
  // Parses file bytes (either encoding).
  void Parse(std::string_view bytes);
  // Writes the profile to path (temporary file + rename); false when that failed.
  bool Save(const std::string& path) const;
  // The file text as it would be saved.
  std::string Text() const;

  // Section names in file order (a repeated section is listed each time it occurs).
  std::vector<std::string> SectionNames() const;
  bool HasSection(std::string_view section) const;
  // The value, with one pair of matching enclosing quotes (" or ') removed, or def when the
  // section or key is missing. At most maxChars characters are returned.
  std::string GetString(std::string_view section, std::string_view key, std::string_view def = {},
                        size_t maxChars = std::string::npos) const;
  // Leading blanks, an optional sign and decimal digits up to the first other character; def
  // when the key is missing or its value has no digits. Values beyond int saturate.
  int GetInt(std::string_view section, std::string_view key, int def) const;
  // The entries of the first matching section as (key, value) pairs, values as they stand.
  std::vector<std::pair<std::string, std::string>> SectionEntries(std::string_view section) const;
  // The same as "key=value" lines.
  std::vector<std::string> SectionLines(std::string_view section) const;

  // Replaces the key's value in place, or adds the entry at the end of its section, or adds the
  // section at the end of the file. Line breaks in the texts are written as blanks.
  void SetString(std::string_view section, std::string_view key, std::string_view value);
  void SetInt(std::string_view section, std::string_view key, int value);
  // Removes the key's line; false when there was none.
  bool DeleteKey(std::string_view section, std::string_view key);
  // Removes the first matching section with all its lines; false when there was none.
  bool DeleteSection(std::string_view section);

  // The form names are compared in: lower case of ASCII and the 1251 letters (Cyrillic).
  static std::string FoldName(std::string_view name);

 private:
  struct Entry {
    std::string key;
    std::string fold;
    std::string value;
    size_t line;
  };
  struct Section {
    std::string name;
    size_t header;    // line of "[name]"
    size_t lastLine;  // last non-empty line of the section (the header when there is none)
    std::vector<Entry> entries;
  };

  void Reindex();
  const Section* FindSection(std::string_view name) const;
  static const Entry* FindEntry(const Section& s, std::string_view key);

  std::vector<std::string> lines_;  // UTF-8, without line ends
  std::vector<Section> sections_;
  std::unordered_map<std::string, size_t> sectionIndex_;  // folded name -> first section
};

// One-shot forms of the Windows functions; each reads the file anew.
std::string GetPrivateProfileString(std::string_view section, std::string_view key, std::string_view def,
                                    const std::string& path, size_t maxChars = std::string::npos);
int GetPrivateProfileInt(std::string_view section, std::string_view key, int def, const std::string& path);
std::vector<std::string> GetPrivateProfileSectionNames(const std::string& path);
// "key=value" lines of the section.
std::vector<std::string> GetPrivateProfileSection(std::string_view section, const std::string& path);
// Creates the file when it is missing; false when it could not be written.
bool WritePrivateProfileString(std::string_view section, std::string_view key, std::string_view value,
                               const std::string& path);
bool DeletePrivateProfileKey(std::string_view section, std::string_view key, const std::string& path);

}  // namespace ql
