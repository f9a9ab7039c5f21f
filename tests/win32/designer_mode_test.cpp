// Designer mode on the live panel window, driven with the real mouse and keyboard: a button area
// drawn with F6 and a drag, edited in its property dialog (ids, size and position), a reversed
// drag that makes nothing, and an LCD type chosen from the LCD menu and placed with a click,
// which rewrites the area file; reopening that file gives the same areas.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "panel/lcd/colour_table.h"
#include "panel/link/panel_settings.h"
#include "panel/window/area_file.h"
#include "real_input.h"
#include "siccorae_loader.h"
#include "window_capture.h"

namespace {

constexpr uint32_t kDesignerWord = 0x3B06;
constexpr uint32_t kPicturePixel = 0x00336699;
constexpr char kButtonDialog[] = "Eigenschaften zu Schatfl\xE4" "che";
constexpr char kIdBox[] = "Eigenschaften";
constexpr char kIdBoxText[] = "Bitte die ID im bin\xE4r Format (1, 2, 4, 8, 10, 20, 40, usw.";
constexpr int kMessageBoxText = 0xFFFF;  // the message's static control in a message box
constexpr UINT kFirstLcdType = 32891;
constexpr int32_t kBacklightOn = 17;
// What follows a closed dialog (the panel's repaint, the next dialog) can take Wine seconds on a
// display without window manager, and more on a loaded machine; nothing here is about speed.
constexpr DWORD kAfterDialogMs = 20000;

// A visible dialog or message box with exactly that title, waited for; null when none comes.
HWND WaitForDialog(const char* title, DWORD timeout_ms = kAfterDialogMs) {
  HWND dialog = nullptr;
  WaitFor([&] { return (dialog = FindWindowA("#32770", title)) && IsWindowVisible(dialog); },
          timeout_ms);
  return dialog && IsWindowVisible(dialog) ? dialog : nullptr;
}

std::string ItemText(HWND dialog, int control) {
  char text[300] = {};
  GetDlgItemTextA(dialog, control, text, sizeof(text));
  return text;
}

// One line per area of a list: texts, id, kind, rectangle and colours.
std::string Describe(const tagRLISTHEAD* areas) {
  std::string out;
  for (const tagRECTNODE* node = areas ? areas->first : nullptr; node; node = node->next) {
    const tagRECTPROP& a = *node->record;
    char line[400];
    wsprintfA(line, "%s|%s|%d|%u|%d,%d,%d,%d|%d,%d,%d\n", a.name ? a.name : "(none)",
              a.tooltip ? a.tooltip : "(none)", a.id, a.kind, a.rect.left, a.rect.top,
              a.rect.right, a.rect.bottom, a.color, a.active_color, a.inactive_color);
    out += line;
  }
  return out;
}

const tagRECTPROP* LastArea(const tagRLISTHEAD* areas) {
  return areas && areas->last ? areas->last->record : nullptr;
}

class DesignerModeByInput : public ::testing::Test {
 protected:
  void SetUp() override {
    DeleteFileA("rk52.opd");  // the area file the settings key names; written by the panel
    ASSERT_TRUE(WriteTextFile("rk52.lcd",
                              "[LCD TYPES]\r\nName=LCD 16x2\r\nLines=2\r\nCharakter=16\r\n"
                              "w=80\r\nh=36\r\nfontX=5\r\n"));
    ASSERT_TRUE(WriteSolidBitmap("rk52.bmp", 640, 320, kPicturePixel));
    api_ = &LoadSiccoraeWithOptions(kDesignerWord);
    ASSERT_NE(api_->module, nullptr);
    panel_ = WaitForPanelWindow();
    ASSERT_NE(panel_, nullptr);
    LoadPanelAndRepaint(panel_);
    FocusWindow(panel_);
    // Keys made on the X server go to the window under the pointer.
    MoveMouseTo(panel_, 400, 200);
  }

  static bool WriteTextFile(const char* path, const char* text) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    WriteFile(file, text, lstrlenA(text), &written, nullptr);
    CloseHandle(file);
    return written == static_cast<DWORD>(lstrlenA(text));
  }

  void Drag(int x0, int y0, int x1, int y1) {
    MoveMouseTo(panel_, x0, y0);
    PressLeftButton();
    MoveMouseTo(panel_, x1, y1);
    ReleaseLeftButton();
    SyncWithPanel(panel_);
  }

  void Key(WORD key) {
    KeyDown(key);
    KeyUp(key);
    SyncWithPanel(panel_);
  }

