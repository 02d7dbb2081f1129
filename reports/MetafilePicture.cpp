#include "reports/MetafilePicture.h"

#include <cstdint>

namespace {

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::uint16_t kSetWindowOrg = 0x020B;
constexpr std::uint16_t kSetWindowExt = 0x020C;
constexpr std::uint16_t kStretchDib = 0x0F43;
constexpr std::uint32_t kSourceCopy = 0x00CC0020;
constexpr int kHeaderWords = 9;

void Word(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void Dword(std::string& out, std::uint32_t value) {
  Word(out, value & 0xFFFF);
  Word(out, value >> 16);
}

// The placeable header's checksum: the XOR of its first ten words.
std::uint16_t Checksum(const std::string& header) {
  std::uint16_t sum = 0;
  for (int i = 0; i < 20; i += 2)
    sum ^= static_cast<std::uint16_t>(static_cast<unsigned char>(header[i]) |
                                      (static_cast<unsigned char>(header[i + 1]) << 8));
  return sum;
}

std::string PlaceableHeader(int width, int height) {
  std::string header;
  Dword(header, kPlaceableKey);
  Word(header, 0);  // handle
  Word(header, 0);
  Word(header, 0);
  Word(header, static_cast<std::uint32_t>(width));
  Word(header, static_cast<std::uint32_t>(height));
  Word(header, 72);  // units per inch: readers at the usual 72 dots per inch show one unit a pixel
  Dword(header, 0);
  Word(header, Checksum(header));
  return header;
}

void Record(std::string& out, std::uint16_t function, const std::string& parameters) {
  Dword(out, static_cast<std::uint32_t>(3 + parameters.size() / 2));
  Word(out, function);
  out += parameters;
}

std::string Pair(int first, int second) {
  std::string parameters;
  Word(parameters, static_cast<std::uint32_t>(first));
  Word(parameters, static_cast<std::uint32_t>(second));
  return parameters;
}

std::string StretchDibParameters(const std::string& dib, int width, int height) {
  std::string parameters;
  Dword(parameters, kSourceCopy);
  Word(parameters, 0);  // colours are RGB values
  for (int value : {height, width, 0, 0, height, width, 0, 0}) Word(parameters, static_cast<std::uint32_t>(value));
  parameters += dib;
  if (parameters.size() % 2) parameters += '\0';  // records are whole words
  return parameters;
}

std::uint32_t ReadWord(const std::string& in, std::size_t at) {
  if (at + 2 > in.size()) return 0;
  return static_cast<unsigned char>(in[at]) | (static_cast<unsigned char>(in[at + 1]) << 8);
}

std::uint32_t ReadDword(const std::string& in, std::size_t at) {
  return ReadWord(in, at) | (ReadWord(in, at + 2) << 16);
}

constexpr std::uint16_t kDibStretchBlt = 0x0B41;
constexpr std::size_t kPlaceableSize = 22;

// The file header a DIB needs to be a BMP file: where the pixels start
// follows from the info header's size, its colour table and bit fields.
std::string BmpFromDib(const std::string& dib) {
  constexpr std::size_t kInfoMinimum = 40;
  if (dib.size() < kInfoMinimum) return {};
  const std::uint32_t infoSize = ReadDword(dib, 0);
  if (infoSize < kInfoMinimum || infoSize > dib.size()) return {};
  const std::uint32_t bits = ReadWord(dib, 14);
  const std::uint32_t used = ReadDword(dib, 32);
  const std::uint64_t colours = used ? used : (bits <= 8 ? (1u << bits) : 0);
  const std::uint64_t masks = (infoSize == kInfoMinimum && ReadDword(dib, 16) == 3) ? 12 : 0;
  const std::uint64_t offset = 14 + infoSize + masks + 4 * colours;
  if (offset > 14 + dib.size()) return {};
  std::string bmp = "BM";
  Dword(bmp, static_cast<std::uint32_t>(14 + dib.size()));
  Dword(bmp, 0);
  Dword(bmp, static_cast<std::uint32_t>(offset));
  return bmp + dib;
}

}  // namespace

std::string BitmapInMetafile(const std::string& metafile) {
  std::size_t at = ReadDword(metafile, 0) == kPlaceableKey ? kPlaceableSize : 0;
  const std::uint32_t headerWords = ReadWord(metafile, at + 2);
  if (headerWords != kHeaderWords) return {};
  at += 2 * headerWords;
  while (at + 6 <= metafile.size()) {
    const std::uint64_t size = 2ull * ReadDword(metafile, at);
    const std::uint32_t function = ReadWord(metafile, at + 4);
    if (size < 6 || function == 0 || size > metafile.size() - at) return {};
    const std::size_t skip = function == kStretchDib ? 22 : function == kDibStretchBlt ? 20 : 0;
    if (skip && size > 6 + skip) return BmpFromDib(metafile.substr(at + 6 + skip, size - 6 - skip));
    at += size;
  }
  return {};
}

std::string MetafileWithBitmap(const std::string& dib, int width, int height) {
  if (width <= 0 || height <= 0 || width > 32767 || height > 32767 || dib.empty()) return {};
  std::string records;
  Record(records, kSetWindowOrg, Pair(0, 0));
  Record(records, kSetWindowExt, Pair(height, width));
  const std::string stretch = StretchDibParameters(dib, width, height);
  Record(records, kStretchDib, stretch);
  Record(records, 0, {});  // end of file
  std::string header;
  Word(header, 1);  // in memory
  Word(header, kHeaderWords);
  Word(header, 0x0300);
  Dword(header, static_cast<std::uint32_t>((kHeaderWords * 2 + records.size()) / 2));
  Word(header, 0);  // no objects
  Dword(header, static_cast<std::uint32_t>(3 + stretch.size() / 2));
  Word(header, 0);
  return PlaceableHeader(width, height) + header + records;
}
