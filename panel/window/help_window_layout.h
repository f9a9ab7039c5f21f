// Where the context-help note goes and how big it is: the note grows with its text (at most 80
// characters a line) and stays on the screen. Plain arithmetic, shared by the Win32 help window
// and the tests.
#pragma once

#include <cstdint>

namespace panel {

constexpr int32_t kHelpNoteMaxLineChars = 80;   // wider texts wrap
constexpr int32_t kHelpNoteCharsPerLine = 80;   // one line of height per 80 characters of text
constexpr int32_t kHelpNoteFrame = 6;           // window size over the text area (3 a side)

// The default font's metrics and the screen size, as the help window reads them at creation.
struct HelpNoteMetrics {
  int32_t average_width;  // average character width
  int32_t line_height;    // height + external leading
  int32_t capital_width;  // HelpNoteCapitalWidth()
  int32_t screen_width;
  int32_t screen_height;
};

// The note's window rectangle: top-left corner and outer size.
struct HelpNotePlacement {
  int32_t x;
  int32_t y;
  int32_t width;
  int32_t height;
};

// Average width x 3 / 2 for a variable-pitch font, the average width for a fixed-pitch one.
int32_t HelpNoteCapitalWidth(int32_t average_width, bool variable_pitch);

// Size and place of a note of text_length characters asked for at the screen point (x, y):
// text width min(n, 80) x w + cap; text height n x lh / 80 + 1 raised past the next multiple of
// lh; moved left or up when it would leave the screen; the window is 6 pixels larger each way.
// A line height below 1 counts as 1 and a negative length as 0.
HelpNotePlacement PlaceHelpNote(const HelpNoteMetrics& metrics, int32_t text_length, int32_t x,
                                int32_t y);

}  // namespace panel
