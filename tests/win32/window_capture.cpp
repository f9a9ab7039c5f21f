#include "window_capture.h"

#include <cstdio>

Capture CaptureClient(HWND window, int32_t left, int32_t top, int32_t width, int32_t height) {
  Capture capture{left, top, width, height, {}};
  capture.pixels.assign(static_cast<size_t>(width) * height, 0xFFFFFFFFu);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  HDC window_dc = GetDC(window);
  BitBlt(memory, 0, 0, width, height, window_dc, left, top, SRCCOPY);
  ReleaseDC(window, window_dc);
  GdiFlush();
  const uint32_t* source = static_cast<const uint32_t*>(bits);
  for (size_t i = 0; i < capture.pixels.size(); ++i) capture.pixels[i] = source[i] & 0x00FFFFFFu;
  SelectObject(memory, previous);
  DeleteDC(memory);
  DeleteObject(bitmap);
  return capture;
}

bool WriteSolidBitmap(const std::string& path, int32_t width, int32_t height, uint32_t pixel) {
  const int32_t row_bytes = (width * 3 + 3) & ~3;
  const uint32_t image_bytes = static_cast<uint32_t>(row_bytes) * height;
  unsigned char header[54] = {'B', 'M'};
  auto put32 = [&header](int offset, uint32_t value) {
    for (int i = 0; i < 4; ++i) header[offset + i] = static_cast<unsigned char>(value >> (8 * i));
  };
  put32(2, 54 + image_bytes);
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  header[26] = 1;   // planes
  header[28] = 24;  // bits per pixel
  put32(34, image_bytes);
  FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  std::fwrite(header, 1, sizeof(header), file);
  std::vector<unsigned char> row(row_bytes, 0);
  for (int32_t x = 0; x < width; ++x) {
    row[x * 3 + 0] = static_cast<unsigned char>(pixel);        // blue
    row[x * 3 + 1] = static_cast<unsigned char>(pixel >> 8);   // green
    row[x * 3 + 2] = static_cast<unsigned char>(pixel >> 16);  // red
  }
  for (int32_t y = 0; y < height; ++y) std::fwrite(row.data(), 1, row.size(), file);
  return std::fclose(file) == 0;
}