  uint32_t PixelAt(int x, int y) const { return CaptureClient(panel_, x, y, 1, 1).At(x, y); }

  // White pixels on the top edge of the shape drawn from (100, 100): its dashes.
  int WhiteDashPixels() const {
    const Capture edge = CaptureClient(panel_, 100, 100, 40, 1);
    int white = 0;
    for (uint32_t pixel : edge.pixels) white += pixel == 0x00FFFFFF ? 1 : 0;
    return white;
  }

  tagRLISTHEAD* Areas() const { return api_->GetRectList(); }

  const SiccoraeApi* api_ = nullptr;
  HWND panel_ = nullptr;
};

TEST_F(DesignerModeByInput, DrawnButtonAreaIsEditedInItsDialog) {
  Key(VK_F6);
  ASSERT_TRUE(WaitFor([&] {
    return (GetMenuState(GetMenu(panel_), 32860, MF_BYCOMMAND) & MF_CHECKED) != 0;
  }));
  Drag(100, 100, 140, 120);
  // The pending shape's dashed outline shows white on the picture.
  EXPECT_TRUE(WaitUntil([&] { return WhiteDashPixels() > 10; })) << WhiteDashPixels();
  const int count_before = Areas()->count;
  // Cancel on the new area adds nothing and keeps the shape pending with its outline.
  RightClickAt(panel_, 110, 110);
  HWND dialog = WaitForDialog(kButtonDialog);
  ASSERT_NE(dialog, nullptr);
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(Areas()->count, count_before);
  EXPECT_TRUE(WaitUntil([&] { return WhiteDashPixels() > 10; }, kAfterDialogMs));
  RightClickAt(panel_, 110, 110);
  dialog = WaitForDialog(kButtonDialog);
  ASSERT_NE(dialog, nullptr);
  const struct {
    int control;
    const char* text;
  } shown[] = {{1218, "Button"}, {1219, "-"},   {1220, "0"},  {1221, "40"},
               {1222, "20"},     {1223, "100"}, {1224, "100"}};
  for (const auto& field : shown) EXPECT_EQ(ItemText(dialog, field.control), field.text);
  EXPECT_EQ(GetDlgItem(dialog, 1225), nullptr);  // no colours for a button
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  ASSERT_EQ(Areas()->count, count_before + 1);
  const tagRECTPROP* area = LastArea(Areas());
  EXPECT_EQ(Describe(Areas()), "Button|-|0|32860|100,100,140,120|-1,-1,-1\n");
  // The outline went with it.
  EXPECT_TRUE(WaitUntil([&] { return WhiteDashPixels() == 0; }, kAfterDialogMs));

  // Each row: the fields typed into the dialog, then OK; a refused id shows the box first.
  const struct {
    const char* id;
    const char* width;
    const char* left;
    bool refused;
    int32_t id_after;
    tagAREARECT rect_after;
  } edits[] = {
      {"6", nullptr, nullptr, false, 6, {100, 100, 140, 120}},
      {"3", nullptr, nullptr, true, 0, {100, 100, 140, 120}},
      {"1", "50", nullptr, false, 1, {100, 100, 150, 120}},  // width alone: right = left + 50
      {nullptr, "70", "10", false, 1, {10, 100, 60, 120}},
  };
  for (const auto& edit : edits) {
    const std::string row = std::string("id ") + (edit.id ? edit.id : "-") + " width " +
                            (edit.width ? edit.width : "-") + " x " + (edit.left ? edit.left : "-");
    RightClickAt(panel_, 110, 110);
    dialog = WaitForDialog(kButtonDialog);
    ASSERT_NE(dialog, nullptr) << row;
    if (edit.id) SetDlgItemTextA(dialog, 1220, edit.id);
    if (edit.width) SetDlgItemTextA(dialog, 1221, edit.width);
    if (edit.left) SetDlgItemTextA(dialog, 1223, edit.left);
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    if (edit.refused) {
      HWND box = WaitForDialog(kIdBox);
      ASSERT_NE(box, nullptr) << row;
      EXPECT_EQ(ItemText(box, kMessageBoxText), kIdBoxText) << row;
      EXPECT_EQ(area->id, 0) << row;
      PostMessageA(box, WM_COMMAND, IDOK, 0);
      ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); })) << row;
      SyncWithPanel(panel_);
      EXPECT_TRUE(IsWindow(dialog)) << row << ": the dialog stays open";
      PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    }
    ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); })) << row;
    EXPECT_EQ(area->id, edit.id_after) << row;
    EXPECT_EQ(std::vector<int32_t>({area->rect.left, area->rect.top, area->rect.right,
                                    area->rect.bottom}),
              std::vector<int32_t>({edit.rect_after.left, edit.rect_after.top,
                                    edit.rect_after.right, edit.rect_after.bottom}))
        << row;
  }
  EXPECT_EQ(FindWindowA("#32770", kIdBox), nullptr);

  // Dragged from the lower right to the upper left: no point lies inside, nothing is made.
  Drag(140, 120, 100, 100);
  RightClickAt(panel_, 110, 110);
  EXPECT_EQ(WaitForDialog(kButtonDialog, 1000), nullptr);
  EXPECT_EQ(Areas()->count, count_before + 1);
  Key(VK_ESCAPE);
}

