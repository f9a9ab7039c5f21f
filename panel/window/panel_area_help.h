// F1 over the panel: the help text of the LED or button area under the mouse, from the
// context-help file.
#pragma once

#include "panel/core/data_lists.h"

namespace panel {

struct AreaHelp {
  bool on_area;      // false: no LED or button area at the point
  const char* text;  // the area's help text; null when the file or the text is missing
};

// The LED area at `point`, else the button area there; its text for its kind and name from the
// context-help file `help_file` (read at the first use and kept). The text points into the kept
// entries.
AreaHelp LookUpAreaHelp(tagLISTPOINT point, const char* help_file);

}  // namespace panel
