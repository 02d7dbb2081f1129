#pragma once
// Text conversions at the file boundary. Text in memory is always UTF-8.
#include <cstdint>
#include <string>
#include <string_view>

// Windows-1252 bytes -> UTF-8. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value so
// every byte survives a round trip.
std::string Cp1252ToUtf8(std::string_view bytes);

// UTF-8 -> Windows-1252. Returns false (and leaves `out` unspecified) when a
// character has no single-byte form; the caller then writes a wide string.
bool Utf8ToCp1252(std::string_view utf8, std::string& out);

// A text file of the Windows tools: Windows-1252 when every character fits
// and the bytes do not begin as the mark does, else UTF-8 behind a
// byte-order mark. Only the mark makes a file UTF-8 on reading, so every
// text survives a round trip ("\xC3\xA9" written in Windows-1252 is not
// taken for UTF-8) and files from Windows read as they are. Only the first
// mark is taken off: a second one is text, read as the rest of the file is.
std::string EncodeTextFile(std::string_view utf8);
std::string DecodeTextFile(std::string_view bytes);

// UTF-16 code units (little-endian in files) <-> UTF-8. Malformed sequences
// become U+FFFD rather than failing.
std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// Case-insensitive comparison of two UTF-8 strings using full case folding.
// Returns <0, 0 or >0 like strcmp.
int CompareNoCase(const std::string& a, const std::string& b);
// The case-folded form of a UTF-8 string: two keys compare (as UTF-16 code
// units) as CompareNoCase compares their texts, so a sort folds each text
// once rather than at every comparison.
std::u16string FoldedSortKey(const std::string& text);
