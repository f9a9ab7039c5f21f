// Draws the application icon of siccora.exe (a water drop over a blue tile) and writes it as a
// Windows icon file with a 32 x 32 and a 16 x 16 image, 32 bits per pixel with alpha:
//   make_app_icon <output.ico>
// Runs on the build host; the resource compiler embeds the result as icon 107.
#include <cstdio>

#include "tools/raster_canvas.h"

namespace {

using canvas::Hex;
using canvas::Image;
using canvas::Rgb;

// Icon file layout: 6-byte directory header, 16 bytes per directory entry, then per image a
// 40-byte info header (height doubled for the mask), BGRA rows bottom-up and a 1-bit AND mask
// whose rows are padded to 4 bytes.
constexpr uint32_t kDirectoryHeaderSize = 6;
constexpr uint32_t kDirectoryEntrySize = 16;
constexpr uint32_t kInfoHeaderSize = 40;

Image DrawIcon(int size) {
  const float s = float(size) / 32.0f; // all coordinates below are for 32 x 32
  Image image = canvas::MakeImage(size, size, Rgb{0, 0, 0}, 0.0f);
  const canvas::RoundRect tile{1 * s, 1 * s, 31 * s, 31 * s, 6 * s};
  canvas::Fill(image, tile.x0, tile.y0, tile.x1, tile.y1, tile,
               canvas::VerticalGradient{tile.y0, tile.y1, Hex(0x4DB6EC), Hex(0x1B6FA8)});
  // The drop: a circle below and a triangle that meets it tangentially above.
  const float cx = 16 * s, cy = 19.5f * s, r = 7.5f * s;
  canvas::Polygon tip{{cx, 4.5f * s, cx + r * 0.87f, cy - r * 0.5f, cx - r * 0.87f, cy - r * 0.5f}};
  auto drop = [&](float x, float y) { return tip(x, y) || canvas::Ellipse{cx, cy, r, r}(x, y); };
  canvas::Fill(image, cx - r, 4 * s, cx + r, cy + r, drop, canvas::Solid{Hex(0xFFFFFF)});
  canvas::FillEllipse(image, canvas::Ellipse{cx - 3 * s, cy + 1 * s, 1.6f * s, 2.6f * s},
                      Hex(0x8FD3F5));
  return image;
}

void AppendImage(std::vector<uint8_t>& out, const Image& image) {
  const uint32_t size = uint32_t(image.width);
  canvas::PutLe32(out, kInfoHeaderSize);
  canvas::PutLe32(out, size);
  canvas::PutLe32(out, size * 2); // colour rows plus mask rows
  canvas::PutLe16(out, 1);
  canvas::PutLe16(out, 32);
  canvas::PutLe32(out, 0);
  for (int i = 0; i < 5; ++i) canvas::PutLe32(out, 0);
  for (int y = image.height - 1; y >= 0; --y)
    for (int x = 0; x < image.width; ++x) {
      const size_t at = size_t(y) * size + size_t(x);
      const float a = image.alpha[at];
      const Rgb& p = image.pixels[at];
      // The canvas blended the shapes over black; icons want straight (not premultiplied) colour.
      const float unblend = a > 0.0f ? 1.0f / a : 0.0f;
      out.push_back(canvas::ToByte(p.b * unblend));
      out.push_back(canvas::ToByte(p.g * unblend));
      out.push_back(canvas::ToByte(p.r * unblend));
      out.push_back(canvas::ToByte(a * 255.0f));
    }
  const uint32_t mask_row = ((size + 31) / 32) * 4;
  for (int y = image.height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(mask_row, 0);
    for (int x = 0; x < image.width; ++x)
      if (image.alpha[size_t(y) * size + size_t(x)] < 0.5f) row[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
    out.insert(out.end(), row.begin(), row.end());
  }
}

uint32_t ImageBytes(int size) {
  const uint32_t s = uint32_t(size);
  return kInfoHeaderSize + s * s * 4 + ((s + 31) / 32) * 4 * s;
}

std::vector<uint8_t> EncodeIco() {
  const int sizes[] = {32, 16};
  std::vector<uint8_t> out;
  canvas::PutLe16(out, 0);
  canvas::PutLe16(out, 1); // icon
  canvas::PutLe16(out, 2); // image count
  uint32_t offset = kDirectoryHeaderSize + 2 * kDirectoryEntrySize;
  for (int size : sizes) {
    out.push_back(uint8_t(size));
    out.push_back(uint8_t(size));
    out.push_back(0); // no palette
    out.push_back(0);
    canvas::PutLe16(out, 1);  // planes
    canvas::PutLe16(out, 32); // bits per pixel
    canvas::PutLe32(out, ImageBytes(size));
    canvas::PutLe32(out, offset);
    offset += ImageBytes(size);
  }
  for (int size : sizes) AppendImage(out, DrawIcon(size));
  return out;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_app_icon <output.ico>\n");
    return 2;
  }
  if (!canvas::WriteFile(argv[1], EncodeIco())) {
    std::fprintf(stderr, "make_app_icon: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
