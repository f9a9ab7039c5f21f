#include "panel/window/panel_area_help.h"

#include "panel/window/context_help_file.h"

namespace panel {

AreaHelp LookUpAreaHelp(tagLISTPOINT point, const char* help_file) {
  AreaHelp help{false, nullptr};
  tagRLISTHEAD* areas = GetRectList();
  if (areas == nullptr) return help;
  const tagRECTPROP* area = FindEllipse(areas, point);
  if (area == nullptr) area = FindRect(areas, point);
  if (area == nullptr) return help;
  help.on_area = true;
  // An area without a name has no help text; an empty file name names no file.
  if (area->name == nullptr || help_file == nullptr || help_file[0] == '\0') return help;
  if (ReadContextHelpFile(help_file) == 0) return help;
  help.text = FindContextHelp(area->kind, area->name);
  return help;
}

}  // namespace panel
