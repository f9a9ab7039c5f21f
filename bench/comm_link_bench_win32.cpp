// The panel connected to a target, measured: a target that streams frames over the serial port
// at 115200 baud for 10 s, taken by the library's receive thread (everything that arrived, every
// 20 ms) and, in the same run, by the one-byte-per-20-ms rule; then datagrams from a UDP target
// on the loopback address to the application, with none lost.
//
// Needs the pseudo-terminal pair as COM1 (panel) and COM2 (target) and a display:
//   scripts/serial_pair.sh start build/serial-pair
//   scripts/wine-run.sh build/win64/bench/comm_link_bench_win32.exe [path\to\siccorae.dll]
//   scripts/serial_pair.sh stop build/serial-pair
// The library's list diagnostics on standard output go to a file in the temporary folder; the
// figures go to stderr.
#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>

#include "panel/link/frame_assembler.h"
#include "wine_host.h"

namespace {

constexpr char kSettingsKey[] = "Software\\Vantrel Consulting\\Siccora-super eng\\Settings";
constexpr char kScratchKey[] = "Software\\SiccoraCommBench";
constexpr UINT kCmdConnect = 32773;
constexpr UINT kCmdCommSettings = 32850;
constexpr uint32_t kOptionsWithInterface = 0x8418;
constexpr double kStreamSeconds = 10.0;
constexpr double kDrainSeconds = 0.5;
constexpr double kLineBytesPerSecond = 115200.0 / 10.0;  // 8N1: ten bits a byte
constexpr int kFrameBytes = 32;
constexpr DWORD kPollMs = 20;
constexpr double kUdpSeconds = 5.0;
constexpr int kUdpWindow = 32;  // datagrams under way at most
constexpr int kUdpPort = 45123;

struct Api {
  void (*SetRxTarget)(void (*)(), unsigned char*);
  void (*CheckRx)();
  uint32_t (*SetOptions)(uint32_t);
};

template <typename Function>
void Export(HMODULE module, const char* name, Function* function) {
  *function = reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

std::atomic<int64_t> g_delivered{0};  // bytes through the application's receive callback
unsigned char g_cell;
void OnReceive() { g_delivered.fetch_add(1); }

// Registry roots of this process's own, with the settings key the panel reads at creation.
HKEY SandboxSettings() {
  HKEY scratch = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &scratch, nullptr);
  RegOverridePredefKey(HKEY_CURRENT_USER, scratch);
  HKEY key = nullptr;
  RegCreateKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  const std::string port = std::to_string(kUdpPort);
  const char* values[][2] = {{"RegistrySet", "1"}, {"IFaceType", "0"}, {"CommPort", "1"},
                             {"Baud", "115200"},   {"Flow", "0"},      {"DBits", "8"},
                             {"SBits", "1"},       {"Parity", "0"},    {"Ip", "127.0.0.1"},
                             {"Socket Port", port.c_str()}, {"WrkDir", ""}};
  for (const auto& value : values) {
    RegSetValueExA(key, value[0], 0, REG_SZ, reinterpret_cast<const BYTE*>(value[1]),
                   static_cast<DWORD>(std::strlen(value[1])));
  }
  RegCloseKey(key);
  return scratch;
}

HWND WaitForWindow(const char* class_name, const char* title) {
  for (int i = 0; i < 500; ++i) {
    HWND found = FindWindowA(class_name, title);
    if (found && IsWindowVisible(found)) return found;
    Sleep(20);
  }
  return nullptr;
}

// ---- Serial -------------------------------------------------------------------------------------

HANDLE OpenPort(const char* name, DWORD write_timeout_ms) {
  HANDLE port = CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (port == INVALID_HANDLE_VALUE) return port;
  DCB line{};
  line.DCBlength = sizeof line;
  GetCommState(port, &line);
  line.BaudRate = CBR_115200;
  line.ByteSize = 8;
  line.Parity = NOPARITY;
  line.StopBits = ONESTOPBIT;
  SetCommState(port, &line);
  COMMTIMEOUTS timeouts{MAXDWORD, 0, 0, 0, write_timeout_ms};
  SetCommTimeouts(port, &timeouts);
  PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR);
  return port;
}

