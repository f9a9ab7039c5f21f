#include "app/shell/session_recorder.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "app/controller/controller_codes.h"
#include "app/controller/controller_fields.h"
#include "app/shell/cp1252_text.h"
#include "panel/lcd/glyph_table.h"
#include "panel/link/frame_assembler.h"

namespace shell {

namespace {

constexpr uint32_t kTickMs = 1000u / controller::kTicksPerSecond;
constexpr uint8_t kFrameStart = panel::kFrameStartCommand;
constexpr uint8_t kPanelTerminator = panel::kFrameCr;   // the panel's frames end with CR
constexpr uint8_t kAppTerminator = panel::kFrameDle;    // the controller's with DLE
constexpr uint8_t kKeyCommand = 'K';
constexpr uint8_t kKeyOffset = 0x41;    // key frame byte = 0x41 + key state, modulo 256
constexpr int kPanelMessageMax = 8;     // "@K" frames are four bytes; longer ones are not keys
constexpr uint8_t kClearDisplay = 0x01;
constexpr uint8_t kSetAddress = 0x80;   // 1 A A A A A A A  Set DDRAM address
constexpr uint8_t kSecondLine = 0x40;
constexpr uint8_t kColumnMask = 0x3F;
constexpr int kKeyBits = 32;            // button ids are 32 bits wide
constexpr int kLedBits = 6;             // bits 0..5 are LEDs; 6 and 7 are blink flags
constexpr int kLedStateBits = 2;        // per LED in a packed state word
enum RecordedLedState : uint32_t { kLedOff = 0, kLedOn = 1, kLedBlinking = 2 };
static_assert(kLedBits * kLedStateBits <= 16, "the LED states fit a 16-bit word");

struct RelayLabel {
  const char* name;
  int shift;
};
// In the order siccora-sim reads them.
constexpr RelayLabel kRelays[] = {
    {"compressor", controller::kRelayShiftCompressor},
    {"heater", controller::kRelayShiftHeater},
    {"ventilator", controller::kRelayShiftVentilator},
    {"hotgas", controller::kRelayShiftHotgas},
};

// Something the recorder checks whenever it has been steady long enough: its current value,
// the tick it took it, and the value of the last checkpoint.
struct Watched {
  bool known;        // a value has been seen
  uint32_t value;
  uint32_t changed_at;
  bool checked;      // a checkpoint has been written
  uint32_t checked_value;
};

struct RecorderState {
  std::FILE* file;
  std::string step;         // the step being written; written and flushed as a whole
  ButtonNameLookup button_name;
  LedNameLookup led_name;
  uint32_t ticks;           // ticks run so far
  uint32_t written_ticks;   // ticks the steps written so far account for
  int32_t key_state;
  int8_t temperature;
  uint8_t humidity;
  uint8_t message[kPanelMessageMax];
  int message_length;
  char lines[kRecordedLcdRows][kRecordedLcdColumns];
  char checkpointed[kRecordedLcdRows][kRecordedLcdColumns];
  uint32_t changed_at[kRecordedLcdRows];
  int cursor_line;
  int cursor_column;
  Watched relays;           // the relay byte
  Watched leds;             // the LED states, packed
};

RecorderState g_recorder;

void Append(const char* text) { g_recorder.step += text; }

// One number in a short format (the longest is an expect-lcd head).
void AppendNumber(std::string* out, const char* format, unsigned long value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  *out += text;
}
void AppendNumber(const char* format, unsigned long value) {
  AppendNumber(&g_recorder.step, format, value);
}

// The step (or steps) composed so far go to the file in one write and are flushed.
void EndStep() {
  RecorderState& r = g_recorder;
  if (r.step.empty()) return;
  std::fwrite(r.step.data(), 1, r.step.size(), r.file);
  std::fflush(r.file);
  r.step.clear();
}

void CatchUp() {
  RecorderState& r = g_recorder;
  if (r.ticks == r.written_ticks) return;
  AppendNumber("  - wait: %lums\n", static_cast<unsigned long>(r.ticks - r.written_ticks) * kTickMs);
  r.written_ticks = r.ticks;
}

bool UndefinedInCp1252(uint8_t c) { return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D; }

// A code page 1252 name as a double-quoted YAML scalar in UTF-8: quote and backslash escaped,
// control characters (and the code page's undefined bytes) as "\xNN", which reads back as the
// character the conversion to UTF-8 gives them.
void AppendQuotedName(std::string* text, const char* name) {
  std::string& out = *text;
  out += '"';
  for (const char* p = name; *p; ++p) {
    const uint8_t c = static_cast<uint8_t>(*p);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F || UndefinedInCp1252(c)) {
      AppendNumber(&out, "\\x%02lX", c);
    } else {
      out += Cp1252ToUtf8(std::string(1, static_cast<char>(c)));
    }
  }
  out += '"';
}

void AppendButtons(int32_t ids) {
  RecorderState& r = g_recorder;
  Append("[");
  bool first = true;
  for (int bit = 0; bit < kKeyBits; ++bit) {
    const uint32_t id = uint32_t{1} << bit;
    if (!(static_cast<uint32_t>(ids) & id)) continue;
    const char* name = r.button_name ? r.button_name(static_cast<int32_t>(id)) : nullptr;
    if (!first) Append(", ");
    if (name && *name) {
      AppendQuotedName(&r.step, name);
    } else {
      AppendNumber("{id: %lu}", static_cast<unsigned long>(id));
    }
    first = false;
  }
  Append("]\n");
}

void KeyFrame(int32_t key_state) {
  RecorderState& r = g_recorder;
  const int32_t released = r.key_state & ~key_state;
  const int32_t pressed = key_state & ~r.key_state;
  if (released == 0 && pressed == 0) return;
  CatchUp();
  if (released != 0) {
    if (key_state == 0) {
      Append("  - release: all\n");
    } else {
      Append("  - release: ");
      AppendButtons(released);
    }
  }
  if (pressed != 0) {
    Append("  - hold: ");
    AppendButtons(pressed);
  }
  r.key_state = key_state;
  EndStep();
}

// A new value of something watched at `tick`; the time of the change is kept for the checkpoint.
void Watch(Watched* watched, uint32_t value, uint32_t tick) {
  if (watched->known && watched->value == value) return;
  watched->known = true;
  watched->value = value;
  watched->changed_at = tick;
}

// Due when the value has been steady for `steady_ticks` and differs from the last checkpoint.
bool CheckpointDue(Watched* watched, uint32_t steady_ticks) {
  if (!watched->known || g_recorder.ticks - watched->changed_at < steady_ticks) return false;
  if (watched->checked && watched->checked_value == watched->value) return false;
  watched->checked = true;
  watched->checked_value = watched->value;
  return true;
}

uint32_t LedState(uint32_t states, int bit) { return (states >> (bit * kLedStateBits)) & 3u; }

// The LED states an LED byte gives: blinking where a blink flag covers the LED, else its bit.
uint32_t LedStates(uint8_t led_byte) {
  uint32_t states = 0;
  const uint8_t blinking = controller::BlinkingLeds(led_byte);
  for (int bit = 0; bit < kLedBits; ++bit) {
    uint32_t state = (led_byte >> bit) & 1u ? kLedOn : kLedOff;
    if ((blinking >> bit) & 1u) state = kLedBlinking;
    states |= state << (bit * kLedStateBits);
  }
  return states;
}

int HexNibble(uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

void PutCharacter(uint8_t c) {
  RecorderState& r = g_recorder;
  if (r.cursor_column >= 0 && r.cursor_column < kRecordedLcdColumns) {
    char& cell = r.lines[r.cursor_line][r.cursor_column];
    if (cell != static_cast<char>(c)) {
      cell = static_cast<char>(c);
      r.changed_at[r.cursor_line] = r.ticks;
    }
  }
  ++r.cursor_column;
}

void ClearLines() {
  RecorderState& r = g_recorder;
  for (int line = 0; line < kRecordedLcdRows; ++line) {
    if (std::memcmp(r.lines[line], "                ", kRecordedLcdColumns) != 0) {
      std::memset(r.lines[line], ' ', kRecordedLcdColumns);
      r.changed_at[line] = r.ticks;
    }
  }
  r.cursor_line = 0;
  r.cursor_column = 0;
}

// The controller's frame: '@', command, payload, DLE.
void ObserveFrame(const uint8_t* frame, int length) {
  RecorderState& r = g_recorder;
  if (length < 3 || frame[0] != kFrameStart || frame[length - 1] != kAppTerminator) return;
  const uint8_t* payload = frame + 2;
  const int payload_length = length - 3;
  switch (frame[1]) {
    case 'D': {
      if (payload_length != 2 || HexNibble(payload[0]) < 0 || HexNibble(payload[1]) < 0) break;
      const uint8_t instruction = static_cast<uint8_t>(HexNibble(payload[0]) * 16 + HexNibble(payload[1]));
      if (instruction == kClearDisplay) {
        ClearLines();
      } else if (instruction & kSetAddress) {
        r.cursor_line = (instruction & kSecondLine) ? 1 : 0;
        r.cursor_column = instruction & kColumnMask;
      }
      break;
    }
    case 'W':
      for (int i = 0; i < payload_length; ++i) PutCharacter(payload[i]);
      break;
    case 'L':
      if (payload_length == 2 && HexNibble(payload[0]) >= 0 && HexNibble(payload[1]) >= 0) {
        const uint8_t led_byte = static_cast<uint8_t>(HexNibble(payload[0]) * 16 + HexNibble(payload[1]));
        Watch(&r.leds, LedStates(led_byte), r.ticks);
      }
      break;
    case 'Q':
      if (payload_length == 1) {
        for (int line = 0; line < kRecordedLcdRows; ++line) {
          r.cursor_line = line;
          r.cursor_column = 0;
          for (int column = 0; column < kRecordedLcdColumns; ++column) PutCharacter(payload[0]);
        }
      }
      break;
    default:
      break;
  }
}

// The line as siccora-sim shows LCD text, quoted for YAML.
void AppendLineText(const char* line) {
  std::string& out = g_recorder.step;
  out += '"';
  for (int column = 0; column < kRecordedLcdColumns; ++column) {
    const uint8_t c = static_cast<uint8_t>(line[column]);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c >= panel::kLcdFirstAsciiCode && c <= panel::kLcdLastAsciiCode) {
      out += static_cast<char>(c);
    } else if (c == panel::kLcdDegreeCode) {
      out += "\xC2\xB0";
    } else {
      AppendNumber("\\\\x%02lX", c);
    }
  }
  out += '"';
}

void RelayCheckpoint() {
  RecorderState& r = g_recorder;
  if (!CheckpointDue(&r.relays, kSteadyTicks)) return;
  CatchUp();
  Append("  - expect-relays: {");
  bool first = true;
  for (const RelayLabel& relay : kRelays) {
    if (!first) Append(", ");
    Append(relay.name);
    Append(((r.relays.value >> relay.shift) & 1u) == 0 ? ": on" : ": off");  // active low
    first = false;
  }
  Append("}\n");
}

void LedCheckpoint() {
  RecorderState& r = g_recorder;
  if (!r.led_name) return;
  if (!CheckpointDue(&r.leds, kSteadyTicks)) return;
  static const char* const kStateNames[] = {"off", "on", "blinking"};
  std::string leds;
  for (int bit = 0; bit < kLedBits; ++bit) {
    const char* name = r.led_name(int32_t{1} << bit);
    if (!name || !*name) continue;
    if (!leds.empty()) leds += ", ";
    AppendQuotedName(&leds, name);
    leds += std::string(": ") + kStateNames[LedState(r.leds.value, bit)];
  }
  if (leds.empty()) return;
  CatchUp();
  Append("  - expect-leds: {");
  Append(leds.c_str());
  Append("}\n");
}

void Checkpoints() {
  RecorderState& r = g_recorder;
  for (int line = 0; line < kRecordedLcdRows; ++line) {
    if (r.ticks - r.changed_at[line] < kSteadyTicks) continue;
    if (std::memcmp(r.lines[line], r.checkpointed[line], kRecordedLcdColumns) == 0) continue;
    std::memcpy(r.checkpointed[line], r.lines[line], kRecordedLcdColumns);
    CatchUp();
    AppendNumber("  - expect-lcd: {line: %lu, text: ", static_cast<unsigned long>(line + 1));
    AppendLineText(r.lines[line]);
    Append("}\n");
  }
  RelayCheckpoint();
  LedCheckpoint();
  EndStep();
}

}  // namespace

