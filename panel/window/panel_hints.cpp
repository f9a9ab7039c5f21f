#include "panel/window/panel_hints.h"

#include "panel/core/monitor_log.h"

namespace panel {

namespace {
const char* const kHintTexts[kPanelHintCount] = {
    "Use the Ctrl key to hold buttons pressed",
    "Press and hold the Filter reset button, followed by the clothes washing button to enter the "
    "Time Menu",
    "Press and hold the Filter reset and heater buttons, followed by the clothes washing button to "
    "enter the Configuration Menu",
    "press and hold the Filter reset and heater buttons, followed by the room washing button to "
    "enter the Test Menu",
    "The relative humidity thresholds for the drying programs can be defined in the Configuration "
    "Menu",
    "The characteristics of the optional heating can be set in the Configuration Menu",
    "The time of day and blocked times can be set in the Time Menu",
    "The remaining time until filter cleaning alarm can be check in the Time Menu",
    "The filter time is set in the simulator to run out after one minute operation.",
};
}  // namespace

const char* PanelHintText(int index) {
  if (index < 0 || index >= kPanelHintCount) {
    index = 0;
  }
  return kHintTexts[index];
}

int NextHintIndex(int index) {
  ++index;
  return (index >= kPanelHintCount || index < 0) ? 0 : index;
}

void ShowNextHint(int* index) {
  StatusText("%s", PanelHintText(*index));
  *index = NextHintIndex(*index);
}

}  // namespace panel
