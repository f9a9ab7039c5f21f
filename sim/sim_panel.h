// The portable panel library run natively, without a window: the panel's lists, the LCD model
// and the area list loaded from a data set's area file, a platform record that runs the command
// interpreter at once, and what a scenario reads back (LCD rows as text, LED states with their
// blinking, the button and LED areas by name). One panel per process, as in the library.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "panel/core/data_lists.h"

namespace sim {

constexpr int kLcdTextRows = 2;
// An LED area whose id is one of the controller's six LED bits is read from the last LED byte:
// the program LEDs blink while their blink flag (bit 7 for bit 0, bit 6 for bit 1) is set, and
// every one of them is otherwise on or off as its bit says. Only an area with another id (a data
// set lighting the blink flags themselves) has no flag to tell; it blinks while its last three
// changes lie at most this far apart one from the next and the last one at most this long ago.
constexpr int kBlinkChangesNeeded = 3;
constexpr uint64_t kBlinkGapMaxMs = 1500;

enum class LedState : uint8_t { kOff, kOn, kBlinking };

// A button or LED area of the loaded area file; the id stays valid when the panel is started
// again with the same data set.
struct PanelArea {
  std::string name;  // UTF-8
  int32_t id;
};

// Resets the portable library to its load-time state, installs the simulator's platform record,
// creates the lists, applies the fixed LCD layout of the load-time option word and reads the
// area file `area_file` (a name relative to `data_dir`, or absolute). The LCD then takes the
// saved rectangle, as the panel window does after loading. False with `error` set when the area
// file cannot be read.
bool StartSimPanel(const std::string& data_dir, const std::string& area_file, std::string* error);

// The device picture's path as the area file names it, resolved in the data folder.
std::string PanelPicturePath();

std::vector<PanelArea> PanelButtons();
std::vector<PanelArea> PanelLeds();

// Display row 0 or 1 as text: ASCII as is, the degree sign as "°", other codes as "\xNN". A row
// the LCD does not show (the display switched off, the second row with one line) is blank.
std::string LcdRowText(int row);
// The LCD frames the panel has drawn so far: while it stays, no row has changed.
uint64_t LcdChangeCount();

// The simulated time the LED changes are stamped with.
void SetPanelTimeMs(uint64_t elapsed_ms);
// The first LED area with this id; off when there is none.
LedState PanelLedState(int32_t id);
const char* LedStateName(LedState state);

}  // namespace sim
