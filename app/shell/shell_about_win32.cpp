#include "app/shell/shell_about_win32.h"

#include <shellapi.h>

#include "app/shell/shell_font_win32.h"
#include "app/shell/shell_resource_ids.h"

namespace shell {

namespace {

constexpr COLORREF kLinkColour = 0xFF0000;  // blue: COLORREF is 0x00BBGGRR
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr int kLinkChars = 260;

// The open about box's resources; one box at a time (it is modal).
struct AboutBoxState {
  HINSTANCE instance;
  HFONT normal_font;
  HFONT bold_font;
  HBRUSH white_brush;
  bool link_bold;
};

AboutBoxState g_about;

bool PointOnLink(HWND dialog, LPARAM lparam) {
  POINT point{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
  ClientToScreen(dialog, &point);
  RECT link;
  GetWindowRect(GetDlgItem(dialog, IDC_ABOUT_LINK), &link);
  return PtInRect(&link, point) != FALSE;
}

void SetLinkBold(HWND dialog, bool bold) {
  if (bold == g_about.link_bold) return;
  g_about.link_bold = bold;
  SendMessageA(GetDlgItem(dialog, IDC_ABOUT_LINK), WM_SETFONT,
               reinterpret_cast<WPARAM>(bold ? g_about.bold_font : g_about.normal_font), TRUE);
}

void OpenLink(HWND dialog) {
  char address[kLinkChars];
  GetWindowTextA(GetDlgItem(dialog, IDC_ABOUT_LINK), address, kLinkChars);
  ShellExecuteA(dialog, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

void ReleaseAboutResources() {
  HGDIOBJ objects[] = {g_about.white_brush, g_about.normal_font, g_about.bold_font};
  for (HGDIOBJ object : objects)
    if (object) DeleteObject(object);
  g_about.white_brush = nullptr;
  g_about.normal_font = nullptr;
  g_about.bold_font = nullptr;
}

INT_PTR OnInitAbout(HWND dialog) {
  g_about.normal_font = CreateShellFont(kFontWeightThin);
  g_about.bold_font = CreateShellFont(kFontWeightBold);
  g_about.white_brush = CreateSolidBrush(kWhite);
  g_about.link_bold = false;
  SendMessageA(GetDlgItem(dialog, IDC_ABOUT_LINK), WM_SETFONT,
               reinterpret_cast<WPARAM>(g_about.normal_font), FALSE);
  char text[256];
  LoadStringA(g_about.instance, IDS_ABOUT_SUPPLIER, text, sizeof text);
  SetDlgItemTextA(dialog, IDC_ABOUT_SUPPLIER, text);
  LoadStringA(g_about.instance, IDS_ABOUT_MANUAL, text, sizeof text);
  SetDlgItemTextA(dialog, IDC_ABOUT_MANUAL, text);
  return TRUE;
}

INT_PTR OnLinkColour(HDC dc, HWND control) {
  if (GetDlgCtrlID(control) != IDC_ABOUT_LINK) return FALSE;  // default colours
  SetTextColor(dc, kLinkColour);
  SetBkColor(dc, kWhite);
  return reinterpret_cast<INT_PTR>(g_about.white_brush);
}

INT_PTR OnAboutCommand(HWND dialog, int command) {
  if (command != IDOK && command != IDCANCEL) return FALSE;
  ReleaseAboutResources();
  EndDialog(dialog, command);
  return TRUE;
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitAbout(dialog);
    case WM_CTLCOLORSTATIC:
      return OnLinkColour(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_MOUSEMOVE:
      SetLinkBold(dialog, PointOnLink(dialog, lparam));
      return TRUE;
    case WM_LBUTTONDOWN:
      if (PointOnLink(dialog, lparam)) OpenLink(dialog);
      return TRUE;
    case WM_COMMAND:
      return OnAboutCommand(dialog, LOWORD(wparam));
    default:
      return FALSE;
  }
}

}  // namespace

void ShowAboutBox(HINSTANCE instance, HWND owner) {
  g_about.instance = instance;
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_ABOUT), owner, AboutProc, 0);
  ReleaseAboutResources();  // also when the box ended without OK or Cancel
}

}  // namespace shell
