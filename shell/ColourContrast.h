// How readable one colour is on another, by the relative luminance of the
// sRGB colours: the rule every text colour of the item list is held to.
#pragma once

#include <cstdint>

// Normal-size text is readable at this contrast and above.
inline constexpr double kReadableContrast = 4.5;

// The contrast of two colours (0xRRGGBB): the lighter one's luminance plus
// 0.05 over the darker one's plus 0.05; 1 for equal colours, 21 for black on
// white. The order of the two does not matter.
double ContrastRatio(std::uint32_t first, std::uint32_t second);

inline bool IsReadableOn(std::uint32_t text, std::uint32_t background) {
  return ContrastRatio(text, background) >= kReadableContrast;
}
