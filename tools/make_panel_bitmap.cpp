// Draws the dryer's device picture and writes it as a 24-bit Windows bitmap:
//   make_panel_bitmap <output.bmp>
// The front: a light fascia with an air grille, a dark control strip with the brand, the LCD
// window, six LEDs and five membrane keys. Controls sit on the rectangles of rk52_layout.h,
// where the dryer's area file places its button and LED areas. Runs on the build host.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "tools/dot_font.h"
#include "tools/raster_canvas.h"
#include "tools/rk52_layout.h"

namespace {

using canvas::Ellipse;
using canvas::Hex;
using canvas::Image;
using canvas::Polygon;
using canvas::Rgb;
using canvas::RoundRect;
using canvas::Stroke;

// Windows bitmap file layout: 14-byte file header, 40-byte info header, rows bottom-up,
// each row padded to a multiple of 4 bytes.
constexpr uint32_t kFileHeaderSize = 14;
constexpr uint32_t kInfoHeaderSize = 40;
constexpr uint32_t kPixelsPerMetre = 2835; // 72 dpi

const Rgb kCasingEdge = Hex(0x2B2F33);
const Rgb kFasciaTop = Hex(0xF1F2F3);
const Rgb kFasciaBottom = Hex(0xD3D7DB);
const Rgb kStripTop = Hex(0x40464D);
const Rgb kStripBottom = Hex(0x262A2F);
const Rgb kPrint = Hex(0xE4E8EC);
const Rgb kPrintDim = Hex(0x9EA7B0);
const Rgb kAccent = Hex(0x49B2EA);
const Rgb kKeyTop = Hex(0xF7F8F9);
const Rgb kKeyBottom = Hex(0xCDD1D6);
const Rgb kKeySymbol = Hex(0x3A4047);

std::vector<uint8_t> EncodeBmp(const Image& image) {
  const uint32_t row_bytes = (uint32_t(image.width) * 3 + 3) & ~3u;
  const uint32_t pixel_bytes = row_bytes * uint32_t(image.height);
  std::vector<uint8_t> out;
  out.reserve(kFileHeaderSize + kInfoHeaderSize + pixel_bytes);
  out.push_back('B');
  out.push_back('M');
  canvas::PutLe32(out, kFileHeaderSize + kInfoHeaderSize + pixel_bytes);
  canvas::PutLe32(out, 0); // reserved
  canvas::PutLe32(out, kFileHeaderSize + kInfoHeaderSize);
  canvas::PutLe32(out, kInfoHeaderSize);
  canvas::PutLe32(out, uint32_t(image.width));
  canvas::PutLe32(out, uint32_t(image.height)); // positive: bottom-up rows
  canvas::PutLe16(out, 1);                      // planes
  canvas::PutLe16(out, 24);                     // bits per pixel
  canvas::PutLe32(out, 0);                      // BI_RGB
  canvas::PutLe32(out, pixel_bytes);
  canvas::PutLe32(out, kPixelsPerMetre);
  canvas::PutLe32(out, kPixelsPerMetre);
  canvas::PutLe32(out, 0); // colours used
  canvas::PutLe32(out, 0); // important colours
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x) {
      const Rgb& p = image.pixels[size_t(y) * size_t(image.width) + size_t(x)];
      out.push_back(canvas::ToByte(p.b));
      out.push_back(canvas::ToByte(p.g));
      out.push_back(canvas::ToByte(p.r));
    }
    for (uint32_t pad = uint32_t(image.width) * 3; pad < row_bytes; ++pad) out.push_back(0);
  }
  return out;
}

void FillGradientRoundRect(Image& image, RoundRect shape, Rgb top, Rgb bottom) {
  canvas::Fill(image, shape.x0, shape.y0, shape.x1, shape.y1, shape,
               canvas::VerticalGradient{shape.y0, shape.y1, top, bottom});
}

