// Builds the panel's outgoing line frames: "@" + command + optional byte + text + terminator,
// in one static buffer that the LCD test tool and the panel window's key frames share. Each call
// overwrites the previous frame, so a caller hands the frame on (ReceiveFromApp or a TX list
// record copies it) before building the next. Both callers run on the UI thread.
#pragma once

#include <cstdint>

namespace panel {

constexpr int kBuildFrameSize = 200;      // the shared static buffer
constexpr int kBuildFrameMaxText = 196;   // "@", command, second byte and terminator leave 196

// command 0 = none, second 0 = none, text may be null. Returns the static buffer, cleared to
// zeros and then holding the frame; *length (if length is not null) receives
// 1 + (command != 0) + (second != 0) + text length + 1. A text longer than kBuildFrameMaxText is
// cut to that length so that the frame always fits the buffer.
uint8_t* BuildFrame(uint8_t command, uint8_t second, const char* text, int* length,
                    uint8_t terminator);

}  // namespace panel