bool StartRecording(const char* path, const RecorderStart& start) {
  StopRecording();
  std::FILE* file = path ? std::fopen(path, "wb") : nullptr;
  if (!file) return false;
  g_recorder = RecorderState{};
  g_recorder.file = file;
  g_recorder.button_name = start.button_name;
  g_recorder.led_name = start.led_name;
  g_recorder.temperature = start.temperature;
  g_recorder.humidity = start.humidity;
  std::memset(g_recorder.lines, ' ', sizeof g_recorder.lines);
  std::memset(g_recorder.checkpointed, ' ', sizeof g_recorder.checkpointed);
  // The first step comes with the head, so even a file cut off at once is a whole scenario.
  std::fprintf(file,
               "# A session recorded by siccora.exe --record; replay it with siccora-sim.\n"
               "name: \"Recorded session %02u:%02u:%02u\"\n"
               "clock: \"%02u:%02u:%02u.%03u\"\n"
               "temperature: %d\n"
               "humidity: %u\n"
               "keys: at-once\n"
               "steps:\n"
               "  - wait: 0ms\n",
               start.hour, start.minute, start.second, start.hour, start.minute, start.second,
               static_cast<unsigned>(start.millisecond % 1000u), start.temperature, start.humidity);
  std::fflush(file);
  return true;
}

