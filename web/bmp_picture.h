// The device picture for the page: an uncompressed 24- or 32-bit Windows bitmap (as the data set's
// rk52.bmp is) decoded into the simulator's Picture, bottom-up and top-down rows alike.
#pragma once

#include <cstddef>
#include <cstdint>

#include "sim/panel_picture.h"

namespace web {

// Largest side accepted; bigger headers are taken as damaged.
constexpr int32_t kBmpMaxSide = 8192;

// False (picture untouched) when the bytes are no such bitmap or are cut short.
bool DecodeBmp(const uint8_t* bytes, size_t size, sim::Picture* picture);

}  // namespace web
