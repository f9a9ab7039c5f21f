// The modal property dialogs 118 (button), 119 (LED) and 120 (LCD) on an area of the panel.
#pragma once

#include <windows.h>

#include "panel/core/data_lists.h"
#include "panel/window/area_properties.h"

namespace panel {

constexpr int kPropertyDialogOk = 1;
constexpr int kPropertyDialogCancel = 2;

// Runs the dialog of that kind on the area, owned by `owner`: OK stores the changed fields into
// the area (kPropertyDialogOk), "Abbrechen" changes nothing (kPropertyDialogCancel, also when the
// dialog cannot be created).
int RunPropertyDialog(HWND owner, PropertyDialogKind kind, tagRECTPROP* area);

}  // namespace panel