bool Recording() { return g_recorder.file != nullptr; }

void RecordPanelByte(uint8_t byte) {
  RecorderState& r = g_recorder;
  if (!r.file) return;
  if (byte == kFrameStart) r.message_length = 0;
  if (byte != kPanelTerminator) {
    if (r.message_length < kPanelMessageMax) r.message[r.message_length++] = byte;
    return;
  }
  if (r.message_length == 3 && r.message[0] == kFrameStart && r.message[1] == kKeyCommand) {
    // The byte wrapped for states from 0xBF on: undo the offset in the byte's own width.
    KeyFrame(static_cast<uint8_t>(r.message[2] - kKeyOffset));
  }
  r.message_length = 0;
}

void RecordRelayByte(uint8_t relays) {
  RecorderState& r = g_recorder;
  if (!r.file) return;
  Watch(&r.relays, relays, r.ticks + 1);  // the tick that wrote it, which RecordTick counts next
}

void RecordTick(int8_t temperature, uint8_t humidity, const uint8_t* frame, int length) {
  RecorderState& r = g_recorder;
  if (!r.file) return;
  if (temperature != r.temperature || humidity != r.humidity) {
    CatchUp();
    char text[64];
    std::snprintf(text, sizeof text, "  - set: {temperature: %d, humidity: %u}\n", temperature,
                  static_cast<unsigned>(humidity));
    Append(text);
    EndStep();
    r.temperature = temperature;
    r.humidity = humidity;
  }
  ++r.ticks;
  if (frame && length > 0) ObserveFrame(frame, length);
  Checkpoints();
}

void StopRecording() {
  RecorderState& r = g_recorder;
  if (!r.file) return;
  CatchUp();
  EndStep();
  std::fclose(r.file);
  r.file = nullptr;
}

}  // namespace shell
