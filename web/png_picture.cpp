#include "web/png_picture.h"

#include <climits>

// Only the PNG decoder, from memory, with every function static: the native simulator links its
// own copy of stb_image beside this one.
#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_STATIC
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 8192
#include <stb_image.h>

namespace web {

bool DecodePng(const uint8_t* bytes, size_t size, sim::Picture* picture) {
  if (!bytes || !picture || size > static_cast<size_t>(INT_MAX)) return false;
  int width = 0, height = 0, channels = 0;
  if (!stbi_info_from_memory(bytes, static_cast<int>(size), &width, &height, &channels) ||
      width <= 0 || width > kPngMaxSide || height <= 0 || height > kPngMaxSide) {
    return false;
  }
  stbi_uc* rgb = stbi_load_from_memory(bytes, static_cast<int>(size), &width, &height, &channels,
                                       sim::kRgbChannels);
  if (!rgb) return false;
  sim::SetPictureFromRgb(rgb, width, height, picture);
  stbi_image_free(rgb);
  return true;
}

}  // namespace web
