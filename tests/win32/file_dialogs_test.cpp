// The panel's open and save dialogs, driven as a user does on a thread of the test's own: the
// German filters, the owner, the chosen name, and each dialog's own remembered filter.
#include <gtest/gtest.h>
#include <windows.h>

#include <dlgs.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "panel/window/file_dialogs_win32.h"
#include "siccorae_loader.h"

using namespace panel;

namespace {

struct DialogSeen {
  HWND owner = nullptr;
  std::vector<std::string> filters;
  int filter = -1;  // selected filter (0-based)
  std::string name;
};

BOOL CALLBACK FindDialogOfThisProcess(HWND window, LPARAM found) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  char class_name[16] = {};
  GetClassNameA(window, class_name, sizeof(class_name));
  if (process == GetCurrentProcessId() && lstrcmpA(class_name, "#32770") == 0 &&
      IsWindowVisible(window)) {
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
  }
  return TRUE;
}

// The file name field: a combo box with an edit in the explorer style, else an edit.
HWND NameField(HWND dialog) {
  HWND combo = GetDlgItem(dialog, cmb13);
  return combo ? combo : GetDlgItem(dialog, edt1);
}

// Waits for the dialog, notes what it shows, lets `act` work on it and returns what was seen.
std::thread Drive(DialogSeen* seen, std::function<void(HWND)> act) {
  return std::thread([seen, act] {
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] {
      EnumWindows(FindDialogOfThisProcess, reinterpret_cast<LPARAM>(&dialog));
      return dialog != nullptr;
    }));
    seen->owner = GetWindow(dialog, GW_OWNER);
    HWND filters = GetDlgItem(dialog, cmb1);
    // The dialog fills its controls after it is shown: the filter list with one chosen.
    WaitFor([&] {
      return SendMessageA(filters, CB_GETCOUNT, 0, 0) > 0 &&
             SendMessageA(filters, CB_GETCURSEL, 0, 0) != CB_ERR;
    });
    const int count = static_cast<int>(SendMessageA(filters, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      char text[64] = {};
      SendMessageA(filters, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      seen->filters.push_back(text);
    }
    seen->filter = static_cast<int>(SendMessageA(filters, CB_GETCURSEL, 0, 0));
    char name[MAX_PATH] = {};
    GetWindowTextA(NameField(dialog), name, sizeof(name));
    seen->name = name;
    act(dialog);
  });
}

void Choose(HWND dialog, int filter, const std::string& name) {
  HWND filters = GetDlgItem(dialog, cmb1);
  SendMessageA(filters, CB_SETCURSEL, filter, 0);
  // What a user's pick in the drop-down list notifies.
  for (WORD notification : {CBN_SELCHANGE, CBN_SELENDOK}) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(cmb1, notification),
                 reinterpret_cast<LPARAM>(filters));
  }
  SetWindowTextA(NameField(dialog), name.c_str());
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
}

void Cancel(HWND dialog) { PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0); }

TEST(FileDialogs, OpenAndSaveKeepTheNameAndEachItsOwnFilter) {
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof(folder), folder);
  const std::string picture = std::string(folder) + "\\chosen.bmp";
  HANDLE file = CreateFileA(picture.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200,
                               100, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  PrepareFileDialogs();

  DialogSeen first;
  std::thread user = Drive(&first, [&](HWND dialog) { Choose(dialog, 1, picture); });
  const bool chosen = ShowOpenPanelFileDialog(owner);
  user.join();
  EXPECT_TRUE(chosen);
  EXPECT_EQ(lstrcmpiA(ChosenFileName(), picture.c_str()), 0) << ChosenFileName();
  EXPECT_STREQ(ChosenFileTitle(), "chosen.bmp");
  EXPECT_EQ(first.owner, owner);
  EXPECT_EQ(first.filters, (std::vector<std::string>{"Config Dateien (*.OPD)",
                                                     "Bitmap Dateien (*.BMP)",
                                                     "Lcd Dateien (*.lcd)", "Alle Dateien(*.*)"}));
  EXPECT_EQ(first.filter, 0);

  // The open dialog starts with the filter of its last success; cancelled, it keeps the name.
  DialogSeen second;
  user = Drive(&second, Cancel);
  EXPECT_FALSE(ShowOpenPanelFileDialog(owner));
  user.join();
  EXPECT_EQ(second.filter, 1);
  EXPECT_EQ(lstrcmpiA(ChosenFileName(), picture.c_str()), 0);

  // The save dialog has its own filter, still the first, and starts with the last name.
  DialogSeen save;
  user = Drive(&save, Cancel);
  EXPECT_FALSE(ShowSavePanelFileDialog(owner));
  user.join();
  EXPECT_EQ(save.filter, 0);
  EXPECT_NE(save.name.find("chosen"), std::string::npos) << save.name;
  EXPECT_EQ(save.owner, owner);

  PrepareFileDialogs();  // a second preparation changes nothing
  DialogSeen again;
  user = Drive(&again, Cancel);
  EXPECT_FALSE(ShowOpenPanelFileDialog(owner));
  user.join();
  EXPECT_EQ(again.filter, 1);
  DestroyWindow(owner);
}

}  // namespace
