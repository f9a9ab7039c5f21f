// The help note and the about dialog as the panel uses them: WM_SETTEXT with the mouse position
// sizes, places and shows the note by its rule and paints it pale yellow; Escape and a click hide
// it. The about command shows dialog 101 "Info", which its OK button ends.
#include <gtest/gtest.h>

#include <string>

#include "panel/window/panel_resources_win32.h"
#include "siccorae_loader.h"
#include "window_capture.h"

namespace {

constexpr uint32_t kNotePixel = 0xFFFFA0;  // RGB(255, 255, 160)

class HelpAndAbout : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(api_.module, nullptr);
    panel_ = WaitForPanelWindow();
    ASSERT_NE(panel_, nullptr);
    help_ = FindProcessWindow("Help Wnd");
    ASSERT_NE(help_, nullptr);
    HDC dc = GetDC(help_);  // a fresh context of the note: its default font
    TEXTMETRICA font{};
    GetTextMetricsA(dc, &font);
    ReleaseDC(help_, dc);
    w_ = font.tmAveCharWidth;
    lh_ = font.tmHeight + font.tmExternalLeading;
    cap_ = (font.tmPitchAndFamily & TMPF_FIXED_PITCH) ? w_ * 3 / 2 : w_;
  }

  // Asks for a note of `length` characters at the screen point (x, y).
  void Ask(int length, int x, int y) {
    const std::string text(static_cast<size_t>(length), 'h');
    SendMessageA(help_, WM_SETTEXT, MAKEWPARAM(x, y), reinterpret_cast<LPARAM>(text.c_str()));
  }

  int NoteHeight(int length) const {
    const int height = length * lh_ / 80 + 1;
    return height + lh_ - height % lh_ + 6;
  }

  static void Click(int x, int y) {
    SetCursorPos(x, y);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, input, sizeof(INPUT));
  }

  static void PressKey(WORD key) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
  }

  const SiccoraeApi& api_ = LoadSiccorae();
  HWND panel_ = nullptr;
  HWND help_ = nullptr;
  int w_ = 0;
  int lh_ = 0;
  int cap_ = 0;
};

TEST_F(HelpAndAbout, HelpNoteIsAHiddenPopupOfThePanel) {
  char title[32] = {};
  GetWindowTextA(help_, title, sizeof(title));
  EXPECT_STREQ(title, "Hilfe zu rk52");
  EXPECT_EQ(GetWindow(help_, GW_OWNER), panel_);
  EXPECT_NE(GetWindowLongA(help_, GWL_STYLE) & WS_POPUP, 0);
  EXPECT_FALSE(IsWindowVisible(help_));
}

TEST_F(HelpAndAbout, SetTextSizesPlacesAndPaintsTheNoteAndEscapeOrAClickHidesIt) {
  ASSERT_GT(w_, 0);
  ASSERT_GT(lh_, 0);
  Ask(20, 100, 120);
  EXPECT_TRUE(IsWindowVisible(help_));
  RECT note;
  GetWindowRect(help_, &note);
  EXPECT_EQ(note.left, 100);
  EXPECT_EQ(note.top, 120);
  EXPECT_EQ(note.right - note.left, 20 * w_ + cap_ + 6);
  EXPECT_EQ(note.bottom - note.top, NoteHeight(20));
  RECT client;
  GetClientRect(help_, &client);
  EXPECT_TRUE(WaitFor([&] {
    const Capture inside = CaptureClient(help_, client.right - 3, client.bottom - 3, 1, 1);
    return inside.pixels[0] == kNotePixel;
  }));
  EXPECT_EQ(CaptureClient(help_, 0, 0, 1, 1).pixels[0], 0u);  // the black outline

  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(help_); }));

  // 100 characters near the right edge: 80 wide, moved left to end before the edge.
  const int screen_width = GetSystemMetrics(SM_CXSCREEN);
  Ask(100, screen_width - 50, 200);
  GetWindowRect(help_, &note);
  const int width = 80 * w_ + cap_;
  EXPECT_EQ(note.left, screen_width - 2 * cap_ - width);
  EXPECT_EQ(note.top, 200);
  EXPECT_EQ(note.right - note.left, width + 6);
  EXPECT_EQ(note.bottom - note.top, NoteHeight(100));
  Click((note.left + note.right) / 2, (note.top + note.bottom) / 2);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(help_); }));
}

TEST_F(HelpAndAbout, AboutCommandShowsInfoDialogThatOkEnds) {
  PostMessageA(panel_, WM_COMMAND, kCmdAbout, 0);
  HWND about = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    about = FindProcessWindow("#32770");
    return about != nullptr && IsWindowVisible(about);
  }));
  char text[64] = {};
  GetWindowTextA(about, text, sizeof(text));
  EXPECT_STREQ(text, "Info");
  EXPECT_EQ(GetWindow(about, GW_OWNER), panel_);
  bool version_shown = false;
  bool icon_shown = false;
  for (HWND child = GetWindow(about, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    GetWindowTextA(child, text, sizeof(text));
    if (lstrcmpA(text, "Orvane Version 1.0") == 0) version_shown = true;
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON &&
        SendMessageA(child, STM_GETICON, 0, 0) != 0) {
      icon_shown = true;
    }
  }
  EXPECT_TRUE(version_shown);
  EXPECT_TRUE(icon_shown);
  HWND ok = GetDlgItem(about, IDOK);
  ASSERT_NE(ok, nullptr);
  GetWindowTextA(ok, text, sizeof(text));
  EXPECT_STREQ(text, "OK");
  RECT button;
  GetWindowRect(ok, &button);
  Click((button.left + button.right) / 2, (button.top + button.bottom) / 2);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(about); }));
}

}  // namespace
