// The device picture as the page carries it: the data set's bitmap converted losslessly to PNG
// by the build (a 900 KB bitmap is 18 KB of PNG, and the page is one file to mail), decoded with
// stb_image into the simulator's Picture.
#pragma once

#include <cstddef>
#include <cstdint>

#include "sim/panel_picture.h"

namespace web {

// Largest side accepted; a bigger header is taken as damaged.
constexpr int32_t kPngMaxSide = 8192;

// False (picture untouched) when the bytes are no PNG, are cut short or too large.
bool DecodePng(const uint8_t* bytes, size_t size, sim::Picture* picture);

}  // namespace web
