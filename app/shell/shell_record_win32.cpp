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

// An area's name in the panel library's area list (loaded by then), found by id with the search
// export `finder`. Asked through the loaded library itself, so a program that also links the
// portable lists gets the panel's.
const char* PanelAreaName(const char* finder, int32_t id) {
  auto get_list = PanelExport<tagRLISTHEAD* (*)()>("GetRectList");
  auto find = PanelExport<tagRECTPROP* (*)(tagRLISTHEAD*, int32_t)>(finder);
  if (!get_list || !find) return nullptr;
  const tagRECTPROP* area = find(get_list(), id);
  return area ? area->name : nullptr;
}

const char* PanelButtonName(int32_t id) { return PanelAreaName("FindRectById", id); }
const char* PanelLedName(int32_t bit) { return PanelAreaName("FindEllipseById", bit); }

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
