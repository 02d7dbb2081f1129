// 24-bit bitmap files written byte by byte, so tests and benchmarks of the
// image converter do not need the converter to make their input.
#pragma once

#include <cstdint>
#include <string>

namespace pictures_test {

inline void AppendLittleEndian(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// A colour gradient; with textured set, a busy pattern over it that
// compresses about as badly as a photograph.
inline std::string Bitmap(int width, int height, bool textured = false) {
  const int row = (width * 3 + 3) / 4 * 4;
  std::string bmp = "BM";
  AppendLittleEndian(bmp, static_cast<std::uint32_t>(54 + row * height), 4);
  AppendLittleEndian(bmp, 0, 4);
  AppendLittleEndian(bmp, 54, 4);
  for (std::uint32_t value : {40u, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)})
    AppendLittleEndian(bmp, value, 4);
  AppendLittleEndian(bmp, 1, 2);
  AppendLittleEndian(bmp, 24, 2);
  for (int i = 0; i < 6; ++i) AppendLittleEndian(bmp, 0, 4);
  bmp.reserve(bmp.size() + static_cast<std::size_t>(row) * height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const int noise = textured ? ((x * 7919 + y * 104729) ^ (x * y)) & 63 : 0;
      bmp += static_cast<char>((x * 255 / width + noise) & 0xFF);
      bmp += static_cast<char>((y * 255 / height + noise) & 0xFF);
      bmp += static_cast<char>(128 + noise);
    }
    bmp.append(static_cast<std::size_t>(row - width * 3), '\0');
  }
  return bmp;
}

}  // namespace pictures_test
