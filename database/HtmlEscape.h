// Escaping of database text for each place of a page it goes to. Plain
// names (letters, digits, blanks, ordinary punctuation) come out unchanged.
#pragma once

#include <filesystem>
#include <string>

// For an attribute value quoted with `quote` (' or "): &, <, > and the quote.
std::string EscapeAttributeValue(const std::string& text, char quote);

// For the text of an element: "<" and ">", so nothing becomes markup; an
// "&" stays, since keys write letters as entities ("caf&eacute;").
std::string EscapeMarkup(const std::string& text);

// For a JavaScript string literal quoted with `quote`: backslash and the quote.
std::string EscapeScriptString(const std::string& text, char quote);

// A local path as a file URL, percent-encoded so it is safe in any quote.
std::string FileUrl(const std::string& path);
std::string FileUrl(const std::filesystem::path& path);

// Percent-encodes every byte outside the safe URL set (keeping "/" and ":").
std::string PercentEncode(const std::string& text);
// Decodes every %XX (two hex digits); other "%" stay as they are.
std::string PercentDecode(const std::string& text);

// Every occurrence of `from` replaced, left to right, without rescanning.
std::string ReplaceAll(std::string text, const std::string& from, const std::string& to);

// True when the address starts with a URL scheme ("http:", "mailto:", ...);
// a one-letter scheme is a drive letter and does not count.
bool HasUrlScheme(const std::string& address);
