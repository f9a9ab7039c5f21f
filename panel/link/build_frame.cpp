// BuildFrame: the shared frame buffer of the LCD test tool and the key frames.
#include "panel/link/build_frame.h"

#include <cstring>

namespace panel {

namespace {
uint8_t g_frame[kBuildFrameSize];
}  // namespace

uint8_t* BuildFrame(uint8_t command, uint8_t second, const char* text, int* length,
                    uint8_t terminator) {
  std::memset(g_frame, 0, sizeof g_frame);
  int n = 0;
  g_frame[n++] = '@';
  if (command != 0) g_frame[n++] = command;
  if (second != 0) g_frame[n++] = second;
  if (text != nullptr) {
    int text_length = 0;
    while (text_length < kBuildFrameMaxText && text[text_length] != '\0') ++text_length;
    std::memcpy(g_frame + n, text, static_cast<size_t>(text_length));
    n += text_length;
  }
  g_frame[n++] = terminator;
  if (length != nullptr) *length = n;
  return g_frame;
}

}  // namespace panel
