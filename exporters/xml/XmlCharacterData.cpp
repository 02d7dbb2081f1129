#include "exporters/xml/XmlCharacterData.h"

#include <cstddef>
#include <cstdint>

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

bool IsTrail(unsigned char c, unsigned char low = 0x80, unsigned char high = 0xBF) { return c >= low && c <= high; }

// The length of the well-formed UTF-8 sequence at text[at], or 0 with
// `skip` set to the length of its maximal ill-formed subsequence (at least 1).
std::size_t SequenceLength(std::string_view text, std::size_t at, std::size_t& skip) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF)
    length = 2;
  else if (lead >= 0xE0 && lead <= 0xEF)
    length = 3, low = lead == 0xE0 ? 0xA0 : 0x80, high = lead == 0xED ? 0x9F : 0xBF;
  else if (lead >= 0xF0 && lead <= 0xF4)
    length = 4, low = lead == 0xF0 ? 0x90 : 0x80, high = lead == 0xF4 ? 0x8F : 0xBF;
  std::size_t taken = 1;
  while (length && taken < length && at + taken < text.size() &&
         IsTrail(static_cast<unsigned char>(text[at + taken]), taken == 1 ? low : 0x80, taken == 1 ? high : 0xBF))
    ++taken;
  if (length && taken == length) return length;
  skip = taken;
  return 0;
}

// U+FFFE and U+FFFF, encoded EF BF BE and EF BF BF.
bool IsNonCharacterAtTheEndOfThePlane(std::string_view sequence) {
  return sequence.size() == 3 && sequence[0] == '\xEF' && sequence[1] == '\xBF' &&
         (sequence[2] == '\xBE' || sequence[2] == '\xBF');
}

}  // namespace

void AppendXmlCharacterData(std::string& out, std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const auto c = static_cast<unsigned char>(text[at]);
    if (c < 0x80) {
      switch (c) {
        case '&':
          out += "&amp;";
          break;
        case '<':
          out += "&lt;";
          break;
        case '>':
          out += "&gt;";
          break;
        case '\r':
          out += "&#13;";
          break;
        case '\t':
        case '\n':
          out += static_cast<char>(c);
          break;
        default:
          if (c < 0x20)
            out += kReplacement;
          else
            out += static_cast<char>(c);
      }
      ++at;
      continue;
    }
    std::size_t skip = 0;
    const std::size_t length = SequenceLength(text, at, skip);
    const std::string_view sequence = text.substr(at, length);
    if (length == 0 || IsNonCharacterAtTheEndOfThePlane(sequence))
      out += kReplacement;
    else
      out += sequence;
    at += length ? length : skip;
  }
}
