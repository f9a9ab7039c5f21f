// libFuzzer target: random bytes through the application's frame assembler with the command
// interpreter behind it (LCD model, LED areas, answers), and through the target's assembler to
// the TX list; everything queued is delivered with CheckRx so the lists stay small.
//
// The first input byte selects the replies flag and which input gets the rest; the remaining
// bytes are split into calls at every 0xFE byte (itself kept as data) so frames cross calls.
#include <cstddef>
#include <cstdint>

#include "panel/core/data_lists.h"
#include "panel/core/monitor_log.h"
#include "panel/core/panel_platform.h"
#include "panel/lcd/lcd_controller.h"
#include "panel/link/app_link.h"
#include "panel/link/command_interpreter.h"
#include "panel/link/protocol_settings.h"

using namespace panel;

namespace {

uint8_t g_cell = 0;
size_t g_delivered = 0;
size_t g_monitor_chars = 0;

void OnByte() { g_delivered += g_cell; }
void RunInterpreter(void*) { RunCommandInterpreter(); }
void Redraw(void*) {}
void Beep(void*, unsigned, unsigned) {}
int CountLine(void*, MonitorTarget, const char* text) {
  size_t n = 0;
  while (text[n] != '\0') ++n;  // touches every character the formatter produced
  g_monitor_chars += n;
  return static_cast<int>(n);
}

void AddLed(tagRLISTHEAD* areas, int32_t id) {
  tagRECTPROP led{};
  led.id = id;
  led.kind = kRectKindLed;
  led.active_color = 1;
  led.inactive_color = 2;
  AppendRect(areas, CreateRectEntry(&led));
}

void SetUpOnce() {
  ListInitCriticalSection();
  InitCriticalRectSection();
  SetListHead(ListCreate());  // TX
  SetListHead(ListCreate());  // RX
  tagRLISTHEAD* areas = CreateRectList();
  SetRectList(areas);
  for (int32_t id : {1, 2, 4, 16}) AddLed(areas, id);  // a gap at 8 stops the update there
  LcdInit();
  // No list report: the data lists would write a line for every append and removal.
  PanelPlatform platform{};
  platform.redraw_lcd = Redraw;
  platform.redraw_leds = Redraw;
  platform.beep = Beep;
  platform.write_monitor_line = CountLine;
  platform.run_interpreter = RunInterpreter;
  InstallPanelPlatform(platform);
  AppLinkSetRxTarget(OnByte, &g_cell);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static bool ready = (SetUpOnce(), true);
  (void)ready;
  if (size == 0) return 0;
  const uint8_t mode = data[0];
  SetRepliesFlag((mode & 1) != 0 ? kRepliesOn : 0);
  const bool from_target = (mode & 2) != 0;
  ++data;
  --size;

  size_t start = 0;
  for (size_t i = 0; i <= size; ++i) {
    if (i == size || data[i] == 0xFE) {
      const size_t end = i < size ? i + 1 : i;
      if (end > start) {
        if (from_target) {
          TargetReceiveBytes(data + start, static_cast<uint32_t>(end - start));
        } else {
          AppLinkReceive(data + start, static_cast<uint32_t>(end - start));
        }
      }
      start = end;
    }
  }
  tagLISTHEAD* tx = GetTXListHead();
  while (tx->count > 0) AppLinkCheckRx();
  return 0;
}
