#include "app/shell/session_recorder.h"

#include <cstdio>
#include <cstring>

#include "app/controller/controller_codes.h"
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
constexpr int kKeyBits = 16;

struct RecorderState {
  std::FILE* file;
  ButtonNameLookup button_name;
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
};

RecorderState g_recorder;

void CatchUp() {
  RecorderState& r = g_recorder;
  if (r.ticks == r.written_ticks) return;
  std::fprintf(r.file, "  - wait: %lums\n", static_cast<unsigned long>((r.ticks - r.written_ticks) * kTickMs));
  r.written_ticks = r.ticks;
}

void WriteButtons(int32_t ids) {
  RecorderState& r = g_recorder;
  std::fputc('[', r.file);
  bool first = true;
  for (int bit = 0; bit < kKeyBits; ++bit) {
    const int32_t id = int32_t{1} << bit;
    if (!(ids & id)) continue;
    const char* name = r.button_name ? r.button_name(id) : nullptr;
    std::fprintf(r.file, first ? "" : ", ");
    if (name) {
      std::fprintf(r.file, "\"%s\"", name);
    } else {
      std::fprintf(r.file, "\"%d\"", static_cast<int>(id));
    }
    first = false;
  }
  std::fputs("]\n", r.file);
}

void KeyFrame(int32_t key_state) {
  RecorderState& r = g_recorder;
  const int32_t released = r.key_state & ~key_state;
  const int32_t pressed = key_state & ~r.key_state;
  if (released == 0 && pressed == 0) return;
  CatchUp();
  if (released != 0) {
    if (key_state == 0) {
      std::fputs("  - release: all\n", r.file);
    } else {
      std::fputs("  - release: ", r.file);
      WriteButtons(released);
    }
  }
  if (pressed != 0) {
    std::fputs("  - hold: ", r.file);
    WriteButtons(pressed);
  }
  r.key_state = key_state;
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
void WriteLineText(const char* line) {
  std::FILE* file = g_recorder.file;
  std::fputc('"', file);
  for (int column = 0; column < kRecordedLcdColumns; ++column) {
    const uint8_t c = static_cast<uint8_t>(line[column]);
    if (c == '"' || c == '\\') {
      std::fprintf(file, "\\%c", c);
    } else if (c >= panel::kLcdFirstAsciiCode && c <= panel::kLcdLastAsciiCode) {
      std::fputc(c, file);
    } else if (c == panel::kLcdDegreeCode) {
      std::fputs("\xC2\xB0", file);
    } else {
      std::fprintf(file, "\\\\x%02X", c);
    }
  }
  std::fputc('"', file);
}

void Checkpoints() {
  RecorderState& r = g_recorder;
  for (int line = 0; line < kRecordedLcdRows; ++line) {
    if (r.ticks - r.changed_at[line] < kSteadyTicks) continue;
    if (std::memcmp(r.lines[line], r.checkpointed[line], kRecordedLcdColumns) == 0) continue;
    std::memcpy(r.checkpointed[line], r.lines[line], kRecordedLcdColumns);
    CatchUp();
    std::fprintf(r.file, "  - expect-lcd: {line: %d, text: ", line + 1);
    WriteLineText(r.lines[line]);
    std::fputs("}\n", r.file);
  }
}

}  // namespace

bool StartRecording(const char* path, const RecorderStart& start) {
  StopRecording();
  std::FILE* file = path ? std::fopen(path, "wb") : nullptr;
  if (!file) return false;
  g_recorder = RecorderState{};
  g_recorder.file = file;
  g_recorder.button_name = start.button_name;
  g_recorder.temperature = start.temperature;
  g_recorder.humidity = start.humidity;
  std::memset(g_recorder.lines, ' ', sizeof g_recorder.lines);
  std::memset(g_recorder.checkpointed, ' ', sizeof g_recorder.checkpointed);
  std::fprintf(file,
               "# A session recorded by siccora.exe --record; replay it with siccora-sim.\n"
               "name: \"Recorded session %02u:%02u:%02u\"\n"
               "clock: \"%02u:%02u:%02u\"\n"
               "temperature: %d\n"
               "humidity: %u\n"
               "steps:\n",
               start.hour, start.minute, start.second, start.hour, start.minute, start.second,
               start.temperature, start.humidity);
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

void RecordTick(int8_t temperature, uint8_t humidity, const uint8_t* frame, int length) {
  RecorderState& r = g_recorder;
  if (!r.file) return;
  if (temperature != r.temperature || humidity != r.humidity) {
    CatchUp();
    std::fprintf(r.file, "  - set: {temperature: %d, humidity: %u}\n", temperature, humidity);
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
  if (r.written_ticks == 0) std::fputs("  - wait: 0ms\n", r.file);
  std::fclose(r.file);
  r.file = nullptr;
}

}  // namespace shell