TEST_F(DesignerModeByInput, ChosenLcdTypeIsPlacedByAClickAndSavedInTheAreaFile) {
  const struct {
    uint32_t kind;
    int32_t id;
    tagAREARECT rect;
    int32_t colour;
  } areas[] = {{32860, 1, {20, 20, 60, 60}, -1},
               {32861, 1, {80, 20, 110, 50}, 4},
               {32863, 0, {140, 20, 200, 50}, 8}};
  for (const auto& a : areas) {
    tagRECTPROP area{};
    area.name = const_cast<char*>("Start");
    area.tooltip = const_cast<char*>("Start the program");
    area.kind = a.kind;
    area.id = a.id;
    area.rect = a.rect;
    area.color = area.inactive_color = a.colour;
    area.active_color = 2;
    ASSERT_EQ(api_->AppendRect(Areas(), api_->CreateRectEntry(&area)), 1);
  }
  const std::string drawn = Describe(Areas());

  // A right click on an LCD area: its dialog without an id; grey (8) selects "Gray 50", the
  // first entry beginning with its name.
  RightClickAt(panel_, 150, 30);
  HWND dialog = WaitForDialog("Eigenschaften zu Lcd");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(GetDlgItem(dialog, 1220), nullptr);
  EXPECT_EQ(ItemText(dialog, 1225), "Green");
  EXPECT_EQ(ItemText(dialog, 1227), "Gray 50");
  PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  // A point of the LCD frame left of the rows, far below the top left corner.
  EXPECT_NE(PixelAt(302, 200), panel::ColourPixel(kBacklightOn));

  SendMessageA(panel_, WM_COMMAND, MAKEWPARAM(kFirstLcdType, 0), 0);
  EXPECT_TRUE(GetMenuState(GetMenu(panel_), kFirstLcdType, MF_BYCOMMAND) & MF_CHECKED);
  MoveMouseTo(panel_, 250, 60);
  ClickAt(panel_, 300, 120);
  ASSERT_TRUE(WaitFor([] { return GetFileAttributesA("rk52.opd") != INVALID_FILE_ATTRIBUTES; }));
  SyncWithPanel(panel_);

  // The glass of 80 x 36 mm less 2.5 x 3.7 mm, in the screen's pixels.
  POINT glass{7750, 3229};
  HDC screen = GetDC(nullptr);
  SetMapMode(screen, MM_HIMETRIC);
  LPtoDP(screen, &glass, 1);
  SetMapMode(screen, MM_TEXT);
  ReleaseDC(nullptr, screen);
  const std::vector<int32_t> placed = {300, 120, 300 + glass.x - 22, 120 + std::abs(glass.y) - 16};

  panel::PanelSettings saved{};
  ASSERT_EQ(panel::ReadAreaFile("rk52.opd", &saved), 1);
  EXPECT_EQ(std::vector<int32_t>(saved.LcdRect, saved.LcdRect + 4), placed);
  EXPECT_STREQ(saved.LcdTypeName, "LCD 16x2");
  EXPECT_EQ(Describe(GetRectList()), drawn);  // the file's areas, read by this test
  EXPECT_TRUE(WaitUntil([&] { return PixelAt(302, 200) == panel::ColourPixel(kBacklightOn); }))
      << std::hex << PixelAt(302, 200);

  // Reopened by the panel itself: the same areas, the LCD where it was placed.
  LoadPanelAndRepaint(panel_);
  EXPECT_EQ(Describe(Areas()), drawn);
  EXPECT_EQ(PixelAt(302, 200), panel::ColourPixel(kBacklightOn));
}

}  // namespace
