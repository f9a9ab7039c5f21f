// The panel window's menus and commands: the class menus with every item, the hint strings in
// German and English, and the commands driven as a user drives them (clicks on the menu bar, menu
// keys, accelerator keys) or as the menu loop sends them. The panel window is created with an
// option word that gives it a menu (LoadSiccoraeWithOptions).
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "panel/lcd/colour_table.h"
#include "panel/window/panel_window_win32.h"
#include "real_input.h"
#include "registry_sandbox.h"
#include "siccorae_loader.h"
#include "window_capture.h"

using namespace panel;

namespace {

constexpr uint32_t kPicturePixel = 0x00336699;
constexpr int32_t kPictureWidth = 780;
constexpr int32_t kPictureHeight = 450 - 2 * 32;
constexpr uint32_t kFixedLayout = 0x0001;  // full German menu 120, fixed layout, "rk52.bmp"
constexpr uint32_t kEnglish = 0x0020;
constexpr uint32_t kLcdTestTool = 0x0800;

// ---- Reading menus and resources ---------------------------------------------------------------

// One line per item: depth, text, id (or "popup" / "separator"), and its checked and greyed marks.
void DumpMenu(HMENU menu, int depth, std::string* out) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[128] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof(text);
    GetMenuItemInfoA(menu, i, TRUE, &info);
    out->append(2 * depth, ' ');
    if (info.fType & MFT_SEPARATOR) {
      out->append("----\n");
      continue;
    }
    out->append(text);
    out->append(info.hSubMenu ? " popup" : " " + std::to_string(info.wID));
    if (info.fState & MFS_CHECKED) out->append(" checked");
    if (info.fState & MFS_GRAYED) out->append(" greyed");
    out->append("\n");
    if (info.hSubMenu) DumpMenu(info.hSubMenu, depth + 1, out);
  }
}

std::string DumpMenu(HMENU menu) {
  std::string out;
  DumpMenu(menu, 0, &out);
  return out;
}

// String `id` of the string table in one language; false when that language has none.
bool LoadStringOfLanguage(HMODULE module, UINT id, WORD language, std::string* text) {
  HRSRC block = FindResourceExA(module, MAKEINTRESOURCEA(6),  // RT_STRING
                                MAKEINTRESOURCEA((id >> 4) + 1), language);
  if (!block) return false;
  const WCHAR* entry = static_cast<const WCHAR*>(LockResource(LoadResource(module, block)));
  for (UINT i = 0; i < (id & 15); ++i) entry += 1 + *entry;  // each entry: length, characters
  if (*entry == 0) return false;
  char narrow[512] = {};
  WideCharToMultiByte(1252, 0, entry + 1, *entry, narrow, sizeof(narrow) - 1, nullptr, nullptr);
  *text = narrow;
  return true;
}

const WORD kGerman = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
const WORD kEnglishUs = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

struct Hint {
  UINT id;
  const char* german;
  const char* english;
};

