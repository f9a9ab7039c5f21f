// Writes a recording as siccora.exe --record does, for the scenario reader's fuzz corpus: the
// recorder itself is fed a short session (key frames, a slider change, LCD frames), so the seed
// always has the recorder's current form.
//   make_recording_seed FILE
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "app/shell/session_recorder.h"
#include "tools/rk52_layout.h"

namespace {

constexpr uint8_t kFrameEnd = 0x10;
constexpr uint8_t kKeyFrameOffset = 0x41;  // the key frame's byte is 0x41 + the key state
constexpr int kTicksOfText = 40;  // longer than a checkpoint needs

const char* ButtonName(int32_t id) {
  for (const rk52::Button& button : rk52::kButtons) {
    if (button.id == id) return button.name;
  }
  return nullptr;
}

// The panel's key frame: '@', 'K', the pressed buttons' ids as one byte, CR.
void KeyFrame(uint8_t keys) {
  const uint8_t key_byte = static_cast<uint8_t>(kKeyFrameOffset + keys);
  for (const uint8_t byte : {uint8_t{'@'}, uint8_t{'K'}, key_byte, uint8_t{'\r'}}) {
    shell::RecordPanelByte(byte);
  }
}

void Tick(int8_t temperature, uint8_t humidity, const char* frame) {
  uint8_t bytes[32] = {};
  int length = 0;
  if (frame) {
    length = static_cast<int>(std::strlen(frame));
    std::memcpy(bytes, frame, static_cast<size_t>(length));
    bytes[length++] = kFrameEnd;
  }
  shell::RecordTick(temperature, humidity, frame ? bytes : nullptr, length);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_recording_seed FILE\n");
    return 2;
  }
  if (!shell::StartRecording(argv[1], shell::RecorderStart{9, 59, 40, 15, 58, ButtonName, 0, nullptr})) {
    std::fprintf(stderr, "make_recording_seed: cannot write %s\n", argv[1]);
    return 1;
  }
  Tick(15, 58, "@D01");
  Tick(15, 70, "@DC0");
  Tick(15, 70, "@W SICCORA-superb");
  for (int i = 0; i < kTicksOfText; ++i) Tick(15, 70, nullptr);
  KeyFrame(16);  // Room down
  Tick(15, 70, "@DC0");
  KeyFrame(16 | 4);  // Ctrl: Filter reset held as well
  Tick(15, 70, "@W  Drying Room   ");
  KeyFrame(0);
  for (int i = 0; i < kTicksOfText; ++i) Tick(12, 55, nullptr);
  shell::StopRecording();
  return 0;
}
