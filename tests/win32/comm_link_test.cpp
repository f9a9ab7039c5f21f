// The panel connected to a target, for real: the communication settings dialog driven through
// its controls, the serial transport over a pseudo-terminal pair that the prefix maps as COM1
// (the panel's end) and COM2 (the target's end, played here), and the UDP transport over the
// loopback address with the target's socket in the test.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>
#include <tlhelp32.h>

#include <string>

#include "panel/core/option_word.h"
#include "panel/window/comm_dialog_ids.h"
#include "panel/window/monitor_window_win32.h"
#include "panel/window/panel_resources_win32.h"
#include "real_input.h"
#include "registry_sandbox.h"
#include "siccorae_loader.h"
#include "window_capture.h"

namespace {

// English menu (item texts), the communication dialog and the connection icon.
constexpr uint32_t kOptions = panel::kOptionInterface | panel::kOptionEnglish;
constexpr char kDialogTitle[] = "Communication settings";
const std::string kDle(1, '\x10');

std::string Text(HWND window) {
  char text[40000] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

std::string ConnectItemText(HWND panel) {
  char text[64] = {};
  GetMenuStringA(GetMenu(panel), kCmdConnect, text, sizeof text, MF_BYCOMMAND);
  return text;
}

struct DialogSearch {
  HWND skip;
  HWND found;
};
BOOL CALLBACK KeepCommDialog(HWND window, LPARAM lparam) {
  DialogSearch* search = reinterpret_cast<DialogSearch*>(lparam);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process == GetCurrentProcessId() && window != search->skip && IsWindowVisible(window) &&
      Text(window) == kDialogTitle) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

// The visible settings dialog of this process (other than `skip`), waited for.
HWND WaitForCommDialog(HWND skip = nullptr) {
  DialogSearch search{skip, nullptr};
  WaitFor([&search] {
    EnumWindows(KeepCommDialog, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
  });
  return search.found;
}

bool Checked(HWND dialog, int id) {
  return SendDlgItemMessageA(dialog, id, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
void Click(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }
void Type(HWND dialog, int id, const char* text) {
  SendDlgItemMessageA(dialog, id, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}
HWND FocusOf(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}
// Clicks a button that ends the dialog and waits until it is gone.
void End(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
  WaitFor([dialog] { return !IsWindow(dialog); });
}

std::string StoredText(const std::string& name) {
  for (const StoredValue& value : StoredSettingsValues()) {
    if (value.name == name) return value.type == REG_SZ ? value.data : "(not a string)";
  }
  return "(missing)";
}

SettingsValues SettingsWith(const SettingsValues& changes) {
  SettingsValues values = InstalledSettings("");
  for (const auto& change : changes) {
    for (auto& value : values) {
      if (value.first == change.first) value.second = change.second;
    }
  }
  return values;
}

int ThreadsOfProcess() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  int count = 0;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  }
  CloseHandle(snapshot);
  return count;
}

// The icon square at the panel's bottom right against the library's icon drawn on the window
// colour.
bool IconSquareShows(HWND panel, HMODULE library, int icon_id) {
  const int width = GetSystemMetrics(SM_CXICON);
  const int height = GetSystemMetrics(SM_CYICON);
  InvalidateRect(panel, nullptr, TRUE);
  UpdateWindow(panel);
  SyncWithPanel(panel);
  RECT client;
  GetClientRect(panel, &client);
  const Capture shown = CaptureClient(panel, client.right - width, client.bottom - height, width, height);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HDC memory = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  RECT square{0, 0, width, height};
  FillRect(memory, &square, GetSysColorBrush(COLOR_WINDOW));
  DrawIcon(memory, 0, 0, LoadIconA(library, MAKEINTRESOURCEA(icon_id)));
  GdiFlush();
  bool same = true;
  for (int i = 0; i < width * height; ++i) {
    same = same && (static_cast<const uint32_t*>(bits)[i] & 0x00FFFFFFu) == shown.pixels[i];
  }
  SelectObject(memory, previous);
  DeleteDC(memory);
  DeleteObject(bitmap);
  return same;
}

// Starts a host program (Wine starts host programs as it starts its own). Its end cannot be
// waited for through the handle Wine gives, so callers wait for its effect.
bool RunHost(std::string command) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    return false;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return true;
}

// ---- The settings dialog ------------------------------------------------------------------------

class CommDialog : public ::testing::Test {
 protected:
  void Start(const SettingsValues& settings) {
    ASSERT_TRUE(sandbox_.ok());
    ASSERT_TRUE(WriteSettingsKey(HKEY_CURRENT_USER, settings));
    api_ = &LoadSiccoraeWithOptions(kOptions);
    ASSERT_NE(api_->module, nullptr);
    panel_ = WaitForPanelWindow();
    ASSERT_NE(panel_, nullptr);
  }
  HWND Open() {
    PostMessageA(panel_, WM_COMMAND, kCmdCommSettings, 0);
    return WaitForCommDialog();
  }

  RegistrySandbox sandbox_;
  const SiccoraeApi* api_ = nullptr;
  HWND panel_ = nullptr;
};

// The first use reads COM1's line (whatever the prefix maps there; a port that cannot be read
// gives 8N1 without flow control, as the native tests show) over the stored values.
TEST_F(CommDialog, FirstUseFillsDefaultsAndOkStoresEveryValueAsText) {
  Start(SettingsWith({{"Baud", "9600"}, {"CommPort", "4"}, {"Parity", "1"}}));
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(SendDlgItemMessageA(dialog, kCtlBaudRate, CB_GETCOUNT, 0, 0), 10);
  EXPECT_EQ(SendDlgItemMessageA(dialog, kCtlBaudRate, CB_GETCURSEL, 0, 0), 4);  // 4800
  for (int id : {kCtlSerialInterface, kCtlParityNone, kCtlComPort1}) EXPECT_TRUE(Checked(dialog, id)) << id;
  EXPECT_NE(Checked(dialog, kCtlStopBits1), Checked(dialog, kCtlStopBits2));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kCtlIpField1)));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, kCtlFlowXonRts)));

  Click(dialog, kCtlDataBits7);
  Click(dialog, kCtlStopBits2);
  Click(dialog, kCtlParityEven);
  Click(dialog, kCtlComPort3);
  Click(dialog, kCtlFlowRts);
  SendDlgItemMessageA(dialog, kCtlBaudRate, CB_SETCURSEL, 8, 0);
  Click(dialog, kCtlEthernetInterface);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, kCtlSocketPort)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kCtlBaudRate)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kCtlComPort1)));
  // Three characters move the focus on, the fourth field's to the Port field.
  Type(dialog, kCtlIpField1, "1270");  // only "127" counts
  EXPECT_EQ(FocusOf(dialog), GetDlgItem(dialog, kCtlIpField2));
  Type(dialog, kCtlIpField2, "0");
  EXPECT_EQ(FocusOf(dialog), GetDlgItem(dialog, kCtlIpField2));
  Type(dialog, kCtlIpField3, "0");
  Type(dialog, kCtlIpField4, "001");
  EXPECT_EQ(FocusOf(dialog), GetDlgItem(dialog, kCtlSocketPort));
  const int port = 41000 + static_cast<int>(GetCurrentProcessId() % 1000);
  Type(dialog, kCtlSocketPort, std::to_string(port).c_str());
  End(dialog, IDOK);

  const SettingsValues expected = {
      {"RegistrySet", "1"}, {"IFaceType", "1"}, {"CommPort", "3"}, {"Baud", "57600"},
      {"Flow", "2"},        {"DBits", "7"},     {"SBits", "2"},    {"Parity", "2"},
      {"Ip", "127.0.0.001"}, {"Socket Port", std::to_string(port)}};
  for (const auto& value : expected) EXPECT_EQ(StoredText(value.first), value.second) << value.first;
  // OK is followed by the connect command: the socket is open.
  SyncWithPanel(panel_);
  EXPECT_EQ(ConnectItemText(panel_), "Disconnect\tCtrl+C");
  EXPECT_TRUE(IconSquareShows(panel_, api_->module, kIconUdpOpen));
  // Confirmed now: a second opening keeps the values instead of the first-use defaults.
  dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(SendDlgItemMessageA(dialog, kCtlBaudRate, CB_GETCURSEL, 0, 0), 8);
  EXPECT_TRUE(Checked(dialog, kCtlComPort3));
  EXPECT_TRUE(Checked(dialog, kCtlDataBits7));
  EXPECT_EQ(Text(GetDlgItem(dialog, kCtlIpField4)), "001");
  End(dialog, IDCANCEL);
}

