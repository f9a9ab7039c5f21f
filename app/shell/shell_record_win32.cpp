#include "app/shell/shell_record_win32.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "app/shell/session_recorder.h"
#include "panel/core/data_lists.h"

namespace shell {

namespace {

constexpr char kRecordOption[] = "--record";
constexpr char kPanelLibrary[] = "siccorae.dll";

controller::ReceiveCallback g_controller_receive = nullptr;
const unsigned char* g_cell = nullptr;

void RecordingReceive() {
  RecordPanelByte(*g_cell);
  g_controller_receive();
}

// A library export by name (through void*: the exports have other types than FARPROC's).
template <typename Function>
Function PanelExport(const char* name) {
  HMODULE library = GetModuleHandleA(kPanelLibrary);
  return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(library, name)))
                 : nullptr;
}

// The recorder's copies of the button and LED names, one per id bit: designer mode may replace
// or free a name on the panel's UI thread at any time, so the recorder never holds the library's
// text.
constexpr int kIdBits = 31;
constexpr int kAreaNameChars = 260;
char g_button_names[kIdBits][kAreaNameChars];
char g_led_names[kIdBits][kAreaNameChars];

int IdBit(int32_t id) {
  for (int bit = 0; bit < kIdBits; ++bit) {
    if (id == int32_t{1} << bit) return bit;
  }
  return -1;
}

// An area's name in the panel library's area list (loaded by then), copied under the list's lock
// by the export `copier` into `names`. Asked through the loaded library itself, so a program that
// also links the portable lists gets the panel's.
const char* CopiedAreaName(const char* copier, char (*names)[kAreaNameChars], int32_t id) {
  auto get_list = PanelExport<tagRLISTHEAD* (*)()>("GetRectList");
  auto copy_name = PanelExport<int (*)(tagRLISTHEAD*, int32_t, char*, int32_t)>(copier);
  const int bit = IdBit(id);
  if (!get_list || !copy_name || bit < 0) return nullptr;
  char* name = names[bit];
  return copy_name(get_list(), id, name, kAreaNameChars) ? name : nullptr;
}

const char* PanelButtonName(int32_t id) {
  return CopiedAreaName("CopyRectNameById", g_button_names, id);
}
const char* PanelLedName(int32_t id) { return CopiedAreaName("CopyEllipseNameById", g_led_names, id); }

const char* RecordPath() {
  for (int i = 1; i + 1 < __argc; ++i) {
    if (std::strcmp(__argv[i], kRecordOption) == 0) return __argv[i + 1];
  }
  return nullptr;
}

}  // namespace

controller::ReceiveCallback StartShellRecording(controller::ReceiveCallback controller_receive,
                                                const unsigned char* cell, int8_t temperature,
                                                uint8_t humidity) {
  const char* path = RecordPath();
  if (!path) return controller_receive;
  SYSTEMTIME now;
  GetLocalTime(&now);
  const RecorderStart start{static_cast<uint8_t>(now.wHour),
                            static_cast<uint8_t>(now.wMinute),
                            static_cast<uint8_t>(now.wSecond),
                            temperature,
                            humidity,
                            PanelButtonName,
                            static_cast<uint16_t>(now.wMilliseconds),
                            PanelLedName};
  if (!StartRecording(path, start)) return controller_receive;
  g_controller_receive = controller_receive;
  g_cell = cell;
  return RecordingReceive;
}

void RecordShellTick(int8_t temperature, uint8_t humidity, uint8_t relays, const uint8_t* frame,
                     int length) {
  RecordRelayByte(relays);
  RecordTick(temperature, humidity, frame, length);
}

void StopShellRecording() { StopRecording(); }

}  // namespace shell
