// Monitor log and status line of the panel library: the RX and TX monitor lines and the status
// text, formatted here with the wsprintf conventions and handed to the platform to show
// (panel_platform.h: the Win32 monitor window and status line, or a fake in the tests).
//
// Also a plain model of a monitor's edit control (32000 characters, start-over when full), so the
// log's behaviour when it fills up can be checked without a window system.
#pragma once

#include <cstdarg>
#include <cstddef>

#include "panel/core/panel_platform.h"

namespace panel {

// A monitor line holds at most this many characters; longer expansions are cut.
constexpr int kMonitorLineMaxChars = 1000;
// The status line holds at most this many characters.
constexpr int kStatusTextMaxChars = 1024;
// Each monitor edit control holds at most this many characters.
constexpr int kMonitorCapacityChars = 32000;

// Expands `format` (at most kMonitorLineMaxChars characters) and writes it to the target monitor.
// Returns the characters written, 0 when no monitor exists. The caller supplies the line end.
int MonitorLine(MonitorTarget target, const char* format, ...);
int MonitorLineV(MonitorTarget target, const char* format, va_list args);

// Expands `format` (at most kStatusTextMaxChars characters); the result becomes the whole status
// line. Nothing happens without a status line.
void StatusText(const char* format, ...);

// Writes a frame as "%s<0x%02x>\r\n": its bytes but the last as text (up to a NUL byte, as "%s"
// reads them), then the last byte's value. A frame of length 0 has no last byte: nothing is
// written and the result is 0.
int MonitorFrameLine(MonitorTarget target, const unsigned char* bytes, int length);

// The wsprintf subset used by every diagnostic of the library: "%s", "%hs", "%d", "%i", "%x",
// "%X", "%p", each with an optional '0' or '-' flag and a width ("%02x", "%04X", "%02d"), and "%%".
// A null "%s" argument prints "(null)"; "%p" prints the address as upper-case hex digits, two per
// byte of a pointer. Any other conversion is copied literally and takes no argument. No floating
// point. Writes at most buffer_size - 1 characters and always a terminating NUL (when
// buffer_size > 0); returns the number of characters stored.
int FormatTextV(char* buffer, size_t buffer_size, const char* format, va_list args);
int FormatText(char* buffer, size_t buffer_size, const char* format, ...);

// A monitor edit control: its text, limited to kMonitorCapacityChars, and its selection. A new line
// replaces the selection (normally the empty selection at the end, so lines are appended). When
// the control is full, the whole text is selected so the next line replaces it: the log starts
// over instead of stopping.
struct MonitorText {
  char text[kMonitorCapacityChars + 1];  // NUL-terminated
  int length;                            // characters in text
  int selection_start;                   // selected range [selection_start, selection_end)
  int selection_end;
};

void MonitorTextClear(MonitorText* monitor);
// Replaces the selection with `line`, cut to what still fits (as the control cuts an insertion
// that exceeds its limit). Returns the characters inserted.
int MonitorTextAppend(MonitorText* monitor, const char* line);

}  // namespace panel