TEST_F(CommDialog, CancelKeepsRadioChangesInMemoryOnlyAndAConfirmedDialogSkipsFirstUse) {
  Start(SettingsWith({{"RegistrySet", "1"}, {"Baud", "38400"}, {"DBits", "7"}, {"CommPort", "2"}}));
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(SendDlgItemMessageA(dialog, kCtlBaudRate, CB_GETCURSEL, 0, 0), 7);
  EXPECT_TRUE(Checked(dialog, kCtlDataBits7));
  EXPECT_TRUE(Checked(dialog, kCtlComPort2));
  Click(dialog, kCtlComPort3);
  SendDlgItemMessageA(dialog, kCtlBaudRate, CB_SETCURSEL, 9, 0);
  End(dialog, IDCANCEL);
  EXPECT_EQ(StoredText("CommPort"), "2");
  EXPECT_EQ(StoredText("RegistrySet"), "1");

  dialog = Open();
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(Checked(dialog, kCtlComPort3));  // the click stayed in effect
  EXPECT_EQ(SendDlgItemMessageA(dialog, kCtlBaudRate, CB_GETCURSEL, 0, 0), 7);  // Baud did not
  End(dialog, IDCANCEL);
  EXPECT_EQ(ConnectItemText(panel_), "&Connect\tCtrl+C");  // Cancel connects nothing
}

