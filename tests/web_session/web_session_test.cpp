#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "app/shell/shell_sliders.h"
#include "panel/core/data_lists.h"
#include "panel/window/panel_keys.h"
#include "sim/sim_engine.h"
#include "sim/sim_panel.h"
#include "web/bmp_picture.h"
#include "web/png_picture.h"
#include "web/web_session.h"

namespace {

// A 2 x 2 bitmap: red, green / blue, white (top row first), `bits` per pixel.
std::vector<uint8_t> Bitmap(int bits, bool top_down) {
  const size_t stride = bits == 24 ? 8 : 8;  // 2 * 3 rounded up to 4, or 2 * 4
  std::vector<uint8_t> b(54 + 2 * stride, 0);
  b[0] = 'B'; b[1] = 'M';
  b[10] = 54;
  b[14] = 40;
  b[18] = 2;
  const int32_t height = top_down ? -2 : 2;
  std::memcpy(&b[22], &height, 4);
  b[28] = static_cast<uint8_t>(bits);
  const uint8_t rows[2][2][3] = {{{0, 0, 255}, {0, 255, 0}}, {{255, 0, 0}, {255, 255, 255}}};
  for (int y = 0; y < 2; ++y) {
    const int stored = top_down ? y : 1 - y;
    for (int x = 0; x < 2; ++x) {
      std::memcpy(&b[54 + stored * stride + x * (bits / 8)], rows[y][x], 3);
    }
  }
  return b;
}

TEST(BmpPicture, DecodesBothRowOrdersAndDepths) {
  for (int bits : {24, 32}) {
    for (bool top_down : {false, true}) {
      const std::vector<uint8_t> bytes = Bitmap(bits, top_down);
      sim::Picture picture;
      ASSERT_TRUE(web::DecodeBmp(bytes.data(), bytes.size(), &picture)) << bits << top_down;
      EXPECT_EQ(picture.pixels, (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}));
    }
  }
}

TEST(BmpPicture, RejectsDamagedFiles) {
  struct Case { const char* what; size_t offset; uint8_t value; size_t cut; };
  const Case cases[] = {
      {"magic", 0, 'X', 0},          {"8 bits", 28, 8, 0},       {"compressed", 30, 1, 0},
      {"wide", 19, 0x7F, 0},         {"pixels cut short", 0, 'B', 4}, {"header only", 0, 'B', 16},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = Bitmap(24, false);
    bytes[c.offset] = c.value;
    bytes.resize(bytes.size() - c.cut);
    sim::Picture picture;
    EXPECT_FALSE(web::DecodeBmp(bytes.data(), bytes.size(), &picture)) << c.what;
    EXPECT_TRUE(picture.pixels.empty()) << c.what;
  }
  EXPECT_FALSE(web::DecodeBmp(nullptr, 0, nullptr));
}

// The same 2 x 2 picture as a PNG (8-bit RGB, one IDAT chunk).
const std::vector<uint8_t> kPng = {
    0x89, 0x50, 0x4E, 0x47, 0x0D, 0x0A, 0x1A, 0x0A, 0x00, 0x00, 0x00, 0x0D, 0x49, 0x48, 0x44,
    0x52, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x08, 0x02, 0x00, 0x00, 0x00, 0xFD,
    0xD4, 0x9A, 0x73, 0x00, 0x00, 0x00, 0x12, 0x49, 0x44, 0x41, 0x54, 0x78, 0xDA, 0x63, 0xF8,
    0xCF, 0xC0, 0xC0, 0x00, 0xC2, 0x0C, 0xFF, 0x81, 0x00, 0x00, 0x1F, 0xEE, 0x05, 0xFB, 0xF1,
    0xAB, 0xBA, 0x77, 0x00, 0x00, 0x00, 0x00, 0x49, 0x45, 0x4E, 0x44, 0xAE, 0x42, 0x60, 0x82};

TEST(PngPicture, DecodesThePictureAndRejectsDamagedOnes) {
  sim::Picture picture;
  ASSERT_TRUE(web::DecodePng(kPng.data(), kPng.size(), &picture));
  EXPECT_EQ(picture.width, 2);
  EXPECT_EQ(picture.pixels, (std::vector<uint32_t>{0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF}));
  struct Case { const char* what; size_t offset; uint8_t value; size_t cut; };
  const Case cases[] = {
      {"signature", 1, 'X', 0}, {"wider than accepted", 18, 0x40, 0}, {"cut in the data", 0, 0x89, 30},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = kPng;
    bytes[c.offset] = c.value;
    bytes.resize(bytes.size() - c.cut);
    sim::Picture untouched;
    EXPECT_FALSE(web::DecodePng(bytes.data(), bytes.size(), &untouched)) << c.what;
    EXPECT_TRUE(untouched.pixels.empty()) << c.what;
  }
  EXPECT_FALSE(web::DecodePng(nullptr, 0, &picture));
}

int g_beeps;

tagAREARECT ButtonRect(const char* name) {
  for (tagRECTNODE* node = GetRectList()->first; node; node = node->next) {
    if (node->record->kind == kRectKindButton && std::strcmp(node->record->name, name) == 0) {
      return node->record->rect;
    }
  }
  ADD_FAILURE() << "no button " << name;
  return tagAREARECT{};
}

