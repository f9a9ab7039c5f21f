#include "panel/window/panel_hover.h"

#include "panel/core/monitor_log.h"

namespace panel {

bool ShowAreaTooltip(tagLISTPOINT point, bool end_user) {
  tagRLISTHEAD* areas = GetRectList();
  if (areas == nullptr) return false;
  const tagRECTPROP* area = FindEllipse(areas, point);
  if (area == nullptr) area = FindRect(areas, point);
  if (area == nullptr) return false;
  // An area without a tooltip shows an empty text rather than "(null)".
  const char* tooltip = area->tooltip != nullptr ? area->tooltip : "";
  if (end_user) {
    StatusText("%s", tooltip);
  } else {
    StatusText("%s Pos:  x: %d, y: %d", tooltip, point.x, point.y);
  }
  return true;
}

}  // namespace panel
