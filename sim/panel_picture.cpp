#include "sim/panel_picture.h"

#include "panel/core/data_lists.h"
#include "panel/core/option_word.h"
#include "panel/lcd/colour_table.h"
#include "panel/lcd/lcd_render.h"
#include "panel/window/panel_layout.h"
#include "sim/sim_panel.h"

namespace sim {

namespace {

constexpr uint32_t kBlackPixel = 0x000000;
constexpr int32_t kFrameCornerCut = 1;       // the 5 x 5 corner ellipse leaves this much out

void SetPixel(Picture* picture, int32_t x, int32_t y, uint32_t pixel) {
  if (x < 0 || y < 0 || x >= picture->width || y >= picture->height) return;
  picture->pixels[static_cast<size_t>(y) * static_cast<size_t>(picture->width) +
                  static_cast<size_t>(x)] = pixel;
}

// GDI's RoundRect with a black pen: right and bottom exclusive, a one-pixel outline, the
// corners rounded off.
void FillRoundRect(Picture* picture, int32_t left, int32_t top, int32_t right, int32_t bottom,
                   uint32_t fill) {
  for (int32_t y = top; y < bottom; ++y) {
    for (int32_t x = left; x < right; ++x) {
      const int32_t dx = x - left < right - 1 - x ? x - left : right - 1 - x;
      const int32_t dy = y - top < bottom - 1 - y ? y - top : bottom - 1 - y;
      if (dx + dy < kFrameCornerCut) continue;  // outside the rounded corner
      const bool edge = dx == 0 || dy == 0 || dx + dy == kFrameCornerCut;
      SetPixel(picture, x, y, edge ? kBlackPixel : fill);
    }
  }
}

// GDI's Ellipse with a black pen in the bounding rectangle (right and bottom exclusive).
void FillEllipse(Picture* picture, const tagAREARECT& rect, uint32_t fill) {
  const double cx = (rect.left + rect.right - 1) / 2.0;
  const double cy = (rect.top + rect.bottom - 1) / 2.0;
  const double rx = (rect.right - rect.left) / 2.0;
  const double ry = (rect.bottom - rect.top) / 2.0;
  if (rx <= 0 || ry <= 0) return;
  const double inner_rx = rx - 1.0;
  const double inner_ry = ry - 1.0;
  for (int32_t y = rect.top; y < rect.bottom; ++y) {
    for (int32_t x = rect.left; x < rect.right; ++x) {
      const double nx = (x - cx) / rx;
      const double ny = (y - cy) / ry;
      if (nx * nx + ny * ny > 1.0) continue;
      const bool inside = inner_rx > 0 && inner_ry > 0 &&
                          ((x - cx) / inner_rx) * ((x - cx) / inner_rx) +
                                  ((y - cy) / inner_ry) * ((y - cy) / inner_ry) <= 1.0;
      SetPixel(picture, x, y, inside ? fill : kBlackPixel);
    }
  }
}

// The frame the panel paints under the characters (DrawLcdFrame of the panel window).
void DrawLcdFrame(Picture* picture) {
  int32_t left, top, right, bottom;
  if (!panel::LcdFrameRect(&left, &top, &right, &bottom)) return;
  FillRoundRect(picture, left, top, right, bottom,
                panel::ColourPixel(panel::LcdGetView()->background_colour));
}

void DrawLeds(Picture* picture) {
  tagRECTPROP* run[panel::kLedRunMax];
  const int count = panel::FindLedRun(GetRectList(), run);
  for (int i = 0; i < count; ++i) {
    FillEllipse(picture, run[i]->rect, panel::ColourPixel(run[i]->color));
  }
}

}  // namespace

void DrawPanelState(Picture* picture) {
  DrawLcdFrame(picture);
  panel::LcdPixelBuffer buffer{0, 0, picture->width, picture->height, picture->pixels.data()};
  panel::LcdRasterise(&buffer);
  DrawLeds(picture);
}

void SetPictureFromRgb(const uint8_t* rgb, int32_t width, int32_t height, Picture* picture) {
  picture->width = width;
  picture->height = height;
  picture->pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
  for (size_t i = 0; i < picture->pixels.size(); ++i) {
    const uint8_t* p = rgb + i * kRgbChannels;
    picture->pixels[i] = uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | uint32_t{p[2]};
  }
}

}  // namespace sim