void Click(const char* name, bool hold) {
  const tagAREARECT r = ButtonRect(name);
  web::PointerDown((r.left + r.right) / 2, (r.top + r.bottom) / 2, hold);
  web::PointerUp(hold);
}

class WebSession : public ::testing::Test {
 protected:
  void SetUp() override {
    shell::ResetShellSliders();
    g_beeps = 0;
    const web::PageHooks hooks{[](unsigned, unsigned) { ++g_beeps; }, [](const char*) {}};
    ASSERT_TRUE(web::StartSession(SICCORA_DATASET_DIR, 10u * 3600u * 1000u, hooks));
    web::SetSlider(shell::kHumidityRow, 70);
    web::AdvanceTicks(60);
  }
};

TEST_F(WebSession, ClickOnRoomStartsTheProgramAndRedraws) {
  ASSERT_NE(web::TakeFrame(), nullptr);
  EXPECT_EQ(web::TakeFrame(), nullptr);  // nothing changed since
  Click("Room", false);
  web::AdvanceTicks(3);
  EXPECT_EQ(sim::LcdRowText(1), "  START IN 5s   ");
  EXPECT_NE(web::TakeFrame(), nullptr);
}

TEST_F(WebSession, HeldButtonGetsItsSunkenEdgeUntilAKeyIsReleased) {
  const tagAREARECT r = ButtonRect("Filter reset");
  const size_t edge = static_cast<size_t>(r.top + 2) * static_cast<size_t>(web::FrameWidth()) +
                      static_cast<size_t>(r.left + 4);
  const uint8_t before = web::TakeFrame()[edge * 4];
  Click("Filter reset", true);
  EXPECT_EQ(panel::GetPanelKeys().latch_mask != 0, true);
  EXPECT_EQ(web::TakeFrame()[edge * 4], 0x80);  // the edge's shadow line
  web::KeyReleased();
  EXPECT_EQ(panel::GetPanelKeys().latch_mask, 0);
  EXPECT_EQ(web::TakeFrame()[edge * 4], before);
}

TEST_F(WebSession, SlidersAreClampedToTheShellsRanges) {
  web::SetSlider(shell::kHumidityRow, 250);
  web::SetSlider(shell::kTemperatureRow, -40);
  EXPECT_EQ(sim::InputHumidity(), 100);
  EXPECT_EQ(sim::InputTemperature(), -10);
}

TEST_F(WebSession, HelpAndTooltipOnlyOverAreas) {
  const tagAREARECT r = ButtonRect("Room");
  EXPECT_TRUE(web::HoverAt(r.left + 1, r.top + 1));
  EXPECT_FALSE(web::HoverAt(1, 1));
  EXPECT_EQ(web::HelpAt(1, 1), nullptr);
  ASSERT_NE(web::HelpAt(r.left + 1, r.top + 1), nullptr);
  EXPECT_GT(std::strlen(web::HelpAt(r.left + 1, r.top + 1)), 0u);
}

}  // namespace

namespace {

bool ReadyLit() {
  for (const sim::PanelArea& led : sim::PanelLeds()) {
    if (led.name == "Ready") return sim::PanelLedState(led.id) == sim::LedState::kOn;
  }
  return false;
}

TEST_F(WebSession, StartingAgainLightsReadyAsTheFirstStart) {
  EXPECT_TRUE(ReadyLit());
  const web::PageHooks hooks{nullptr, nullptr};
  ASSERT_TRUE(web::StartSession(SICCORA_DATASET_DIR, 14u * 3600u * 1000u, hooks));
  web::AdvanceTicks(60);
  EXPECT_TRUE(ReadyLit());
  EXPECT_EQ(sim::LcdRowText(1), " SICCORA-superb ");
}

}  // namespace

namespace {

unsigned g_beep_hz, g_beep_ms;

// Key Beep switched on in the CONFIGURATION menu: the next click sounds through the page's hook.
TEST_F(WebSession, KeyClickSoundsOnceTheControllerSwitchesItOn) {
  const web::PageHooks hooks{[](unsigned hz, unsigned ms) { ++g_beeps; g_beep_hz = hz; g_beep_ms = ms; },
                             nullptr};
  ASSERT_TRUE(web::StartSession(SICCORA_DATASET_DIR, 10u * 3600u * 1000u, hooks));
  web::AdvanceTicks(60);
  for (const char* button : {"Filter reset", "Heater", "Clothes washing"}) {
    Click(button, true);
    web::AdvanceTicks(5);
  }
  web::KeyReleased();
  web::AdvanceTicks(10);
  ASSERT_EQ(sim::LcdRowText(1), " CONFIGURATION  ");
  for (const char* button : {"Filter reset", "Filter reset", "Room", "Heater", "Off"}) {
    Click(button, false);
    web::AdvanceTicks(10);
  }
  g_beeps = 0;
  Click("Room", false);
  web::AdvanceTicks(3);
  EXPECT_EQ(g_beeps, 1);
  EXPECT_EQ(g_beep_hz, 3900u);
  EXPECT_EQ(g_beep_ms, 75u);
}

}  // namespace
