#include "database/TextCodec.h"

#include <array>
#include <algorithm>

#include <unicode/uchar.h>
#include <unicode/ustring.h>
#include <unicode/utf8.h>

namespace {

// Code points of bytes 0x80..0x9F; the rest of the page is Latin-1.
constexpr std::array<char32_t, 32> kHighTable = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                                 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                                 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                                 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t Cp1252Decode(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kHighTable[byte - 0x80];
  return byte;
}

// Returns -1 when the code point has no single-byte form.
int Cp1252Encode(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (size_t i = 0; i < kHighTable.size(); ++i)
    if (kHighTable[i] == cp) return static_cast<int>(0x80 + i);
  return -1;
}

void AppendUtf8(std::string& out, char32_t cp) {
  char buf[U8_MAX_LENGTH];
  int32_t len = 0;
  UBool error = false;
  U8_APPEND(buf, len, U8_MAX_LENGTH, static_cast<UChar32>(cp), error);
  if (!error) out.append(buf, static_cast<size_t>(len));
}

// Walks UTF-8, calling `fn` per code point (U+FFFD for malformed bytes).
template <typename Fn>
bool ForEachCodePoint(std::string_view utf8, Fn fn) {
  const auto* s = reinterpret_cast<const uint8_t*>(utf8.data());
  const auto n = static_cast<int32_t>(utf8.size());
  int32_t i = 0;
  while (i < n) {
    UChar32 c = 0;
    U8_NEXT(s, i, n, c);
    if (!fn(c < 0 ? char32_t{0xFFFD} : static_cast<char32_t>(c))) return false;
  }
  return true;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char ch : bytes) {
    const auto byte = static_cast<unsigned char>(ch);
    if (byte < 0x80)
      out.push_back(ch);
    else
      AppendUtf8(out, Cp1252Decode(byte));
  }
  return out;
}

bool Utf8ToCp1252(std::string_view utf8, std::string& out) {
  out.clear();
  out.reserve(utf8.size());
  return ForEachCodePoint(utf8, [&out](char32_t cp) {
    const int byte = Cp1252Encode(cp);
    if (byte < 0) return false;
    out.push_back(static_cast<char>(byte));
    return true;
  });
}

std::u16string Utf8ToUtf16(std::string_view utf8) {
  std::u16string out;
  out.reserve(utf8.size());
  ForEachCodePoint(utf8, [&out](char32_t cp) {
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(cp));
    }
    return true;
  });
  return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16) {
  std::string out;
  out.reserve(utf16.size());
  const auto* s = reinterpret_cast<const UChar*>(utf16.data());
  const auto n = static_cast<int32_t>(utf16.size());
  int32_t i = 0;
  while (i < n) {
    UChar32 c = 0;
    U16_NEXT(s, i, n, c);
    // Lone surrogates cannot be carried in UTF-8.
    AppendUtf8(out, U_IS_SURROGATE(c) ? char32_t{0xFFFD} : static_cast<char32_t>(c));
  }
  return out;
}

std::u16string FoldedSortKey(const std::string& text) {
  std::u16string wide = Utf8ToUtf16(text);
  if (std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    for (char16_t& c : wide) c = static_cast<char16_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT));
    return wide;
  }
  UErrorCode status = U_ZERO_ERROR;
  // Full folding may lengthen the text (a sharp s becomes two letters).
  std::u16string folded(wide.size() * 3 + 1, u'\0');
  const int32_t length = u_strFoldCase(reinterpret_cast<UChar*>(folded.data()), static_cast<int32_t>(folded.size()),
                                       reinterpret_cast<const UChar*>(wide.data()), static_cast<int32_t>(wide.size()),
                                       U_FOLD_CASE_DEFAULT, &status);
  if (U_FAILURE(status)) return wide;
  folded.resize(static_cast<std::size_t>(length));
  return folded;
}

int CompareNoCase(const std::string& a, const std::string& b) {
  // Plain ASCII is by far the common case and needs no conversion.
  const auto ascii = [](const std::string& s) {
    for (char c : s)
      if (static_cast<unsigned char>(c) >= 0x80) return false;
    return true;
  };
  if (ascii(a) && ascii(b)) {
    const size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
      const int ca = u_foldCase(static_cast<unsigned char>(a[i]), U_FOLD_CASE_DEFAULT);
      const int cb = u_foldCase(static_cast<unsigned char>(b[i]), U_FOLD_CASE_DEFAULT);
      if (ca != cb) return ca < cb ? -1 : 1;
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
  }
  const std::u16string wa = Utf8ToUtf16(a);
  const std::u16string wb = Utf8ToUtf16(b);
  UErrorCode status = U_ZERO_ERROR;
  const int32_t r = u_strCaseCompare(reinterpret_cast<const UChar*>(wa.data()), static_cast<int32_t>(wa.size()),
                                     reinterpret_cast<const UChar*>(wb.data()), static_cast<int32_t>(wb.size()),
                                     U_FOLD_CASE_DEFAULT, &status);
  if (U_FAILURE(status)) return a.compare(b) < 0 ? -1 : (a == b ? 0 : 1);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

namespace {
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
}  // namespace

std::string EncodeTextFile(std::string_view utf8) {
  std::string single;
  // Single bytes that begin like the mark ("\u00ef\u00bb\u00bf" as text)
  // would read back as UTF-8 behind a mark: such a text gets a mark of its own.
  if (Utf8ToCp1252(utf8, single) && !single.starts_with(kUtf8Mark)) return single;
  return std::string(kUtf8Mark) + std::string(utf8);
}

std::string DecodeTextFile(std::string_view bytes) {
  if (bytes.substr(0, kUtf8Mark.size()) != kUtf8Mark) return Cp1252ToUtf8(bytes);
  const std::string_view text = bytes.substr(kUtf8Mark.size());
  // Malformed sequences would not survive the trip through UTF-16; such a
  // file is read byte by byte rather than losing them.
  return Utf16ToUtf8(Utf8ToUtf16(text)) == text ? std::string(text) : Cp1252ToUtf8(text);
}