void DrawCasing(Image& image) {
  const float w = float(rk52::kWidth), h = float(rk52::kHeight);
  // Lit top edge, shaded body, then the face itself slightly inset.
  FillRoundRect(image, RoundRect{2, 2, w - 2, h - 2, 30}, Hex(0x8D949B));
  FillGradientRoundRect(image, RoundRect{4, 4, w - 4, h - 4, 28}, kFasciaTop, kFasciaBottom);
  // Soft highlight along the upper edge of the face.
  canvas::Fill(image, 6, 5, w - 6, 12, RoundRect{6, 5, w - 6, 40, 26},
               canvas::Solid{Hex(0xFFFFFF)}, 0.6f);
  FillGradientRoundRect(image, RoundRect{6, 8, w - 6, h - 6, 26}, kFasciaTop, kFasciaBottom);
}

void DrawGrille(Image& image) {
  // The air outlet: four long slots, each a dark recess with a lit lower lip.
  for (int i = 0; i < 4; ++i) {
    const float y = 20.0f + 12.0f * float(i);
    FillRoundRect(image, RoundRect{70, y + 1.5f, 710, y + 8.5f, 3.5f}, Hex(0xFFFFFF), 0.9f);
    FillGradientRoundRect(image, RoundRect{70, y, 710, y + 7, 3.5f}, Hex(0x30353A),
                          Hex(0x5E656C));
  }
}

void DrawControlStrip(Image& image) {
  const RoundRect strip{28, 76, 752, 346, 18};
  canvas::SoftShadow(image, strip, 6, 3, 0.35f);
  FillRoundRect(image, RoundRect{27, 75, 753, 347, 19}, Hex(0x15181B));
  FillGradientRoundRect(image, strip, kStripTop, kStripBottom);
  // A thin lit rim along the top makes the strip read as a raised moulding.
  canvas::Fill(image, 30, 77, 750, 80, RoundRect{30, 77, 750, 120, 17},
               canvas::Solid{Hex(0x8C959E)}, 0.5f);
  // A separating line between the display row and the key row.
  FillRoundRect(image, RoundRect{48, 198, 732, 199, 0}, Hex(0x1A1D21));
  FillRoundRect(image, RoundRect{48, 199, 732, 200, 0}, Hex(0x59616A));
}

void DrawBrand(Image& image) {
  dotfont::DrawText(image, 54, 106, "SICCORA", 3.0f, kPrint, 1.0f);
  dotfont::DrawText(image, 56, 134, "-SUPER", 2.2f, kAccent, 0.6f);
  dotfont::DrawText(image, 56, 160, "ROOM AIR DRYER", 1.25f, kPrintDim, 0.3f);
}

void DrawLcdWindow(Image& image) {
  const rk52::Rect& lcd = rk52::kLcd;
  const float l = float(lcd.left), t = float(lcd.top), r = float(lcd.right), b = float(lcd.bottom);
  // Bezel: a black frame with a lit bottom edge, then the glass, then a faint glare.
  FillRoundRect(image, RoundRect{l - 14, t - 14, r + 14, b + 18, 9}, Hex(0x6A737C));
  FillRoundRect(image, RoundRect{l - 14, t - 15, r + 14, b + 16, 9}, Hex(0x0D0F11));
  FillGradientRoundRect(image, RoundRect{l - 8, t - 8, r + 8, b + 11, 5}, Hex(0x25342B),
                        Hex(0x1A241E));
  canvas::Fill(image, l - 8, t - 8, r + 8, t + 4, RoundRect{l - 8, t - 8, r + 8, b + 11, 5},
               canvas::Solid{Hex(0xFFFFFF)}, 0.06f);
}

void DrawModelPlate(Image& image) {
  dotfont::DrawText(image, 610, 108, "RK 52", 2.0f, kPrint, 0.6f);
  // Beeper holes.
  for (int row = 0; row < 4; ++row)
    for (int col = 0; col < 7; ++col) {
      const float cx = 616.0f + 13.0f * float(col), cy = 136.0f + 11.0f * float(row);
      FillEllipse(image, Ellipse{cx, cy + 0.8f, 3.0f, 3.0f}, Hex(0x59616A));
      FillEllipse(image, Ellipse{cx, cy, 3.0f, 3.0f}, Hex(0x101215));
    }
}

