// The panel as the panel window paints it, into a plain pixel buffer: the device picture, the
// LCD's rounded frame in its background colour, the LCD drawn by the same rasteriser the window
// uses (LcdRasterise), and the LED areas filled in their current colours. PNG files of it
// (panel_picture_png.cpp, native only).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace sim {

// Pixels 0x00RRGGBB, row-major, top row first (the LCD rasteriser's layout).
struct Picture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
};

// Three bytes a pixel (red, green, blue), as image decoders give them.
constexpr int kRgbChannels = 3;

// `picture` made from `width` x `height` RGB pixels, top row first.
void SetPictureFromRgb(const uint8_t* rgb, int32_t width, int32_t height, Picture* picture);

// Draws the LCD frame, the LCD and the LEDs in their current state over the device picture
// already in `picture` (the part of RenderPanelPicture after reading the picture).
void DrawPanelState(Picture* picture);

// False with `error` when the device picture cannot be read.
bool RenderPanelPicture(Picture* picture, std::string* error);

bool WritePicturePng(const std::string& path, const Picture& picture, std::string* error);
// Reads a PNG (or BMP) back into a Picture; for checks of written files.
bool ReadPicture(const std::string& path, Picture* picture);

}  // namespace sim
