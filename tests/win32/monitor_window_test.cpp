// The RX/TX monitor: created by the panel's monitor command on first use with its title, style,
// place and two read-only panes, then only shown and hidden; frames appear in the panes once it
// exists (lines before are dropped); a full pane starts over with the next line.
#include <gtest/gtest.h>

#include <string>

#include "panel/window/panel_resources_win32.h"
#include "panel_library_case.h"

namespace {

constexpr int kPaneLimit = 32000;

class MonitorWindow : public PanelLibraryCase {
 protected:
  void MonitorCommand() { SendMessageA(panel_, WM_COMMAND, kCmdMonitor, 0); }

  static std::string Text(HWND window) {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
  }

};

TEST_F(MonitorWindow, FirstCommandCreatesItWithTwoPanesThenItIsShownAndHidden) {
  EXPECT_EQ(FindProcessWindow("DebugWnd"), nullptr);  // none before the first use
  MonitorCommand();
  HWND monitor = FindProcessWindow("DebugWnd");
  ASSERT_NE(monitor, nullptr);
  const std::string title = "Monitor Rx" + std::string(78, ' ') + "Monitor Tx";
  ASSERT_EQ(title.size(), 98u);
  ExpectWindowFacts(monitor, {title.c_str(), panel_, true, 500, 550, 780, 300});
  const LONG style = GetWindowLongA(monitor, GWL_STYLE);
  EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
  EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
  EXPECT_NE(GetClassLongPtrA(monitor, GCLP_HICON), 0u);
  EXPECT_NE(GetClassLongPtrA(monitor, GCLP_HICONSM), 0u);

  RECT client;
  GetClientRect(monitor, &client);
  const int half = client.right / 2;
  // WS_BORDER is not among them: an edit control takes it over and draws the border itself.
  const DWORD pane_style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE |
                           ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_READONLY;
  for (int id = 1; id <= 2; ++id) {
    HWND pane = GetDlgItem(monitor, id);
    ASSERT_NE(pane, nullptr) << id;
    char name[16] = {};
    GetClassNameA(pane, name, sizeof(name));
    EXPECT_EQ(lstrcmpiA(name, "edit"), 0) << id;
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(pane, GWL_STYLE)) & pane_style, pane_style) << id;
    EXPECT_EQ(SendMessageA(pane, EM_GETLIMITTEXT, 0, 0), kPaneLimit) << id;
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(pane, WM_GETFONT, 0, 0)), sizeof(font), &font);
    EXPECT_STREQ(font.lfFaceName, "Courier New") << id;
    RECT place;
    GetWindowRect(pane, &place);
    MapWindowPoints(nullptr, monitor, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, id == 1 ? 0 : half) << id;
    EXPECT_EQ(place.top, 0) << id;
    EXPECT_EQ(place.right - place.left, half) << id;
    EXPECT_EQ(place.bottom - place.top, client.bottom) << id;
  }

  MonitorCommand();
  EXPECT_FALSE(IsWindowVisible(monitor));
  SendMessageA(monitor, WM_CLOSE, 0, 0);  // closing only hides: the window stays
  MonitorCommand();
  EXPECT_TRUE(IsWindowVisible(monitor));
  EXPECT_EQ(FindProcessWindow("DebugWnd"), monitor);
  SendMessageA(monitor, WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(monitor));
  EXPECT_FALSE(IsWindowVisible(monitor));
}

TEST_F(MonitorWindow, FramesShowInTheRxAndTxPanesOnlyOnceItExists) {
  Frame("@D80\x10");  // no monitor yet: dropped
  MonitorCommand();
  HWND monitor = FindProcessWindow("DebugWnd");
  ASSERT_NE(monitor, nullptr);
  HWND rx = GetDlgItem(monitor, 1);
  HWND tx = GetDlgItem(monitor, 2);
  EXPECT_EQ(Text(rx), "");

  Send(api_, "@DC0\x10");
  EXPECT_EQ(Text(rx), "@DC0<0x10>\r\n");
  EXPECT_EQ(CheckRxOnce(api_), "@!\r");
  const std::string tx_text = Text(tx);
  const std::string ack_line = "@!<0x0d>\r\n";
  ASSERT_GE(tx_text.size(), ack_line.size());
  EXPECT_EQ(tx_text.substr(tx_text.size() - ack_line.size()), ack_line);
  EXPECT_EQ(tx_text.find(ack_line), tx_text.size() - ack_line.size());  // the first ack is gone

  Send(api_, "x");  // a byte outside a frame: the assembler's line
  EXPECT_EQ(Text(rx), "@DC0<0x10>\r\nUnbekanntes Startzeichen empfangen: 0x78\r\n");
}

// The pane is filled to just below its limit first (as after hours of traffic, caret at the end);
// then frame lines of 160 characters either fill it exactly or overrun it, and the edit control
// cuts the one that overruns. Either way the next line is all the pane holds afterwards.
TEST_F(MonitorWindow, AFullPaneStartsOverWithTheNextLine) {
  MonitorCommand();
  HWND monitor = FindProcessWindow("DebugWnd");
  ASSERT_NE(monitor, nullptr);
  HWND rx = GetDlgItem(monitor, 1);
  const std::string payload(150, '.');  // "@W" + 150 + "<0x10>\r\n": 160 characters
  const std::string line = "@W" + payload + "<0x10>\r\n";
  ASSERT_EQ(line.size(), 160u);
  struct Case {
    const char* what;
    int room;  // characters left before the limit
  } cases[] = {{"fills exactly", 160}, {"overruns and is cut", 100}};
  for (const Case& c : cases) {
    const std::string old_text(static_cast<size_t>(kPaneLimit - c.room), 'o');
    SendMessageA(rx, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(old_text.c_str()));
    SendMessageA(rx, EM_SETSEL, old_text.size(), old_text.size());
    Frame("@W" + payload + "\x10");
    EXPECT_EQ(GetWindowTextLengthA(rx), kPaneLimit) << c.what;
    Frame("@WX" + payload.substr(1) + "\x10");
    EXPECT_EQ(Text(rx), "@WX" + payload.substr(1) + "<0x10>\r\n") << c.what;
    Frame("@W" + payload + "\x10");  // and the log goes on from there
    EXPECT_EQ(Text(rx), "@WX" + payload.substr(1) + "<0x10>\r\n" + line) << c.what;
  }
}

}  // namespace