// Drains what an earlier phase left in the pair.
void DrainPair(HANDLE panel_end) {
  char buffer[4096];
  DWORD got = 0;
  do {
    got = 0;
    ReadFile(panel_end, buffer, sizeof buffer, &got, nullptr);
  } while (got > 0);
}

// The target: frames "@W" + 29 letters + CR at the line rate for kStreamSeconds. A write the
// pair does not take within its timeout is a byte the line would have lost.
struct Stream {
  int64_t offered = 0;
  int64_t written = 0;
};
Stream StreamFrames(HANDLE target) {
  std::string frame = "@W";
  while (frame.size() < kFrameBytes - 1) frame += static_cast<char>('A' + frame.size() % 26);
  frame += '\r';
  Stream stream;
  const double start = Seconds();
  for (;;) {
    const double elapsed = std::min(Seconds() - start, kStreamSeconds);
    while (stream.offered + kFrameBytes <= elapsed * kLineBytesPerSecond) {
      DWORD written = 0;
      WriteFile(target, frame.data(), kFrameBytes, &written, nullptr);
      stream.offered += kFrameBytes;
      stream.written += written;
    }
    if (elapsed >= kStreamSeconds) break;
    Sleep(1);
  }
  // A target on a real line sends at the line rate whether or not its bytes are taken.
  stream.offered = static_cast<int64_t>(kStreamSeconds * kLineBytesPerSecond) / kFrameBytes * kFrameBytes;
  return stream;
}

void Report(const char* rule, const Stream& stream, int64_t delivered) {
  std::fprintf(stderr, "  %-34s offered %7lld B, taken by the pair %7lld B, delivered %7lld B = %8.1f B/s, lost %7lld B\n",
               rule, static_cast<long long>(stream.offered), static_cast<long long>(stream.written),
               static_cast<long long>(delivered), delivered / kStreamSeconds,
               static_cast<long long>(stream.offered - delivered));
}

void SerialWithLibrary(const Api& api, HWND panel, HANDLE target) {
  SendMessageA(panel, WM_COMMAND, kCmdConnect, 0);
  g_delivered = 0;
  Stream stream;
  std::thread writer([&] { stream = StreamFrames(target); });
  const double end = Seconds() + kStreamSeconds + kDrainSeconds;
  while (Seconds() < end) {
    const int64_t before = g_delivered.load();
    api.CheckRx();
    if (g_delivered.load() == before) Sleep(1);  // nothing queued: leave the cores to the others
  }
  writer.join();
  for (int i = 0; i < 100000; ++i) api.CheckRx();  // whatever is still queued
  SendMessageA(panel, WM_COMMAND, kCmdConnect, 0);
  Report("library (all that arrived / 20 ms)", stream, g_delivered.load());
}

void SerialOneBytePerPoll(HANDLE target) {
  HANDLE port = OpenPort("\\\\.\\COM1", 0);
  if (port == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "  COM1 cannot be opened for the one-byte rule\n");
    return;
  }
  DrainPair(port);
  panel::FrameAssembler assembler{};
  int64_t delivered = 0;
  Stream stream;
  std::thread writer([&] { stream = StreamFrames(target); });
  const double end = Seconds() + kStreamSeconds + kDrainSeconds;
  while (Seconds() < end) {
    uint8_t byte = 0;
    DWORD got = 0;
    if (ReadFile(port, &byte, 1, &got, nullptr) && got == 1) {
      panel::FramePiece piece{};
      if (panel::FrameAssemblerFeed(&assembler, byte, &piece)) delivered += piece.length;
    }
    Sleep(kPollMs);
  }
  writer.join();
  CloseHandle(port);
  Report("described rule (1 byte / 20 ms)", stream, delivered);
}

// ---- UDP ----------------------------------------------------------------------------------------