const Hint kHints[] = {
    {32770, "\xD6" "ffnet eine Datei", "Open existing file"},
    {32771, "Speichert aktuelle Einstellungen", "Save current file"},
    {32772, "Dateiinhalt \xFC" "bertragen", "Send a selected file over defined interface"},
    {32773, "Stellt eine Verbindung her", "Connects to the interface (serial/socket)"},
    {32775, "Beendet die Anwendung", "Quit this instance of the application"},
    {32776, "Zeigt Programminformationen und Urheberrechte an",
     "Displays Producer and Version Info about this application"},
    {32777, "Zeigt das Inhaltsverzeichnis der Online-Hilfe an",
     "Displays Help topics to this application"},
    {32780, "Blendet die \xDC" "berwachnugsmonitore ein/aus", "Shows/Hides transmission monitor"},
    {32794, "Set color for the panel", "Set color for the panel"},
    {32795, "Set color for the LCD backlight", "Set color for the LCD backlight"},
    {32796, "Set color for the buttons", "Set color for the buttons"},
    {32797, "Set color for the LCD text ", "Set color for the LCD text "},
    {32798, "Set color for the panel text", "Set color for the panel text"},
    {32850, "Kommunikationsschnittstelle w\xE4" "hlen und konfigurieren",
     "Configuration of the communication interface"},
    {32851, "Konfiguration und Testfenster f\xFC" "r das LCD",
     "Configuration and testing toolwindow for LCD"},
    {32860, "Zeichnet ein Rechteck. 0,0 ist die obere linke Ecke (F6)",
     "Draw a rectangle, begins from the upper left corner (F6)"},
    {32861, "Zeichnet eine Ellipse. 0,0 ist die obere linke Ecke  (F7)",
     "Draw an ellipse, begins from the upper left corner (F7)"},
    {32862, "Zeichnungsmodus deaktiviert (F5)", "No draw operation needed (F5)"},
};

// ---- Real input ----------------------------------------------------------------------------------

void SendKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (WORD key : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    inputs.push_back(input);
  }
  for (auto key = keys.end(); key != keys.begin();) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = *--key;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(input);
  }
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The number of open pop-up menus (class "#32768") on the screen.
int OpenPopupMenus() {
  int count = 0;
  HWND popup = nullptr;
  while ((popup = FindWindowExA(nullptr, popup, "#32768", nullptr)) != nullptr) {
    if (IsWindowVisible(popup)) ++count;
  }
  return count;
}

