#pragma once
// Windows-1251 document text and its conversions to the system's UTF-8 and to UTF-16.
// Bytes 0x01-0xFF map one to one onto Unicode (0x98, unassigned in 1251, maps to U+0098), so a
// text survives any trip through a widget; U+0000 and characters outside 1251 become "?".
#include <cstdint>
#include <string>
#include <string_view>

namespace ql {

// Unicode code point of a 1251 byte.
char32_t Cp1251ToUnicode(unsigned char c);
// 1251 byte of a code point, or '?' when 1251 has none (U+0000 included).
unsigned char UnicodeToCp1251(char32_t u);

std::string Cp1251ToUtf8(std::string_view text);
// Malformed UTF-8 sequences become "?" byte by byte.
std::string Utf8ToCp1251(std::string_view text);
std::u16string Cp1251ToUtf16(std::string_view text);
std::string Utf16ToCp1251(std::u16string_view text);

// One UTF-8 sequence at text[i]; advances i past it. A malformed sequence yields 0xFFFFFFFF and
// advances by one byte.
char32_t NextUtf8(std::string_view text, size_t& i);
void AppendUtf8(std::string& out, char32_t u);
// UTF-8 text lowered one character at a time: characters of the 1251 repertoire take the 1251
// lower-case mapping; every other character, and every malformed byte, stays as it is, so two
// different names outside 1251 never become equal.
std::string LowerUtf8(std::string_view text);

// True when the bytes are well-formed UTF-8 (used to tell UTF-8 INI files from 1251 ones).
bool IsValidUtf8(std::string_view text);

// The lower-case mapping of 1251 (Latin and Cyrillic, Ё/ё and the other Cyrillic letters).
extern const unsigned char kLower1251[256];
extern const unsigned char kUpper1251[256];
inline char Lower1251(char c) { return static_cast<char>(kLower1251[static_cast<unsigned char>(c)]); }
inline char Upper1251(char c) { return static_cast<char>(kUpper1251[static_cast<unsigned char>(c)]); }
std::string Lower1251(std::string_view text);
void Lower1251InPlace(char* p, size_t n);

// Word characters: the letters and digits of 1251 and "_".
extern const bool kWordChar1251[256];
inline bool IsWordChar1251(unsigned char c) { return kWordChar1251[c]; }
// Letters of 1251 (Latin and Cyrillic).
bool IsLetter1251(unsigned char c);

// OEM code page 866. Returns false (and puts "?" there) when a character has no 866 byte.
bool Cp1251ToCp866(std::string_view text, std::string& out);
std::string Cp866ToCp1251(std::string_view text);

}  // namespace ql