void DrawLed(Image& image, const rk52::Led& led) {
  const float cx = (led.rect.left + led.rect.right) / 2.0f;
  const float cy = (led.rect.top + led.rect.bottom) / 2.0f;
  const float r = (led.rect.right - led.rect.left) / 2.0f;
  FillEllipse(image, Ellipse{cx, cy + 1, r + 4, r + 4}, Hex(0x6A737C));
  FillEllipse(image, Ellipse{cx, cy, r + 4, r + 4}, Hex(0x111316));
  FillEllipse(image, Ellipse{cx, cy, r, r}, Hex(0x3B2A2A));
  FillEllipse(image, Ellipse{cx - r * 0.3f, cy - r * 0.35f, r * 0.35f, r * 0.25f},
              Hex(0xFFFFFF), 0.25f);
  if (led.label[0])
    dotfont::DrawText(image, float(led.rect.right) + 9, cy - 4.4f, led.label, 1.25f, kPrintDim,
                      0.3f);
}

void DrawPowerSymbol(Image& image, float cx, float cy) {
  canvas::Ring ring{cx, cy + 1, 7.4f, 10.0f, 70.0f};
  canvas::Fill(image, cx - 11, cy - 10, cx + 11, cy + 12, ring, canvas::Solid{kKeySymbol});
  FillStroke(image, Stroke{cx, cy - 11, cx, cy - 1, 1.35f}, kKeySymbol);
}

void DrawShirt(Image& image, float cx, float cy) {
  Polygon shirt{{cx - 4.5f, cy - 10, cx - 13, cy - 5.5f, cx - 9.5f, cy + 0.5f, cx - 7,
                 cy - 1.5f, cx - 7, cy + 10, cx + 7, cy + 10, cx + 7, cy - 1.5f, cx + 9.5f,
                 cy + 0.5f, cx + 13, cy - 5.5f, cx + 4.5f, cy - 10, cx + 2, cy - 7.5f, cx,
                 cy - 7, cx - 2, cy - 7.5f}};
  canvas::Fill(image, cx - 14, cy - 11, cx + 14, cy + 11, shirt, canvas::Solid{kKeySymbol});
}

void DrawFilter(Image& image, float cx, float cy) {
  // A pleated filter mat: frame and a zig-zag of pleats.
  const float l = cx - 11, r = cx + 11, t = cy - 9, b = cy + 9;
  FillStroke(image, Stroke{l, t, r, t, 1.2f}, kKeySymbol);
  FillStroke(image, Stroke{l, b, r, b, 1.2f}, kKeySymbol);
  FillStroke(image, Stroke{l, t, l, b, 1.2f}, kKeySymbol);
  FillStroke(image, Stroke{r, t, r, b, 1.2f}, kKeySymbol);
  for (int i = 0; i < 5; ++i) {
    const float x0 = l + 2.0f + 3.6f * float(i);
    FillStroke(image, Stroke{x0, t + 2.5f, x0 + 1.8f, b - 2.5f, 0.8f}, kKeySymbol);
    FillStroke(image, Stroke{x0 + 1.8f, b - 2.5f, x0 + 3.6f, t + 2.5f, 0.8f}, kKeySymbol);
  }
}

void DrawHeat(Image& image, float cx, float cy) {
  // Three rising heat waves over a hot plate.
  for (int wave = -1; wave <= 1; ++wave) {
    const float x = cx + 7.0f * float(wave);
    float px = x, py = cy + 5;
    for (int i = 1; i <= 12; ++i) {
      const float y = cy + 5 - 1.25f * float(i);
      const float nx = x + 2.4f * std::sin(float(i) * 0.62f);
      FillStroke(image, Stroke{px, py, nx, y, 1.2f}, kKeySymbol);
      px = nx;
      py = y;
    }
  }
  FillStroke(image, Stroke{cx - 12, cy + 9, cx + 12, cy + 9, 1.5f}, kKeySymbol);
}

void DrawHouse(Image& image, float cx, float cy) {
  Polygon house{{cx, cy - 12, cx + 12, cy - 1, cx + 8.5f, cy - 1, cx + 8.5f, cy + 10,
                 cx - 8.5f, cy + 10, cx - 8.5f, cy - 1, cx - 12, cy - 1}};
  canvas::Fill(image, cx - 13, cy - 13, cx + 13, cy + 11, house, canvas::Solid{kKeySymbol});
  // The door in the key's own colour.
  FillRoundRect(image, RoundRect{cx - 2.8f, cy + 2, cx + 2.8f, cy + 10.5f, 1}, Hex(0xE0E3E6));
}