// A visible dialog of the panel's UI thread with that title (a message box), or null.
HWND FindDialogOfPanel(HWND panel, const char* title) {
  struct Search {
    const char* title;
    HWND found;
  } search{title, nullptr};
  EnumThreadWindows(
      GetWindowThreadProcessId(panel, nullptr),
      [](HWND window, LPARAM parameter) -> BOOL {
        Search* s = reinterpret_cast<Search*>(parameter);
        char text[64] = {};
        GetWindowTextA(window, text, sizeof(text));
        if (IsWindowVisible(window) && lstrcmpA(text, s->title) == 0) {
          s->found = window;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The longest static text of a dialog: a message box's message.
std::string DialogMessage(HWND dialog) {
  std::string longest;
  HWND child = nullptr;
  while ((child = FindWindowExA(dialog, child, "Static", nullptr)) != nullptr) {
    char text[256] = {};
    GetWindowTextA(child, text, sizeof(text));
    if (lstrlenA(text) > static_cast<int>(longest.size())) longest = text;
  }
  return longest;
}

// The option word as it stands, read through SetOptions and put back unchanged (it is stored
// normalised already).
uint32_t ReadOptions(const SiccoraeApi& api) {
  const uint32_t word = api.SetOptions(0);
  api.SetOptions(word);
  return word;
}

bool IsChecked(HMENU menu, UINT command) {
  return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

// The installation's settings key without a help file, in registry roots of this process's own
// (before the library is loaded: the panel reads the key at its creation).
bool KeyWithoutHelpFile() {
  SettingsValues values = InstalledSettings("");
  for (auto& value : values) {
    if (value.first == "HelpFile") value.second = "";
  }
  return WriteSettingsKey(HKEY_CURRENT_USER, values);
}

class PanelMenuWindow : public ::testing::Test {
 protected:
  void Start(uint32_t options) {
    api_ = &LoadSiccoraeWithOptions(options);
    ASSERT_NE(api_->module, nullptr);
    panel_ = WaitForPanelWindow();
    ASSERT_NE(panel_, nullptr);
    menu_ = GetMenu(panel_);
    ASSERT_NE(menu_, nullptr);
  }

  std::string StatusLine() const {
    HWND status = FindWindowExA(panel_, nullptr, "static", nullptr);
    char text[1100] = {};
    if (status) GetWindowTextA(status, text, sizeof(text));
    return text;
  }

  // Loads a device picture of the window's own size (780 x 450 less twice the icon height), so
  // that the window keeps its size and the LCD stays where the fixed layout put it.
  void LoadPicture() {
    ASSERT_TRUE(WriteSolidBitmap("rk52.bmp", kPictureWidth, kPictureHeight, kPicturePixel));
    LoadPanelAndRepaint(panel_);
  }

  // Mouse moves over the panel show hints in the status line: the pointer goes where it cannot
  // cause any while a case reads that line.
  void PointerAwayFromThePanel() {
    SetCursorPos(0, 0);
    SyncWithPanel(panel_);
  }

  // Makes the panel the foreground window, so that keys go to its UI thread.
  void Focus() {
    SetForegroundWindow(panel_);
    ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == panel_; }));
  }

  // A menu choice as the menu loop hands it to the window (sent here, so that it has been
  // handled when the call returns).
  void Choose(UINT command) { SendMessageA(panel_, WM_COMMAND, MAKEWPARAM(command, 0), 0); }

  const SiccoraeApi* api_ = nullptr;
  HWND panel_ = nullptr;
  HMENU menu_ = nullptr;
};

// Cases that drive the real mouse and keyboard (CTest runs them alone: see CMakeLists.txt).
using PanelMenuByInput = PanelMenuWindow;

// ---- The resources --------------------------------------------------------------------------------

TEST(PanelMenuResources, ClassMenusCarryEveryItemWithItsTextAndMarks) {
  const SiccoraeApi& api = LoadSiccorae();
  ASSERT_NE(api.module, nullptr);
  const struct {
    int menu;
    const char* dump;
  } menus[] = {
      {120,
       "&Datei popup\n"
       "  &\xD6" "ffnen...\tCtrl+O 32770\n"
       "  &Speichern...\tCtrl+S 32771\n"
       "  Sen&den file...\tCtrl+D 32772\n"
       "  &Verbinden\tCtrl+C 32773\n"
       "  &Beenden 32775\n"
       "&Bearbeiten popup\n"
       "  Keine\tF5 32862\n"
       "  &Schaltfl\xE4" "chen Bereich definieren\tF6 32860\n"
       "  &Led Bereich definieren\tF7 32861\n"
       "&Ansicht popup\n"
       "  &Farbe setzen f\xFC" "r popup\n"
       "    Frontplatte 32794 checked\n"
       "    Hintergrund (Lichtfarbe) 32795\n"
       "    Schaltfl\xE4" "chen 32796\n"
       "    Lcd Text 32797\n"
       "    Frontplatten Text 32798\n"
       "  Farbe popup\n"
       "    Blau 32781 checked\n    Schwarz 32782\n    Gr\xFCn 32783\n    Cyan 32784\n"
       "    Rot 32785\n    Magenta 32786\n    Gelb 32787\n    Grau (50%) 32788\n"
       "    Grau 32789\n    Metallic 32790\n    Amber 32791\n    Gelb-Gr\xFCn 32792\n"
       "    Weiss 32793\n"
       "  ----\n"
       "  RX/TX Monitor 32780\n"
       "&Einstellungen popup\n"
       "  &Verbindungs Einstelungen... 32850\n"
       "  &LCD Frontplatte ... 32851\n"
       "&Hilfe popup\n"
       "  &Inhalt 32777\n"
       "  &Info... 32776\n"},
      {121,
       "&Datei popup\n"
       "  &Verbinden\tCtrl+C 32773\n"
       "  &Beenden 32775\n"
       "&Bearbeiten popup\n"
       "  &Einstellungen... 32850 greyed\n"
       "&Hilfe popup\n"
       "  &Inhalt 32777\n"
       "  &Info... 32776\n"},
      {122,
       "&File popup\n"
       "  &Open File\tCtrl+O 32770\n"
       "  &Save File\tCtrl+S 32771\n"
       "  Sen&d file...\tCtrl+D 32772\n"
       "  &Connect\tCtrl+C 32773\n"
       "  E&xit 32775\n"
       "&Edit popup\n"
       "  None\tF5 32862\n"
       "  Define &Button Area\tF6 32860\n"
       "  Define &Led Area\tF7 32861\n"
       "&View popup\n"
       "  &Set Color for... popup\n"
       "    Panel 32794 checked\n"
       "    Backlight 32795\n"
       "    Buttons 32796\n"
       "    Text Lcd 32797\n"
       "    Text Panel 32798\n"
       "  Color popup\n"
       "    Blue 32781 checked\n    Black 32782\n    Green 32783\n    Cyan 32784\n"
       "    Red 32785\n    Magenta 32786\n    Yellow 32787\n    Gray (50%) 32788\n"
       "    Gray 32789\n    Metallic 32790\n    Amber 32791\n    Yellow-Green 32792\n"
       "    White 32793\n"
       "  ----\n"
       "  RX/TX Monitor 32780\n"
       "&Setup popup\n"
       "  &Communication settings... 32850\n"
       "  &LCD Control panel ... 32851\n"
       "&Help popup\n"
       "  &Help Topics 32777\n"
       "  &About... 32776\n"},
  };
  for (const auto& m : menus) {
    HMENU menu = LoadMenuA(api.module, MAKEINTRESOURCEA(m.menu));
    ASSERT_NE(menu, nullptr) << m.menu;
    EXPECT_EQ(DumpMenu(menu), m.dump) << m.menu;
    DestroyMenu(menu);
  }
}

TEST(PanelMenuResources, HintStringsExistInGermanAndEnglish) {
  const SiccoraeApi& api = LoadSiccorae();
  ASSERT_NE(api.module, nullptr);
  for (const Hint& hint : kHints) {
    std::string german, english;
    ASSERT_TRUE(LoadStringOfLanguage(api.module, hint.id, kGerman, &german)) << hint.id;
    ASSERT_TRUE(LoadStringOfLanguage(api.module, hint.id, kEnglishUs, &english)) << hint.id;
    EXPECT_EQ(german, hint.german) << hint.id;
    EXPECT_EQ(english, hint.english) << hint.id;
  }
  std::string none;
  for (UINT id : {32774u, 32781u, 32793u, 32852u, 32891u}) {
    EXPECT_FALSE(LoadStringOfLanguage(api.module, id, kGerman, &none)) << id;
    EXPECT_FALSE(LoadStringOfLanguage(api.module, id, kEnglishUs, &none)) << id;
  }
}

// ---- The live window ----------------------------------------------------------------------------

TEST_F(PanelMenuWindow, GermanMenuAtCreationGreysSendHelpTopicsAndTheLcdTestTool) {
  Start(kFixedLayout);
  const struct {
    UINT command;
    const char* text;
    bool greyed;
  } items[] = {
      {32772, "&Senden...\tCtrl+S", true},
      {32777, "&Inhalt", true},
      {32851, "&LCD Test Werkzeug...", true},
      {32770, "&\xD6" "ffnen...\tCtrl+O", false},
  };
  for (const auto& item : items) {
    char text[128] = {};
    GetMenuStringA(menu_, item.command, text, sizeof(text), MF_BYCOMMAND);
    EXPECT_STREQ(text, item.text) << item.command;
    EXPECT_EQ((GetMenuState(menu_, item.command, MF_BYCOMMAND) & MF_GRAYED) != 0, item.greyed)
        << item.command;
  }
  EXPECT_TRUE(IsChecked(menu_, 32794));
  EXPECT_TRUE(IsChecked(menu_, 32781));
  // The command itself, without option 0x0800, opens no dialog and leaves the item greyed.
  PostMessageA(panel_, WM_COMMAND, 32851, 0);
  SyncWithPanel(panel_);
  EXPECT_EQ(FindProcessWindow("#32770"), nullptr);
  EXPECT_TRUE(GetMenuState(menu_, 32851, MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(PanelMenuWindow, EnglishMenuAtCreationKeepsTheLcdTestToolWithItsOption) {
  Start(kFixedLayout | kEnglish | kLcdTestTool);
  char text[128] = {};
  GetMenuStringA(menu_, 32772, text, sizeof(text), MF_BYCOMMAND);
  EXPECT_STREQ(text, "&Send file...\tCtrl+S");
  GetMenuStringA(menu_, 32777, text, sizeof(text), MF_BYCOMMAND);
  EXPECT_STREQ(text, "&Help Topics");
  EXPECT_TRUE(GetMenuState(menu_, 32777, MF_BYCOMMAND) & MF_GRAYED);
  GetMenuStringA(menu_, 32851, text, sizeof(text), MF_BYCOMMAND);
  EXPECT_STREQ(text, "&LCD Control panel ...");
  EXPECT_FALSE(GetMenuState(menu_, 32851, MF_BYCOMMAND) & MF_GRAYED);
  GetMenuStringA(menu_, 2, text, sizeof(text), MF_BYPOSITION);
  EXPECT_STREQ(text, "&View");
}

TEST_F(PanelMenuByInput, BacklightColourChosenWithTheMouseAndMenuKeysRepaintsTheLcd) {
  Start(kFixedLayout);
  LoadPicture();
  const uint32_t lit_before = CaptureClient(panel_, 276, 140, 1, 1).At(276, 140);
  ASSERT_EQ(lit_before, ColourPixel(17));  // the LCD background, left of the first row
  Focus();
  // A click on "&Ansicht" on the menu bar opens it with no item highlighted; Down highlights
  // "&Farbe setzen für", Right opens it on "Frontplatte", Down moves to "Hintergrund
  // (Lichtfarbe)", Return chooses it.
  RECT view_item{};
  ASSERT_TRUE(GetMenuItemRect(panel_, menu_, 2, &view_item));
  // The click goes through the X server (as a user's would); Wine may drop the first click on
  // the bar while the window is still being mapped, so a click that opened nothing is repeated.
  POINT view_centre{(view_item.left + view_item.right) / 2, (view_item.top + view_item.bottom) / 2};
  ScreenToClient(panel_, &view_centre);
  bool opened = false;
  for (int attempt = 0; attempt < 3 && !opened; ++attempt) {
    ClickAt(panel_, view_centre.x, view_centre.y);
    opened = WaitUntil([] { return OpenPopupMenus() == 1; }, 3000);
  }
  ASSERT_TRUE(opened);
  SendKeys({VK_DOWN});
  SendKeys({VK_RIGHT});
  ASSERT_TRUE(WaitFor([] { return OpenPopupMenus() == 2; }));
  // The highlighted item's hint is the same in both languages here.
  ASSERT_TRUE(WaitFor([&] { return StatusLine() == "Set color for the panel"; }));
  SendKeys({VK_DOWN});
  ASSERT_TRUE(WaitFor([&] { return StatusLine() == "Set color for the LCD backlight"; }));
  SendKeys({VK_RETURN});
  ASSERT_TRUE(WaitFor([&] { return IsChecked(menu_, 32795); }));
  EXPECT_FALSE(IsChecked(menu_, 32794));
  ASSERT_TRUE(WaitFor([] { return OpenPopupMenus() == 0; }));
  // Alt+A opens "&Ansicht" from the keyboard on its first item; Down reaches "Farbe", Right
  // opens it on "Blau", four Downs go on to "Rot".
  SendKeys({VK_MENU, 'A'});
  ASSERT_TRUE(WaitFor([] { return OpenPopupMenus() == 1; }));
  SendKeys({VK_DOWN});
  SendKeys({VK_RIGHT});
  ASSERT_TRUE(WaitFor([] { return OpenPopupMenus() == 2; }));
  for (int i = 0; i < 4; ++i) SendKeys({VK_DOWN});
  SendKeys({VK_RETURN});
  ASSERT_TRUE(WaitFor([&] { return IsChecked(menu_, 32785); }));
  EXPECT_FALSE(IsChecked(menu_, 32781));
  ASSERT_TRUE(WaitFor([&] {
    return CaptureClient(panel_, 276, 140, 1, 1).At(276, 140) == ColourPixel(4);
  }));
  // The whole LCD took it: the frame inside and the dots that are off; the picture stays.
  const Capture lcd = CaptureClient(panel_, 0, 0, 500, 160);
  EXPECT_EQ(lcd.At(290, 118), ColourPixel(4));
  EXPECT_EQ(lcd.At(10, 10), kPicturePixel);
}

TEST_F(PanelMenuWindow, PanelButtonsAndPanelTextColoursOnlyMoveTheCheckMark) {
  Start(kFixedLayout);
  LoadPicture();
  const Capture before = CaptureClient(panel_, 0, 0, kPictureWidth, 200);
  const UINT targets[] = {32794, 32796, 32798};
  UINT colour = 32782;
  for (UINT target : targets) {
    Choose(target);
    EXPECT_TRUE(IsChecked(menu_, target)) << target;
    Choose(colour);
    EXPECT_TRUE(IsChecked(menu_, colour)) << colour;
    EXPECT_FALSE(IsChecked(menu_, colour - 1)) << colour;
    ++colour;
  }
  for (UINT target : {32795u, 32797u}) EXPECT_FALSE(IsChecked(menu_, target));
  EXPECT_FALSE(IsChecked(menu_, 32794));
  EXPECT_FALSE(IsChecked(menu_, 32796));
  InvalidateRect(panel_, nullptr, TRUE);
  UpdateWindow(panel_);
  SyncWithPanel(panel_);
  const Capture after = CaptureClient(panel_, 0, 0, kPictureWidth, 200);
  EXPECT_EQ(after.pixels, before.pixels);
}

TEST_F(PanelMenuByInput, AcceleratorKeysMoveTheDrawingModeAndSwapTheOptionWord) {
  Start(kFixedLayout);
  Focus();
  const struct {
    WORD key;
    UINT checked;
  } modes[] = {{VK_F6, 32860}, {VK_F7, 32861}, {VK_F5, 32862}};
  for (const auto& mode : modes) {
    SendKeys({mode.key});
    ASSERT_TRUE(WaitFor([&] { return IsChecked(menu_, mode.checked); })) << mode.checked;
    for (UINT other = 32860; other <= 32862; ++other) {
      if (other == mode.checked) continue;
      EXPECT_FALSE(IsChecked(menu_, other)) << other;
    }
  }
  EXPECT_EQ(ReadOptions(*api_), kFixedLayout);
  SendKeys({VK_CONTROL, VK_SHIFT, VK_MENU, VK_F11});
  ASSERT_TRUE(WaitFor([&] { return ReadOptions(*api_) == 0x3B06u; }));
  SendKeys({VK_CONTROL, VK_SHIFT, VK_MENU, VK_F11});
  ASSERT_TRUE(WaitFor([&] { return ReadOptions(*api_) == kFixedLayout; }));
  // The class menu stays what creation gave it.
  EXPECT_EQ(GetMenu(panel_), menu_);
}

TEST_F(PanelMenuByInput, MonitorItemShowsAndHidesTheMonitorWindow) {
  Start(kFixedLayout);
  ASSERT_EQ(FindProcessWindow("DebugWnd"), nullptr);  // created on first use
  // A click on "&Ansicht" opens it with no item highlighted; Up highlights its last item,
  // "RX/TX Monitor", whose hint the status line shows.
  RECT view_item{};
  ASSERT_TRUE(GetMenuItemRect(panel_, menu_, 2, &view_item));
  POINT centre{(view_item.left + view_item.right) / 2, (view_item.top + view_item.bottom) / 2};
  ScreenToClient(panel_, &centre);  // above the client area: negative y
  MoveMouseTo(panel_, centre.x, centre.y);
  PressLeftButton();
  ReleaseLeftButton();
  ASSERT_TRUE(WaitFor([] { return OpenPopupMenus() == 1; }));
  SendKeys({VK_UP});
  const bool german = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_GERMAN;
  const std::string hint = german ? "Blendet die \xDC" "berwachnugsmonitore ein/aus"
                                  : "Shows/Hides transmission monitor";
  ASSERT_TRUE(WaitFor([&] { return StatusLine() == hint; }));
  SendKeys({VK_RETURN});
  ASSERT_TRUE(WaitFor([] { return OpenPopupMenus() == 0; }));
  HWND monitor = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    monitor = FindProcessWindow("DebugWnd");
    return monitor && IsWindowVisible(monitor);
  }));
  EXPECT_EQ(GetWindow(monitor, GW_OWNER), panel_);
  // Then the choice as the menu loop hands it over: hidden, shown again.
  Choose(32780);
  EXPECT_FALSE(IsWindowVisible(monitor));
  Choose(32780);
  EXPECT_TRUE(IsWindowVisible(monitor));
  EXPECT_EQ(FindProcessWindow("DebugWnd"), monitor);  // the same window, shown again
}

TEST_F(PanelMenuByInput, F1OverTheBarePanelWithoutHelpFileAsksForIt) {
  RegistrySandbox sandbox;
  ASSERT_TRUE(sandbox.ok());
  ASSERT_TRUE(KeyWithoutHelpFile());
  Start(kFixedLayout);
  LoadPicture();
  FocusWindow(panel_);
  MoveMouseTo(panel_, 40, 40);  // no areas in this panel
  KeyDown(VK_F1);
  KeyUp(VK_F1);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindDialogOfPanel(panel_, "rk52 Projekt")) != nullptr; }));
  EXPECT_EQ(DialogMessage(box),
            "Es wurde keine Hilfedatei gefunden! M\xF6" "chten Sie nach ihr suchen?");
  PostMessageA(box, WM_COMMAND, IDNO, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
}

