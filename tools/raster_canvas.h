// A tiny anti-aliased RGB canvas for the build-time picture and icon generators: shapes are
// inside-tests sampled 4 x 4 per pixel, so edges come out smooth without a drawing library.
// Header-only because each generator is compiled alone by the host compiler.
#ifndef SICCORA_TOOLS_RASTER_CANVAS_H
#define SICCORA_TOOLS_RASTER_CANVAS_H

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace canvas {

struct Rgb {
  float r, g, b;
};

inline Rgb Hex(uint32_t rgb) {
  return {float((rgb >> 16) & 0xFF), float((rgb >> 8) & 0xFF), float(rgb & 0xFF)};
}

inline Rgb Mix(Rgb a, Rgb b, float t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

constexpr int kSubsamples = 4;

struct Image {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;  // row 0 is the top row
  std::vector<float> alpha; // coverage, used by the icon's transparent background
};

inline Image MakeImage(int width, int height, Rgb fill, float alpha = 1.0f) {
  Image image;
  image.width = width;
  image.height = height;
  image.pixels.assign(size_t(width) * size_t(height), fill);
  image.alpha.assign(size_t(width) * size_t(height), alpha);
  return image;
}

// Blends paint(x, y) over every pixel of the box [x0, x1) x [y0, y1) in proportion to the part
// of the pixel for which inside(x, y) holds, times opacity.
template <typename Inside, typename Paint>
void Fill(Image& image, float x0, float y0, float x1, float y1, Inside inside, Paint paint,
          float opacity = 1.0f) {
  const int px0 = std::max(0, int(std::floor(x0)));
  const int py0 = std::max(0, int(std::floor(y0)));
  const int px1 = std::min(image.width, int(std::ceil(x1)));
  const int py1 = std::min(image.height, int(std::ceil(y1)));
  const float step = 1.0f / kSubsamples;
  for (int y = py0; y < py1; ++y) {
    for (int x = px0; x < px1; ++x) {
      int hits = 0;
      for (int sy = 0; sy < kSubsamples; ++sy)
        for (int sx = 0; sx < kSubsamples; ++sx)
          if (inside(x + (sx + 0.5f) * step, y + (sy + 0.5f) * step)) ++hits;
      if (hits == 0) continue;
      const float cover = opacity * float(hits) / float(kSubsamples * kSubsamples);
      const size_t at = size_t(y) * size_t(image.width) + size_t(x);
      image.pixels[at] = Mix(image.pixels[at], paint(x + 0.5f, y + 0.5f), cover);
      image.alpha[at] = image.alpha[at] + (1.0f - image.alpha[at]) * cover;
    }
  }
}

struct Solid {
  Rgb colour;
  Rgb operator()(float, float) const { return colour; }
};

// Vertical gradient from top colour at y0 to bottom colour at y1.
struct VerticalGradient {
  float y0, y1;
  Rgb top, bottom;
  Rgb operator()(float, float y) const {
    float t = (y - y0) / (y1 - y0);
    return Mix(top, bottom, std::clamp(t, 0.0f, 1.0f));
  }
};

struct RoundRect {
  float x0, y0, x1, y1, radius;
  bool operator()(float x, float y) const {
    if (x < x0 || x >= x1 || y < y0 || y >= y1) return false;
    const float cx = std::clamp(x, x0 + radius, x1 - radius);
    const float cy = std::clamp(y, y0 + radius, y1 - radius);
    const float dx = x - cx, dy = y - cy;
    return dx * dx + dy * dy <= radius * radius;
  }
};

struct Ellipse {
  float cx, cy, rx, ry;
  bool operator()(float x, float y) const {
    const float dx = (x - cx) / rx, dy = (y - cy) / ry;
    return dx * dx + dy * dy <= 1.0f;
  }
};

// A ring between two radii, optionally with a gap around the top (for a power symbol).
struct Ring {
  float cx, cy, inner, outer, gap_degrees;
  bool operator()(float x, float y) const {
    const float dx = x - cx, dy = y - cy;
    const float d2 = dx * dx + dy * dy;
    if (d2 < inner * inner || d2 > outer * outer) return false;
    if (gap_degrees <= 0) return true;
    const float angle = std::atan2(dx, -dy) * 180.0f / 3.14159265f; // 0 = straight up
    return std::fabs(angle) > gap_degrees / 2;
  }
};

struct Polygon {
  std::vector<float> xy; // x0, y0, x1, y1, ...
  bool operator()(float x, float y) const {
    bool in = false;
    const size_t n = xy.size() / 2;
    for (size_t i = 0, j = n - 1; i < n; j = i++) {
      const float xi = xy[2 * i], yi = xy[2 * i + 1], xj = xy[2 * j], yj = xy[2 * j + 1];
      if ((yi > y) != (yj > y) && x < (xj - xi) * (y - yi) / (yj - yi) + xi) in = !in;
    }
    return in;
  }
};

// A thick line segment with round ends.
struct Stroke {
  float ax, ay, bx, by, half_width;
  bool operator()(float x, float y) const {
    const float vx = bx - ax, vy = by - ay;
    const float len2 = vx * vx + vy * vy;
    float t = len2 > 0 ? ((x - ax) * vx + (y - ay) * vy) / len2 : 0.0f;
    t = std::clamp(t, 0.0f, 1.0f);
    const float dx = x - (ax + t * vx), dy = y - (ay + t * vy);
    return dx * dx + dy * dy <= half_width * half_width;
  }
};

inline void FillRoundRect(Image& image, RoundRect shape, Rgb colour, float opacity = 1.0f) {
  Fill(image, shape.x0, shape.y0, shape.x1, shape.y1, shape, Solid{colour}, opacity);
}

inline void FillEllipse(Image& image, Ellipse shape, Rgb colour, float opacity = 1.0f) {
  Fill(image, shape.cx - shape.rx, shape.cy - shape.ry, shape.cx + shape.rx, shape.cy + shape.ry,
       shape, Solid{colour}, opacity);
}

inline void FillStroke(Image& image, Stroke s, Rgb colour, float opacity = 1.0f) {
  Fill(image, std::min(s.ax, s.bx) - s.half_width, std::min(s.ay, s.by) - s.half_width,
       std::max(s.ax, s.bx) + s.half_width, std::max(s.ay, s.by) + s.half_width, s, Solid{colour},
       opacity);
}

// A soft shadow: the shape grown step by step with falling opacity.
inline void SoftShadow(Image& image, RoundRect shape, float spread, float offset_y, float strength) {
  const int steps = 6;
  for (int i = steps; i >= 1; --i) {
    const float grow = spread * float(i) / steps;
    RoundRect grown{shape.x0 - grow, shape.y0 - grow + offset_y, shape.x1 + grow,
                    shape.y1 + grow + offset_y, shape.radius + grow};
    FillRoundRect(image, grown, Rgb{0, 0, 0}, strength / steps);
  }
}

inline uint8_t ToByte(float v) {
  return uint8_t(std::clamp(int(std::lround(v)), 0, 255));
}

inline void PutLe16(std::vector<uint8_t>& out, uint32_t v) {
  out.push_back(uint8_t(v));
  out.push_back(uint8_t(v >> 8));
}

inline void PutLe32(std::vector<uint8_t>& out, uint32_t v) {
  PutLe16(out, v & 0xFFFF);
  PutLe16(out, v >> 16);
}

inline bool WriteFile(const char* path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path, "wb");
  if (!file) return false;
  const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}

} // namespace canvas

#endif
