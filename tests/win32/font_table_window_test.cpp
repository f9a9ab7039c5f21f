// The font table window with option 0x4000 in force when the panel is created: "Font Wnd"
// "Fonttable" at (200, 200), 450 x 500, owned by the panel and hidden; shown, it draws the chart
// of the live glyph table, so a user glyph written with "@D"/"@W" frames changes its pixels.
#include <gtest/gtest.h>

#include <string>

#include "panel_library_case.h"
#include "window_capture.h"

namespace {

constexpr uint32_t kOptionsWithFontTable = 0x8410 | 0x4000;
constexpr uint32_t kBlack = 0x000000;
constexpr uint32_t kWhite = 0xFFFFFF;
// Code 0 is charted at (39, 40): its dots are 2 x 2 squares, five to a row.
constexpr int kGlyphZeroX = 39;
constexpr int kGlyphZeroY = 40;

class FontTableWindow : public PanelLibraryCase {
 protected:
  FontTableWindow() : PanelLibraryCase(kOptionsWithFontTable) {}

  // The dot colours of glyph row `row` of code 0, leftmost dot first, as "#" and ".".
  std::string GlyphZeroRow(HWND window, int row) const {
    const Capture capture = CaptureClient(window, kGlyphZeroX, kGlyphZeroY + 2 * row, 10, 1);
    std::string dots;
    for (int dot = 0; dot < 5; ++dot) {
      const uint32_t pixel = capture.At(kGlyphZeroX + 2 * dot, kGlyphZeroY + 2 * row);
      dots += pixel == kBlack ? '#' : pixel == kWhite ? '.' : '?';
    }
    return dots;
  }
};

TEST_F(FontTableWindow, CreatedHiddenWithThePanel) {
  HWND chart = FindProcessWindow("Font Wnd");
  ASSERT_NE(chart, nullptr);
  ExpectWindowFacts(chart, {"Fonttable", panel_, false, 200, 200, 450, 500});
}

TEST_F(FontTableWindow, ChartShowsAUserGlyphAsSoonAsItIsWritten) {
  HWND chart = FindProcessWindow("Font Wnd");
  ASSERT_NE(chart, nullptr);
  ShowWindow(chart, SW_SHOWNOACTIVATE);
  // After LcdInit every user glyph is a full block.
  EXPECT_TRUE(WaitFor([&] { return GlyphZeroRow(chart, 0) == "#####"; }));
  EXPECT_EQ(GlyphZeroRow(chart, 7), "#####");

  // Glyph memory address 0, then eight rows: a frame of dots around an empty middle.
  Frame("@D40\x10");
  Frame("@W\x1F\x11\x11\x11\x11\x11\x11\x1F\x10");
  Frame("@D80\x10");
  EXPECT_TRUE(WaitFor([&] { return GlyphZeroRow(chart, 1) == "#...#"; }));
  EXPECT_EQ(GlyphZeroRow(chart, 0), "#####");
  EXPECT_EQ(GlyphZeroRow(chart, 6), "#...#");
  EXPECT_EQ(GlyphZeroRow(chart, 7), "#####");
}

}  // namespace
