#include "samples/BirdPicture.h"

#include <cmath>
#include <fstream>
#include <map>
#include <vector>

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;

class Canvas {
 public:
  Canvas() : m_pixels(kWidth * kHeight, Rgb{235, 245, 235}) {}

  void Ellipse(double cx, double cy, double rx, double ry, Rgb colour) {
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const double dx = (x - cx) / rx, dy = (y - cy) / ry;
        if (dx * dx + dy * dy <= 1.0) Put(x, y, colour);
      }
  }

  // A filled triangle by the signs of its three edge functions.
  void Triangle(double x1, double y1, double x2, double y2, double x3, double y3, Rgb colour) {
    auto edge = [](double ax, double ay, double bx, double by, double px, double py) {
      return (bx - ax) * (py - ay) - (by - ay) * (px - ax);
    };
    for (int y = 0; y < kHeight; ++y)
      for (int x = 0; x < kWidth; ++x) {
        const double a = edge(x1, y1, x2, y2, x, y), b = edge(x2, y2, x3, y3, x, y), c = edge(x3, y3, x1, y1, x, y);
        if ((a >= 0 && b >= 0 && c >= 0) || (a <= 0 && b <= 0 && c <= 0)) Put(x, y, colour);
      }
  }

  void Rect(int x0, int y0, int x1, int y1, Rgb colour) {
    for (int y = y0; y < y1; ++y)
      for (int x = x0; x < x1; ++x) Put(x, y, colour);
  }

  bool Save(const std::filesystem::path& file) const;

 private:
  void Put(int x, int y, Rgb colour) {
    if (x >= 0 && x < kWidth && y >= 0 && y < kHeight) m_pixels[y * kWidth + x] = colour;
  }
  std::vector<Rgb> m_pixels;
};

void PutLittle(std::ofstream& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool Canvas::Save(const std::filesystem::path& file) const {
  std::ofstream out(file, std::ios::binary);
  const std::uint32_t rowBytes = (kWidth * 3 + 3) & ~3u;
  const std::uint32_t imageBytes = rowBytes * kHeight;
  out.put('B');
  out.put('M');
  PutLittle(out, 54 + imageBytes, 4);
  PutLittle(out, 0, 4);
  PutLittle(out, 54, 4);
  PutLittle(out, 40, 4);
  PutLittle(out, kWidth, 4);
  PutLittle(out, kHeight, 4);
  PutLittle(out, 1, 2);
  PutLittle(out, 24, 2);
  PutLittle(out, 0, 4);
  PutLittle(out, imageBytes, 4);
  PutLittle(out, 2835, 4);
  PutLittle(out, 2835, 4);
  PutLittle(out, 0, 4);
  PutLittle(out, 0, 4);
  for (int y = kHeight - 1; y >= 0; --y) {  // bottom-up rows
    for (int x = 0; x < kWidth; ++x) {
      const Rgb& p = m_pixels[y * kWidth + x];
      out.put(static_cast<char>(p.b));
      out.put(static_cast<char>(p.g));
      out.put(static_cast<char>(p.r));
    }
    for (std::uint32_t pad = kWidth * 3; pad < rowBytes; ++pad) out.put(0);
  }
  return static_cast<bool>(out);
}

Rgb Darker(Rgb c) {
  return Rgb{static_cast<std::uint8_t>(c.r * 0.7), static_cast<std::uint8_t>(c.g * 0.7),
             static_cast<std::uint8_t>(c.b * 0.7)};
}

}  // namespace

Rgb ColourNamed(const std::string& name) {
  static const std::map<std::string, Rgb> colours = {
      {"Brown", {130, 90, 50}},       {"Black", {30, 30, 35}},      {"Grey", {140, 145, 155}},
      {"Green", {120, 140, 60}},      {"Blue", {60, 110, 200}},     {"Pinkish brown", {190, 140, 120}},
      {"Orange-red", {235, 110, 40}}, {"Spotted", {225, 210, 170}}, {"Yellow", {240, 215, 60}},
      {"White", {245, 245, 245}},     {"Pink", {220, 140, 140}},    {"Buff", {220, 195, 150}},
  };
  auto it = colours.find(name);
  return it == colours.end() ? Rgb{150, 150, 150} : it->second;
}

bool WriteBirdPicture(const std::filesystem::path& file, Rgb upperparts, Rgb breast, double scale) {
  Canvas canvas;
  const double s = scale;
  canvas.Rect(0, 100, kWidth, kHeight, Rgb{120, 90, 60});                                          // the branch
  canvas.Triangle(80 - 55 * s, 60, 80 - 20 * s, 55, 80 - 25 * s, 72, Darker(upperparts));          // tail
  canvas.Ellipse(80, 65, 42 * s, 26 * s, upperparts);                                              // body
  canvas.Ellipse(88, 74, 28 * s, 16 * s, breast);                                                  // breast
  canvas.Ellipse(80 + 38 * s, 45, 17 * s, 15 * s, upperparts);                                     // head
  canvas.Ellipse(80 + 43 * s, 41, 3, 3, Rgb{10, 10, 10});                                          // eye
  canvas.Triangle(80 + 53 * s, 42, 80 + 53 * s, 50, 80 + 68 * s, 47, Rgb{60, 50, 30});             // bill
  canvas.Rect(static_cast<int>(80 - 4), static_cast<int>(65 + 24 * s), 80, 100, Rgb{90, 70, 50});  // leg
  return canvas.Save(file);
}

bool WriteSizePicture(const std::filesystem::path& file) {
  Canvas canvas;
  for (int bar = 0; bar < 4; ++bar) {
    const int left = 8 + 38 * bar;
    canvas.Rect(left, 100 - 22 * (bar + 1), left + 30, 100, Rgb{90, 110, 160});
  }
  canvas.Rect(0, 100, kWidth, kHeight, Rgb{120, 90, 60});
  return canvas.Save(file);
}