void UdpDatagrams(const Api& api, HWND panel) {
  api.SetOptions(kOptionsWithInterface);
  PostMessageA(panel, WM_COMMAND, kCmdCommSettings, 0);
  HWND dialog = WaitForWindow("#32770", "Communication settings");
  if (!dialog) {
    std::fprintf(stderr, "  no settings dialog\n");
    return;
  }
  SendMessageA(GetDlgItem(dialog, 1217), BM_CLICK, 0, 0);  // Ethernet
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);  // OK: connect
  while (IsWindow(dialog)) Sleep(10);
  Sleep(100);
  WSADATA data;
  WSAStartup(MAKEWORD(2, 0), &data);
  SOCKET target = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  const BOOL reuse = TRUE;
  setsockopt(target, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&reuse), sizeof reuse);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(kUdpPort);
  local.sin_addr.s_addr = inet_addr("127.0.0.1");
  bind(target, reinterpret_cast<sockaddr*>(&local), sizeof local);
  sockaddr_in to = local;
  to.sin_addr.s_addr = inet_addr("127.0.0.2");  // only the panel's any-address socket takes it

  const char datagram[] = "@KB\r0123456789AB";  // 16 bytes
  const int64_t bytes_per = sizeof datagram - 1;
  g_delivered = 0;
  int64_t sent = 0;
  const double start = Seconds();
  while (Seconds() - start < kUdpSeconds) {
    while (sent - g_delivered.load() / bytes_per < kUdpWindow) {
      sendto(target, datagram, static_cast<int>(bytes_per), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
      ++sent;
    }
    api.CheckRx();
  }
  const double elapsed = Seconds() - start;
  const double drain_end = Seconds() + kDrainSeconds;
  while (Seconds() < drain_end) api.CheckRx();
  const int64_t delivered = g_delivered.load() / bytes_per;
  std::fprintf(stderr, "  datagrams sent %lld, delivered %lld = %.0f datagrams/s, lost %lld\n",
               static_cast<long long>(sent), static_cast<long long>(delivered), delivered / elapsed,
               static_cast<long long>(sent - delivered));
  SendMessageA(panel, WM_COMMAND, kCmdConnect, 0);
  closesocket(target);
  WSACleanup();
}

}  // namespace

int main(int argc, char** argv) {
  // The list diagnostics go to a file: Wine's NUL device costs milliseconds a line.
  char log[MAX_PATH] = {};
  GetTempPathA(sizeof log, log);
  std::strcat(log, "siccora_comm_bench.log");
  std::freopen(log, "w", stdout);
  HKEY scratch = SandboxSettings();
  std::string library = argc > 1 ? argv[1] : "";
  if (library.empty()) {
    char exe[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, exe, sizeof exe);
    library = exe;
    library = library.substr(0, library.find_last_of('\\')) + "\\..\\bin\\siccorae.dll";
  }
  HMODULE module = LoadLibraryA(library.c_str());
  if (!module) {
    std::fprintf(stderr, "cannot load %s\n", library.c_str());
    return 1;
  }
  Api api{};
  Export(module, "SetRxTarget", &api.SetRxTarget);
  Export(module, "CheckRx", &api.CheckRx);
  Export(module, "SetOptions", &api.SetOptions);
  HWND panel = WaitForWindow("LcdWnd", nullptr);
  if (!panel) {
    std::fprintf(stderr, "no panel window\n");
    return 1;
  }
  api.SetRxTarget(OnReceive, &g_cell);

  std::fprintf(stderr, "Serial, target streaming %d-byte frames at 115200 baud (%.0f B/s) for %.0f s:\n",
               kFrameBytes, kLineBytesPerSecond, kStreamSeconds);
  HANDLE target = OpenPort("\\\\.\\COM2", 50);
  if (target == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "  COM2 cannot be opened: start scripts/serial_pair.sh first\n");
  } else {
    SerialWithLibrary(api, panel, target);
    SerialOneBytePerPoll(target);
    CloseHandle(target);
  }
  std::fprintf(stderr, "UDP, target on 127.0.0.1:%d, %d datagrams under way at most, %.0f s:\n",
               kUdpPort, kUdpWindow, kUdpSeconds);
  UdpDatagrams(api, panel);

  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
  RegCloseKey(scratch);
  std::fflush(stderr);
  ExitProcess(0);  // the panel's UI thread runs for the life of the process
}
