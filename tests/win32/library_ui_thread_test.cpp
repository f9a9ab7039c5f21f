// The library's UI thread: its message loop (accelerator table 120, the dropped wParam 0x73),
// its resources, and the end notice it posts to the attach thread when it ends.
#include <gtest/gtest.h>

#include <atomic>
#include <vector>

#include "siccorae_loader.h"

namespace {

constexpr UINT kSentinel = WM_APP + 77;

// Records what the panel window's procedure is given, then passes it on.
struct DispatchRecorder {
  WNDPROC original = nullptr;
  std::vector<MSG> seen;  // written on the UI thread, read after the sentinel arrived
  std::atomic<bool> sentinel_seen{false};
};
DispatchRecorder dispatch_recorder;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kSentinel) {
    dispatch_recorder.sentinel_seen = true;
    return 0;
  }
  if (message == WM_CHAR || message == WM_KEYDOWN || message == WM_SYSKEYDOWN ||
      message == WM_COMMAND) {
    dispatch_recorder.seen.push_back(MSG{window, message, wparam, lparam, 0, {}});
  }
  return CallWindowProcA(dispatch_recorder.original, window, message, wparam, lparam);
}

// Posts the messages to the panel window, as input would arrive, and waits until the loop has
// passed all of them on (or dropped them).
std::vector<MSG> DispatchThroughLoop(HWND panel, const std::vector<MSG>& messages) {
  dispatch_recorder.seen.clear();
  dispatch_recorder.sentinel_seen = false;
  dispatch_recorder.original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(panel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc)));
  for (const MSG& message : messages) {
    PostMessageA(panel, message.message, message.wParam, message.lParam);
  }
  PostMessageA(panel, kSentinel, 0, 0);
  for (int i = 0; i < 500 && !dispatch_recorder.sentinel_seen; ++i) Sleep(10);
  SetWindowLongPtrA(panel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(dispatch_recorder.original));
  SyncWithPanel(panel);
  return dispatch_recorder.seen;
}

TEST(UiThread, LoopDropsEveryMessageWithWParam0x73) {
  const SiccoraeApi& api = LoadSiccorae();
  ASSERT_NE(api.module, nullptr);
  HWND panel = WaitForPanelWindow();
  ASSERT_NE(panel, nullptr);
  const std::vector<MSG> seen = DispatchThroughLoop(
      panel, {MSG{panel, WM_CHAR, 's', 0, 0, {}}, MSG{panel, WM_KEYDOWN, VK_F4, 0, 0, {}},
              MSG{panel, WM_SYSKEYDOWN, VK_F4, 0x20000000, 0, {}},
              MSG{panel, WM_CHAR, 't', 0, 0, {}}, MSG{panel, WM_KEYDOWN, VK_F3, 0, 0, {}}});
  ASSERT_TRUE(dispatch_recorder.sentinel_seen);
  // F4, Alt+F4 and 's' never reach the window; the neighbours do.
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0].message, static_cast<UINT>(WM_CHAR));
  EXPECT_EQ(seen[0].wParam, static_cast<WPARAM>('t'));
  EXPECT_EQ(seen[1].message, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(seen[1].wParam, static_cast<WPARAM>(VK_F3));
}

TEST(UiThread, AcceleratorTable120TurnsF5F6F7IntoCommands) {
  const SiccoraeApi& api = LoadSiccorae();
  ASSERT_NE(api.module, nullptr);
  HWND panel = WaitForPanelWindow();
  ASSERT_NE(panel, nullptr);
  const std::vector<MSG> seen =
      DispatchThroughLoop(panel, {MSG{panel, WM_KEYDOWN, VK_F5, 0, 0, {}},
                                  MSG{panel, WM_KEYDOWN, VK_F6, 0, 0, {}},
                                  MSG{panel, WM_KEYDOWN, VK_F7, 0, 0, {}}});
  ASSERT_TRUE(dispatch_recorder.sentinel_seen);
  std::vector<WPARAM> commands;
  for (const MSG& message : seen) {
    EXPECT_EQ(message.message, static_cast<UINT>(WM_COMMAND));  // the key itself is consumed
    if (message.message == WM_COMMAND) commands.push_back(LOWORD(message.wParam));
  }
  EXPECT_EQ(commands, (std::vector<WPARAM>{32862, 32860, 32861}));
}

