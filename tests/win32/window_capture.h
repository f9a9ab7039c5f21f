// Reads back what a window shows: a rectangle of its client area as 0x00RRGGBB pixels (the
// layout the LCD rasteriser writes), copied from the window's device context.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

struct Capture {
  int32_t left;
  int32_t top;
  int32_t width;
  int32_t height;
  std::vector<uint32_t> pixels;  // row-major, top row first

  uint32_t At(int32_t x, int32_t y) const { return pixels[(y - top) * width + (x - left)]; }
};

Capture CaptureClient(HWND window, int32_t left, int32_t top, int32_t width, int32_t height);

// Writes a 24-bit bottom-up Windows bitmap file of one colour (0x00RRGGBB).
bool WriteSolidBitmap(const std::string& path, int32_t width, int32_t height, uint32_t pixel);