// The menu role of a key, printed small in its top right corner.
void DrawMenuSign(Image& image, const rk52::Button& button) {
  const float x = float(button.rect.right) - 14, y = float(button.rect.top) + 8;
  const Rgb sign = Hex(0x2F8FC4);
  switch (button.id) {
  case 2: // minus
    FillStroke(image, Stroke{x - 3.5f, y + 3, x + 3.5f, y + 3, 1.1f}, sign);
    break;
  case 4: { // next item
    Polygon next{{x - 3, y - 1, x + 4, y + 3, x - 3, y + 7}};
    canvas::Fill(image, x - 4, y - 2, x + 5, y + 8, next, canvas::Solid{sign});
    break;
  }
  case 8: // store
    FillStroke(image, Stroke{x - 4, y + 3, x - 1, y + 6, 1.1f}, sign);
    FillStroke(image, Stroke{x - 1, y + 6, x + 4, y - 1, 1.1f}, sign);
    break;
  case 16: // plus
    FillStroke(image, Stroke{x - 3.5f, y + 3, x + 3.5f, y + 3, 1.1f}, sign);
    FillStroke(image, Stroke{x, y - 0.5f, x, y + 6.5f, 1.1f}, sign);
    break;
  default:
    break;
  }
}

void DrawButton(Image& image, const rk52::Button& button) {
  const float l = float(button.rect.left), t = float(button.rect.top);
  const float r = float(button.rect.right), b = float(button.rect.bottom);
  const RoundRect key{l, t, r, b, 9};
  canvas::SoftShadow(image, key, 4, 3, 0.5f);
  FillRoundRect(image, RoundRect{l - 1, t - 1, r + 1, b + 1, 10}, Hex(0x14171A));
  FillGradientRoundRect(image, key, kKeyTop, kKeyBottom);
  // Pillow shading: a lit inner top and a darker lower rim.
  canvas::Fill(image, l, b - 6, r, b, key, canvas::Solid{Hex(0x9EA5AC)}, 0.35f);
  FillGradientRoundRect(image, RoundRect{l + 2, t + 2, r - 2, b - 5, 7}, Hex(0xFFFFFF),
                        Hex(0xD9DDE1));

  const float cx = (l + r) / 2, cy = (t + b) / 2 - 1;
  switch (button.id) {
  case 1: DrawPowerSymbol(image, cx, cy); break;
  case 2: DrawShirt(image, cx, cy); break;
  case 4: DrawFilter(image, cx, cy); break;
  case 8: DrawHeat(image, cx, cy); break;
  case 16: DrawHouse(image, cx, cy); break;
  default: break;
  }
  DrawMenuSign(image, button);
  dotfont::DrawTextCentred(image, cx, b + 14, button.label, 1.5f, kPrint, 0.4f);
}

void DrawFoot(Image& image) {
  // The water tank's finger recess below the control strip.
  FillRoundRect(image, RoundRect{320, 361, 460, 373, 6}, Hex(0xFFFFFF), 0.8f);
  FillGradientRoundRect(image, RoundRect{320, 359, 460, 371, 6}, Hex(0x6C737A), Hex(0xA9AFB5));
}

Image DrawPanel() {
  Image image = canvas::MakeImage(rk52::kWidth, rk52::kHeight, kCasingEdge);
  DrawCasing(image);
  DrawGrille(image);
  DrawControlStrip(image);
  DrawBrand(image);
  DrawLcdWindow(image);
  DrawModelPlate(image);
  for (const rk52::Led& led : rk52::kLeds) DrawLed(image, led);
  for (const rk52::Button& button : rk52::kButtons) DrawButton(image, button);
  DrawFoot(image);
  return image;
}

} // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_panel_bitmap <output.bmp>\n");
    return 2;
  }
  if (!canvas::WriteFile(argv[1], EncodeBmp(DrawPanel()))) {
    std::fprintf(stderr, "make_panel_bitmap: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