TEST_F(CommDialog, PortAbove65535IsNoTargetSoTheConnectAsksAgain) {
  Start(SettingsWith({{"RegistrySet", "1"}, {"IFaceType", "1"}}));
  HWND dialog = Open();
  ASSERT_NE(dialog, nullptr);
  for (int id : {kCtlIpField1, kCtlIpField2, kCtlIpField3, kCtlIpField4}) Type(dialog, id, "10");
  Type(dialog, kCtlSocketPort, "70000");
  End(dialog, IDOK);
  EXPECT_EQ(StoredText("Socket Port"), "0");
  EXPECT_EQ(StoredText("Ip"), "10.10.10.10");
  HWND again = WaitForCommDialog(dialog);  // the connect found no target address
  ASSERT_NE(again, nullptr);
  End(again, IDCANCEL);
  EXPECT_EQ(ConnectItemText(panel_), "&Connect\tCtrl+C");
}

// ---- Serial -------------------------------------------------------------------------------------

// The target's end of the pair: COM2, reads that return at once.
class TargetEnd {
 public:
  TargetEnd() {
    port_ = CreateFileA("\\\\.\\COM2", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    COMMTIMEOUTS immediate{MAXDWORD, 0, 0, 0, 0};
    if (!ok()) return;
    SetCommTimeouts(port_, &immediate);
    // Whatever an earlier case left under way in the pair.
    while (!Read(1, 100).empty()) {
    }
  }
  ~TargetEnd() { Close(); }
  bool ok() const { return port_ != INVALID_HANDLE_VALUE; }
  void Close() {
    if (ok()) CloseHandle(port_);
    port_ = INVALID_HANDLE_VALUE;
  }
  void Write(const std::string& bytes) {
    DWORD written = 0;
    WriteFile(port_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
  // What arrives within `timeout_ms`, once `count` bytes are there.
  std::string Read(size_t count, DWORD timeout_ms = 3000) {
    std::string bytes;
    WaitFor([&] {
      char buffer[256];
      DWORD got = 0;
      if (ReadFile(port_, buffer, sizeof buffer, &got, nullptr)) bytes.append(buffer, got);
      return bytes.size() >= count;
    }, timeout_ms);
    return bytes;
  }

 private:
  HANDLE port_;
};

class SerialLink : public ::testing::Test {
 protected:
  virtual uint32_t Options() const { return kOptions; }
  void SetUp() override {
    api_ = &LoadSiccoraeWithOptions(Options());
    ASSERT_NE(api_->module, nullptr);
    panel_ = WaitForPanelWindow();
    ASSERT_NE(panel_, nullptr);
    AttachRecorder(*api_);
    ASSERT_TRUE(target_.ok()) << "COM2 is not the serial pair's target end";
    SendMessageA(panel_, WM_COMMAND, kCmdMonitor, 0);
    monitor_ = FindProcessWindow("DebugWnd");
  }
  void Connect() { SendMessageA(panel_, WM_COMMAND, kCmdConnect, 0); }
  std::string Pane(int id) { return Text(GetDlgItem(monitor_, id)); }

  const SiccoraeApi* api_ = nullptr;
  HWND panel_ = nullptr;
  HWND monitor_ = nullptr;
  TargetEnd target_;
};

TEST_F(SerialLink, FramesCrossBothWaysAndDisconnectEndsTheReceiveThread) {
  EXPECT_TRUE(IconSquareShows(panel_, api_->module, kIconSerialClosed));
  const int threads = ThreadsOfProcess();
  Connect();
  EXPECT_EQ(ConnectItemText(panel_), "Disconnect\tCtrl+C");
  EXPECT_EQ(ThreadsOfProcess(), threads + 1);
  EXPECT_TRUE(IconSquareShows(panel_, api_->module, kIconSerialOpen));

  Send(*api_, "@B" + kDle);  // interpreted and forwarded; the target answers, not the panel
  EXPECT_EQ(target_.Read(3), "@B" + kDle);
  EXPECT_EQ(CheckRxOnce(*api_), "");

  target_.Write("xy@KB\r");
  std::string delivered;
  EXPECT_TRUE(WaitFor([&] { return !(delivered = CheckRxOnce(*api_)).empty(); }));
  EXPECT_EQ(delivered, "@KB\r");  // one message of four bytes
  EXPECT_EQ(CheckRxOnce(*api_), "");
  const std::string rx = Pane(panel::kRxPaneId);
  EXPECT_NE(rx.find("Unbekanntes Startzeichen empfangen: 0x78\r\n"), std::string::npos) << rx;
  EXPECT_NE(rx.find("Unbekanntes Startzeichen empfangen: 0x79\r\n"), std::string::npos) << rx;

  // The command returns once the receive thread has seen its stop flag (within a 20 ms poll),
  // not after the 500 ms it waits at most for a thread that does not stop; the bound leaves room
  // for a loaded machine.
  const DWORD start = GetTickCount();
  Connect();
  EXPECT_LT(GetTickCount() - start, 400u);
  EXPECT_TRUE(WaitFor([&] { return ThreadsOfProcess() == threads; }, 1000));
  EXPECT_EQ(ConnectItemText(panel_), "Connect\tCtrl+C");
  EXPECT_TRUE(IconSquareShows(panel_, api_->module, kIconSerialClosed));
  Send(*api_, "@B" + kDle);
  EXPECT_EQ(CheckRxOnce(*api_), "@!\r");  // the panel answers again
  EXPECT_EQ(target_.Read(1, 200), "");     // and nothing goes to the port
}

TEST_F(SerialLink, TargetEndClosingWhileConnectedNeitherHangsNorCrashes) {
  Connect();
  ASSERT_EQ(ConnectItemText(panel_), "Disconnect\tCtrl+C");
  target_.Close();
  Sleep(200);
  for (int i = 0; i < 20; ++i) Send(*api_, "@W0123456789" + kDle);
  DWORD_PTR result = 0;
  EXPECT_NE(SendMessageTimeoutA(panel_, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result), 0);
  Connect();
  EXPECT_EQ(ConnectItemText(panel_), "Connect\tCtrl+C");
  Send(*api_, "@B" + kDle);
  EXPECT_EQ(CheckRxOnce(*api_), "@!\r");
}

TEST_F(CommDialog, SerialPortThatCannotBeOpenedLeavesThePanelAnswering) {
  Start(SettingsWith({{"CommPort", "9"}}));  // no COM9 in the prefix
  AttachRecorder(*api_);
  SendMessageA(panel_, WM_COMMAND, kCmdMonitor, 0);
  HWND monitor = FindProcessWindow("DebugWnd");
  SendMessageA(panel_, WM_COMMAND, kCmdConnect, 0);
  EXPECT_EQ(ConnectItemText(panel_), "&Connect\tCtrl+C");  // the menu's own text, untouched
  EXPECT_NE(Text(GetDlgItem(monitor, panel::kRxPaneId))
                .find("Fehler beim \xF6" "ffnen der seriellen Schnittstelle\r\n"),
            std::string::npos);
  Send(*api_, "@B" + kDle);
  EXPECT_EQ(CheckRxOnce(*api_), "@!\r");
  EXPECT_TRUE(IconSquareShows(panel_, api_->module, kIconSerialClosed));
}

// COM7 of the serial cases' prefix opens but is no serial line: its configuration can be neither
// read nor written, as with an adapter that went away. That is a failed open, not a connection at
// an unknown rate.
class SerialLinkNoLine : public CommDialog {};

TEST_F(SerialLinkNoLine, PortWhoseConfigurationFailsCountsAsNotOpened) {
  Start(SettingsWith({{"CommPort", "7"}}));
  AttachRecorder(*api_);
  SendMessageA(panel_, WM_COMMAND, kCmdMonitor, 0);
  HWND monitor = FindProcessWindow("DebugWnd");
  SendMessageA(panel_, WM_COMMAND, kCmdConnect, 0);
  EXPECT_EQ(ConnectItemText(panel_), "&Connect\tCtrl+C");
  EXPECT_NE(Text(GetDlgItem(monitor, panel::kRxPaneId))
                .find("Fehler beim \xF6" "ffnen der seriellen Schnittstelle\r\n"),
            std::string::npos);
  EXPECT_EQ(Text(GetDlgItem(monitor, panel::kTxPaneId)).find("SetCommTimeouts"), std::string::npos);
  Send(*api_, "@B" + kDle);
  EXPECT_EQ(CheckRxOnce(*api_), "@!\r");  // replies flag unchanged
  EXPECT_TRUE(IconSquareShows(panel_, api_->module, kIconSerialClosed));
}

// Ctrl+C on the keyboard, as the connect item's text offers.
class SerialLinkByInput : public SerialLink {};

TEST_F(SerialLinkByInput, CtrlCConnectsAndDisconnects) {
  FocusWindow(panel_);
  KeyDown(VK_CONTROL);
  KeyDown('C');
  KeyUp('C');
  KeyUp(VK_CONTROL);
  EXPECT_TRUE(WaitUntil([this] { return ConnectItemText(panel_) == "Disconnect\tCtrl+C"; }));
  Send(*api_, "@B" + kDle);
  EXPECT_EQ(target_.Read(3), "@B" + kDle);
  KeyDown(VK_CONTROL);
  KeyDown('C');
  KeyUp('C');
  KeyUp(VK_CONTROL);
  EXPECT_TRUE(WaitUntil([this] { return ConnectItemText(panel_) == "Connect\tCtrl+C"; }));
}

// The shipped option word: no menu, so nothing offers Ctrl+C as the connect command.
class SerialLinkNoMenuByInput : public SerialLink {
 protected:
  uint32_t Options() const override { return panel::kInitialOptionWord; }
};

TEST_F(SerialLinkNoMenuByInput, CtrlCNeitherOpensThePortNorSilencesThePanel) {
  ASSERT_EQ(GetMenu(panel_), nullptr);
  ASSERT_TRUE(WriteSolidBitmap("rk52.bmp", 640, 240, 0x00336699));
  LoadPanelAndRepaint(panel_);
  tagRECTPROP button{};
  button.kind = kRectKindButton;
  button.id = 1;
  button.rect = tagAREARECT{20, 20, 60, 60};
  button.color = -1;
  ASSERT_EQ(api_->AppendRect(api_->GetRectList(), api_->CreateRectEntry(&button)), 1);
  FocusWindow(panel_);
  // The button latched with Ctrl; the release of C frees it, so its key frame shows that the
  // Ctrl+C typed before it has been handled.
  KeyDown(VK_CONTROL);
  ClickAt(panel_, 40, 40);
  KeyDown('C');
  KeyUp('C');
  KeyUp(VK_CONTROL);
  std::string frames;
  EXPECT_TRUE(WaitFor([&] {
    frames += CheckRxOnce(*api_);
    return frames == "@KB\r@KA\r";
  }, 5000)) << frames;
  Send(*api_, "@B" + kDle);
  EXPECT_EQ(CheckRxOnce(*api_), "@!\r");  // the panel still answers
  EXPECT_EQ(target_.Read(1, 200), "");     // and nothing went to the port
  EXPECT_EQ(Pane(panel::kRxPaneId).find("Fehler"), std::string::npos);
}

// ---- UDP ----------------------------------------------------------------------------------------

// A datagram socket on a loopback address; the target's one shares the panel's port.
class LoopbackSocket {
 public:
  LoopbackSocket(const char* ip, int port) {
    socket_ = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    const BOOL reuse = TRUE;
    setsockopt(socket_, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_port = htons(static_cast<u_short>(port));
    local.sin_addr.s_addr = inet_addr(ip);
    bound_ = bind(socket_, reinterpret_cast<sockaddr*>(&local), sizeof local) == 0;
    u_long non_blocking = 1;
    ioctlsocket(socket_, FIONBIO, &non_blocking);
  }
  ~LoopbackSocket() { closesocket(socket_); }
  bool bound() const { return bound_; }
  // To the panel: another loopback address, which only the panel's any-address socket takes.
  void SendToPanel(const std::string& bytes, int port) {
    sockaddr_in panel{};
    panel.sin_family = AF_INET;
    panel.sin_port = htons(static_cast<u_short>(port));
    panel.sin_addr.s_addr = inet_addr("127.0.0.2");
    sendto(socket_, bytes.data(), static_cast<int>(bytes.size()), 0,
           reinterpret_cast<sockaddr*>(&panel), sizeof panel);
  }
  std::string Receive() {
    std::string datagram;
    WaitFor([&] {
      char buffer[512];
      const int got = recv(socket_, buffer, sizeof buffer, 0);
      if (got > 0) datagram.assign(buffer, static_cast<size_t>(got));
      return got > 0;
    }, 3000);
    return datagram;
  }

 private:
  SOCKET socket_;
  bool bound_ = false;
};

// A datagram from 127.0.0.3 and the target's port number. Wine binds a datagram socket on any
// loopback address but 127.0.0.1 to every address of the interface, so the sender is a host
// program.
void SendFromAnotherAddress(const std::string& bytes, int port) {
  const std::string to = "UDP-SENDTO:127.0.0.2:" + std::to_string(port);
  ASSERT_TRUE(RunHost("/bin/sh -c \"printf " + bytes + " | socat -u - " + to +
                      ",reuseaddr,bind=127.0.0.3:" + std::to_string(port) + "\""));
}

class UdpLink : public ::testing::Test {
 protected:
  void SetUp() override {
    WSADATA data;
    WSAStartup(MAKEWORD(2, 0), &data);
    ASSERT_TRUE(sandbox_.ok());
    ASSERT_TRUE(WriteSettingsKey(HKEY_CURRENT_USER,
                                 SettingsWith({{"RegistrySet", "1"}, {"IFaceType", "1"},
                                               {"Ip", "127.0.0.1"},
                                               {"Socket Port", std::to_string(port_)}})));
    api_ = &LoadSiccoraeWithOptions(kOptions);
    ASSERT_NE(api_->module, nullptr);
    panel_ = WaitForPanelWindow();
    ASSERT_NE(panel_, nullptr);
    AttachRecorder(*api_);
    SendMessageA(panel_, WM_COMMAND, kCmdMonitor, 0);
    monitor_ = FindProcessWindow("DebugWnd");
  }
  void TearDown() override { WSACleanup(); }
  std::string TxPane() { return Text(GetDlgItem(monitor_, panel::kTxPaneId)); }
  std::string Delivered() {
    std::string bytes;
    WaitFor([&] { return !(bytes = CheckRxOnce(*api_)).empty(); }, 2000);
    return bytes;
  }

  const int port_ = 43000 + static_cast<int>(GetCurrentProcessId() % 1000);
  RegistrySandbox sandbox_;
  const SiccoraeApi* api_ = nullptr;
  HWND panel_ = nullptr;
  HWND monitor_ = nullptr;
};

TEST_F(UdpLink, FramesAndTheTargetsDatagramsCrossAndOthersAreDropped) {
  // Before the dialog was confirmed in this run there is no target: connect asks for one.
  PostMessageA(panel_, WM_COMMAND, kCmdConnect, 0);
  HWND dialog = WaitForCommDialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(Text(GetDlgItem(dialog, kCtlIpField1)), "127");
  End(dialog, IDOK);  // the stored address, confirmed: connect
  SyncWithPanel(panel_);
  ASSERT_EQ(ConnectItemText(panel_), "Disconnect\tCtrl+C");
  EXPECT_TRUE(IconSquareShows(panel_, api_->module, kIconUdpOpen));

  LoopbackSocket target("127.0.0.1", port_);
  ASSERT_TRUE(target.bound());
  Send(*api_, "@B" + kDle);
  EXPECT_EQ(target.Receive(), "@B" + kDle);  // one datagram, the whole frame
  EXPECT_EQ(CheckRxOnce(*api_), "");         // the target answers, not the panel

  target.SendToPanel("abc", port_);
  EXPECT_EQ(Delivered(), "abc");  // three letters, no frame, one message

  LoopbackSocket other_port("127.0.0.1", port_ + 1);
  other_port.SendToPanel("xyz", port_);
  SendFromAnotherAddress("uvw", port_);
  target.SendToPanel(std::string(300, 'L'), port_);
  target.SendToPanel("end", port_);
  EXPECT_EQ(Delivered(), "end");
  EXPECT_EQ(CheckRxOnce(*api_), "");
  EXPECT_TRUE(WaitFor([this] { return TxPane().find("IP 127.0.0.3") != std::string::npos; }, 3000));
  const std::string tx = TxPane();
  const std::string port = std::to_string(port_);
  EXPECT_NE(tx.find("Datagramm von IP 127.0.0.1, Port " + std::to_string(port_ + 1) + " verworfen\r\n"),
            std::string::npos) << tx;
  EXPECT_NE(tx.find("Datagramm von IP 127.0.0.3, Port " + port + " verworfen\r\n"), std::string::npos);
  EXPECT_NE(tx.find("Empfangs Fehler\n"), std::string::npos);
  EXPECT_NE(tx.find("Daten abc empfangen, von IP 127.0.0.1, Port " + port + ":  \r\n"), std::string::npos);
  EXPECT_NE(tx.find("gesendet, an IP 127.0.0.1, Port " + port + " Status: OK \r\n"), std::string::npos);

  SendMessageA(panel_, WM_COMMAND, kCmdConnect, 0);
  EXPECT_EQ(ConnectItemText(panel_), "Connect\tCtrl+C");
  EXPECT_TRUE(IconSquareShows(panel_, api_->module, kIconUdpClosed));
  Send(*api_, "@B" + kDle);
  EXPECT_EQ(CheckRxOnce(*api_), "@!\r");
}

}  // namespace
