// The status line while the mouse moves over the panel: the tooltip of the area under it.
#pragma once

#include "panel/core/data_lists.h"

namespace panel {

// The LED area at `point`, else the button area there: shows its tooltip in the status line,
// "%s" in reduced end-user mode and "%s Pos:  x: %d, y: %d" with the point otherwise. Returns
// false, showing nothing, when the point lies on no LED or button area.
bool ShowAreaTooltip(tagLISTPOINT point, bool end_user);

}  // namespace panel
