#include "web/bmp_picture.h"

namespace web {

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr size_t kInfoHeaderMinSize = 40;
constexpr uint32_t kCompressionNone = 0;
constexpr uint32_t kCompressionBitfields = 3;

uint32_t Le32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

}  // namespace

bool DecodeBmp(const uint8_t* bytes, size_t size, sim::Picture* picture) {
  if (!bytes || size < kFileHeaderSize + kInfoHeaderMinSize) return false;
  if (bytes[0] != 'B' || bytes[1] != 'M') return false;
  const uint32_t data_offset = Le32(bytes + 10);
  const uint8_t* info = bytes + kFileHeaderSize;
  if (Le32(info) < kInfoHeaderMinSize) return false;
  const int32_t width = static_cast<int32_t>(Le32(info + 4));
  const int32_t raw_height = static_cast<int32_t>(Le32(info + 8));
  const uint16_t bits = Le16(info + 14);
  const uint32_t compression = Le32(info + 16);
  if (bits != 24 && bits != 32) return false;
  if (compression != kCompressionNone && !(bits == 32 && compression == kCompressionBitfields)) {
    return false;
  }
  const bool top_down = raw_height < 0;
  const int64_t height = top_down ? -int64_t{raw_height} : raw_height;
  if (width <= 0 || width > kBmpMaxSide || height <= 0 || height > kBmpMaxSide) return false;
  const size_t pixel_bytes = bits / 8u;
  const size_t stride = (static_cast<size_t>(width) * pixel_bytes + 3u) & ~size_t{3};
  const size_t rows = static_cast<size_t>(height);
  if (data_offset > size || (size - data_offset) / stride < rows) return false;
  picture->width = width;
  picture->height = static_cast<int32_t>(height);
  picture->pixels.assign(static_cast<size_t>(width) * rows, 0);
  for (size_t y = 0; y < rows; ++y) {
    const size_t source_row = top_down ? y : rows - 1 - y;
    const uint8_t* row = bytes + data_offset + source_row * stride;
    for (size_t x = 0; x < static_cast<size_t>(width); ++x) {
      const uint8_t* p = row + x * pixel_bytes;  // blue, green, red
      picture->pixels[y * static_cast<size_t>(width) + x] =
          uint32_t{p[2]} << 16 | uint32_t{p[1]} << 8 | uint32_t{p[0]};
    }
  }
  return true;
}

}  // namespace web
