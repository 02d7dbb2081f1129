// Draws a simple side view of a bird, coloured by its upperparts and
// breast, as a 24-bit BMP file.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

struct Rgb {
  std::uint8_t r, g, b;
};

// The colour the key's tables mean by a colour attribute; grey when unknown.
Rgb ColourNamed(const std::string& name);

// scale: 0.6 for the smallest birds up to 1.0 for the largest.
bool WriteBirdPicture(const std::filesystem::path& file, Rgb upperparts, Rgb breast, double scale);

// Four bars of growing height, one per size class, left to right: the
// picture of the size menu, whose regions let a user pick a size by clicking.
bool WriteSizePicture(const std::filesystem::path& file);