TEST_F(PanelMenuWindow, LcdTypesFileBuildsTheLcdMenuWithTooltipHints) {
  RegistrySandbox sandbox;
  ASSERT_TRUE(sandbox.ok());
  SettingsValues values = InstalledSettings("");
  for (auto& value : values) {
    if (value.first == "FileLcd") value.second = "types.lcd";
  }
  ASSERT_TRUE(WriteSettingsKey(HKEY_CURRENT_USER, values));
  {
    HANDLE file = CreateFileA("types.lcd", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    const char kTypes[] =
        "[LCD TYPES]\rName=LCD 16x2\rLines=2\rCharakter=16\rTolltip=two lines\r"
        "Name=LCD 20x4\rLines=4\rCharakter=20\rTolltip=four lines\r";
    DWORD written = 0;
    WriteFile(file, kTypes, sizeof(kTypes) - 1, &written, nullptr);
    CloseHandle(file);
  }
  Start(kFixedLayout | 0x0100);
  LoadPicture();  // the load step reads FileLcd and sends 1037
  ASSERT_EQ(GetMenuItemCount(menu_), 6);
  char text[64] = {};
  GetMenuStringA(menu_, 3, text, sizeof(text), MF_BYPOSITION);
  EXPECT_STREQ(text, "&Lcd's from ini file");
  HMENU lcd_menu = GetSubMenu(menu_, 3);
  ASSERT_NE(lcd_menu, nullptr);
  EXPECT_EQ(DumpMenu(lcd_menu), "LCD 16x2 32891\nLCD 20x4 32892\n");
  GetMenuStringA(menu_, 4, text, sizeof(text), MF_BYPOSITION);
  EXPECT_STREQ(text, "&Einstellungen");
  PointerAwayFromThePanel();
  SendMessageA(panel_, WM_MENUSELECT, MAKEWPARAM(32892, MF_HILITE),
               reinterpret_cast<LPARAM>(lcd_menu));
  EXPECT_EQ(StatusLine(), "four lines");
  // Reading the file again replaces the menu instead of adding a second one.
  LoadPanelAndRepaint(panel_);
  EXPECT_EQ(GetMenuItemCount(menu_), 6);
}

TEST_F(PanelMenuWindow, HighlightedItemsShowTheirHintInTheSystemLanguage) {
  Start(kFixedLayout);
  PointerAwayFromThePanel();
  const bool german = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_GERMAN;
  for (const Hint& hint : kHints) {
    SendMessageA(panel_, WM_MENUSELECT, MAKEWPARAM(hint.id, MF_HILITE),
                 reinterpret_cast<LPARAM>(menu_));
    EXPECT_EQ(StatusLine(), german ? hint.german : hint.english) << hint.id;
  }
  // An id without a string empties the line; the LCD menu's ids without option 0x0100 and the
  // closing menu change nothing.
  SendMessageA(panel_, WM_MENUSELECT, MAKEWPARAM(32781, MF_HILITE),
               reinterpret_cast<LPARAM>(menu_));
  EXPECT_EQ(StatusLine(), "");
  SendMessageA(panel_, WM_MENUSELECT, MAKEWPARAM(32770, MF_HILITE),
               reinterpret_cast<LPARAM>(menu_));
  const std::string shown = StatusLine();
  SendMessageA(panel_, WM_MENUSELECT, MAKEWPARAM(32891, MF_HILITE),
               reinterpret_cast<LPARAM>(menu_));
  SendMessageA(panel_, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
  EXPECT_EQ(StatusLine(), shown);
}

TEST_F(PanelMenuWindow, SystemCommandsExitIgnoredHelpAsksForTheFileAboutShowsInfo) {
  RegistrySandbox sandbox;
  ASSERT_TRUE(sandbox.ok());
  ASSERT_TRUE(KeyWithoutHelpFile());
  Start(kFixedLayout);
  Choose(32775);
  PostMessageA(panel_, WM_SYSCOMMAND, 32775, 0);
  SyncWithPanel(panel_);
  EXPECT_TRUE(IsWindow(panel_));
  EXPECT_TRUE(IsWindowVisible(panel_));
  // The help command as a system command: no HelpFile, so the question box.
  PostMessageA(panel_, WM_SYSCOMMAND, 32777, 0);
  HWND box = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (box = FindDialogOfPanel(panel_, "rk52 Projekt")) != nullptr; }));
  EXPECT_EQ(DialogMessage(box),
            "Es wurde keine Hilfedatei gefunden! M\xF6" "chten Sie nach ihr suchen?");
  EXPECT_NE(GetDlgItem(box, IDYES), nullptr);
  EXPECT_NE(GetDlgItem(box, IDNO), nullptr);
  EXPECT_EQ(GetDlgItem(box, IDOK), nullptr);
  PostMessageA(box, WM_COMMAND, IDNO, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(box); }));
  SyncWithPanel(panel_);
  EXPECT_EQ(FindDialogOfPanel(panel_, "rk52 Projekt"), nullptr);
  EXPECT_TRUE(IsWindowVisible(panel_));
  // System command 32776 is About: the modal dialog "Info".
  PostMessageA(panel_, WM_SYSCOMMAND, 32776, 0);
  HWND about = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (about = FindDialogOfPanel(panel_, "Info")) != nullptr; }));
  PostMessageA(about, WM_COMMAND, IDOK, 0);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(about); }));
}

}  // namespace
