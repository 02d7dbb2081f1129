#include "shell/ColourContrast.h"

#include <algorithm>
#include <cmath>

namespace {

// One channel of 0..255 in linear light: the sRGB curve undone.
double LinearChannel(std::uint32_t value) {
  const double c = static_cast<double>(value & 0xFFu) / 255.0;
  return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double RelativeLuminance(std::uint32_t rgb) {
  return 0.2126 * LinearChannel(rgb >> 16) + 0.7152 * LinearChannel(rgb >> 8) + 0.0722 * LinearChannel(rgb);
}

}  // namespace

double ContrastRatio(std::uint32_t first, std::uint32_t second) {
  const double a = RelativeLuminance(first);
  const double b = RelativeLuminance(second);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}
