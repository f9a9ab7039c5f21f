// The orderly end of the panel's UI thread that an application runs before its process ends.
#include <gtest/gtest.h>

#include "app/shell/shell_panel_end_win32.h"
#include "siccorae_loader.h"

namespace {

bool EndNoticeQueued() {
  MSG message;
  return PeekMessageA(&message, reinterpret_cast<HWND>(-1), WM_DESTROY, WM_DESTROY,
                      PM_NOREMOVE) != FALSE;
}

TEST(PanelEnd, QuitsTheUiThreadWaitsForItAndTakesTheEndNoticeAsNoPanel) {
  const SiccoraeApi& api = LoadSiccorae();  // this thread becomes the attach thread
  ASSERT_NE(api.module, nullptr);
  HWND panel = WaitForPanelWindow();
  ASSERT_NE(panel, nullptr);
  MSG message;
  PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE);  // this thread's queue, for the notice
  const DWORD ui_thread = shell::FindPanelUiThread(shell::kPanelWindowWaitMs);
  ASSERT_EQ(ui_thread, GetWindowThreadProcessId(panel, nullptr));
  ASSERT_NE(ui_thread, GetCurrentThreadId());

  EXPECT_TRUE(shell::EndPanelUiThread(ui_thread, shell::kPanelThreadEndWaitMs));
  // The thread has ended: its window is gone, and on its way out it posted the end notice.
  EXPECT_FALSE(IsWindow(panel));
  EXPECT_TRUE(EndNoticeQueued());

  // With the notice queued, the search neither finds a panel nor waits for one; it takes the
  // notice from the queue.
  const DWORD start = GetTickCount();
  EXPECT_EQ(shell::FindPanelUiThread(shell::kPanelWindowWaitMs), 0u);
  EXPECT_LT(GetTickCount() - start, shell::kPanelWindowWaitMs / 2);
  EXPECT_FALSE(EndNoticeQueued());
  // Ending a thread that is gone, or none, reports it as ended.
  EXPECT_TRUE(shell::EndPanelUiThread(ui_thread, shell::kPanelThreadEndWaitMs));
  EXPECT_TRUE(shell::EndPanelUiThread(0, shell::kPanelThreadEndWaitMs));
}

}  // namespace