TEST(UiThread, AcceleratorTable120HasExactlyItsSixEntries) {
  const SiccoraeApi& api = LoadSiccorae();
  ASSERT_NE(api.module, nullptr);
  HACCEL table = LoadAcceleratorsA(api.module, MAKEINTRESOURCEA(120));
  ASSERT_NE(table, nullptr);
  ACCEL entries[16];
  const int count = CopyAcceleratorTableA(table, entries, 16);
  ASSERT_EQ(count, 6);
  struct Expected { BYTE flags; WORD key; WORD command; };
  const Expected expected[6] = {
      {FVIRTKEY | FCONTROL, 'O', 32770}, {FVIRTKEY | FCONTROL, 'S', 32771},
      {FVIRTKEY, VK_F5, 32862},          {FVIRTKEY, VK_F6, 32860},
      {FVIRTKEY, VK_F7, 32861},          {FVIRTKEY | FCONTROL | FSHIFT | FALT, VK_F11, 32950}};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(entries[i].fVirt & ~0x80, expected[i].flags) << i;  // 0x80 marks the last entry
    EXPECT_EQ(entries[i].key, expected[i].key) << i;
    EXPECT_EQ(entries[i].cmd, expected[i].command) << i;
  }
}

std::string MenuText(HMENU menu, UINT command) {
  char text[128] = {};
  GetMenuStringA(menu, command, text, sizeof(text), MF_BYCOMMAND);
  return text;
}

TEST(UiThread, ClassMenusCarryTheirCommands) {
  const SiccoraeApi& api = LoadSiccorae();
  ASSERT_NE(api.module, nullptr);
  HMENU german = LoadMenuA(api.module, MAKEINTRESOURCEA(120));
  HMENU reduced = LoadMenuA(api.module, MAKEINTRESOURCEA(121));
  HMENU english = LoadMenuA(api.module, MAKEINTRESOURCEA(122));
  ASSERT_NE(german, nullptr);
  ASSERT_NE(reduced, nullptr);
  ASSERT_NE(english, nullptr);
  EXPECT_EQ(GetMenuItemCount(german), 5);
  EXPECT_EQ(GetMenuItemCount(reduced), 3);
  EXPECT_EQ(GetMenuItemCount(english), 5);
  EXPECT_EQ(MenuText(german, 32770), "&\xD6" "ffnen...\tCtrl+O");  // code page 1252
  EXPECT_EQ(MenuText(english, 32851), "&LCD Control panel ...");
  EXPECT_EQ(MenuText(reduced, 32773), "&Verbinden\tCtrl+C");
  EXPECT_EQ(MenuText(reduced, 32770), "");  // the reduced menu has no file commands
  EXPECT_TRUE(GetMenuState(reduced, 32850, MF_BYCOMMAND) & MF_GRAYED);
  EXPECT_TRUE(GetMenuState(german, 32794, MF_BYCOMMAND) & MF_CHECKED);
  EXPECT_TRUE(GetMenuState(english, 32781, MF_BYCOMMAND) & MF_CHECKED);
  DestroyMenu(german);
  DestroyMenu(reduced);
  DestroyMenu(english);
}

bool WaitForThreadDestroyNotice(DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  MSG message;
  while (GetTickCount() - start < timeout_ms) {
    while (PeekMessageA(&message, reinterpret_cast<HWND>(-1), 0, 0, PM_REMOVE)) {
      if (message.message == WM_DESTROY && message.hwnd == nullptr && message.wParam == 0 &&
          message.lParam == 0) {
        return true;
      }
    }
    Sleep(10);
  }
  return false;
}

TEST(UiThread, EndOfTheLoopPostsWmDestroyToTheAttachThread) {
  const SiccoraeApi& api = LoadSiccorae();  // this thread loads the library: the attach thread
  ASSERT_NE(api.module, nullptr);
  HWND panel = WaitForPanelWindow();
  ASSERT_NE(panel, nullptr);
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // make sure this thread has a queue
  EXPECT_FALSE(WaitForThreadDestroyNotice(100));        // no notice while the panel runs
  const DWORD ui_thread = GetWindowThreadProcessId(panel, nullptr);
  ASSERT_TRUE(PostThreadMessageA(ui_thread, WM_QUIT, 0, 0));
  EXPECT_TRUE(WaitForThreadDestroyNotice(5000));
  // With the panel gone, frames stay queued and nothing is interpreted or answered.
  AttachRecorder(api);
  Send(api, "@V\x10");
  EXPECT_EQ(CheckRxOnce(api), "");
}

}  // namespace
