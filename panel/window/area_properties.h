// The property dialogs of the areas (button, LED, LCD) without their window: what each field
// shows when a dialog opens, which list entry a colour selects, and how OK stores the fields the
// user changed, in their fixed order. The Win32 dialog only moves texts between this form and its
// controls. Runs on the UI thread.
#pragma once

#include <cstddef>
#include <cstdint>

#include "panel/core/data_lists.h"

namespace panel {

enum class PropertyDialogKind : uint8_t { kButton, kLed, kLcd };

// The fields in the order OK stores them.
enum PropertyField : uint8_t {
  kFieldName,
  kFieldTooltip,
  kFieldId,
  kFieldWidth,
  kFieldHeight,
  kFieldLeft,
  kFieldTop,
  kFieldActiveColour,
  kFieldInactiveColour,
  kPropertyFieldCount,
};

constexpr size_t kPropertyTextChars = 260;  // a name or tooltip of up to 259 characters
constexpr char kMissingText[] = "n/a";      // shown for an area without name or tooltip

// The two colour lists offer these texts, in this order.
constexpr int kColourListCount = 6;
extern const char* const kColourListNames[kColourListCount];

struct PropertyForm {
  PropertyDialogKind kind;
  char text[kPropertyFieldCount][kPropertyTextChars];  // colour fields: the selected list text
  bool changed[kPropertyFieldCount];
  int32_t width_at_opening;   // the size the position fields keep
  int32_t height_at_opening;
  int colour_selection[2];    // list positions for active and inactive colour; -1 none
};

// True when the dialog of that kind has the field (the LCD dialog has no id, the button dialog
// no colours).
bool HasPropertyField(PropertyDialogKind kind, PropertyField field);

// Fills the form from the area: texts of the fields the dialog has, nothing marked changed but a
// missing name or tooltip, which shows "n/a" and counts as changed.
void FillPropertyForm(const tagRECTPROP& area, PropertyDialogKind kind, PropertyForm* form);

// The list position whose text begins with the name of the colour index, ignoring case; -1 when
// the index has no name or no entry begins with it.
int ColourListSelection(int32_t colour_index);

enum class StoreResult : uint8_t {
  kStored,     // every changed field stored: the dialog ends with OK
  kIdRefused,  // an odd id other than 1: id set to 0, name and tooltip stored, dialog stays
};

// OK: the changed fields into the area, in field order. A refused id stops after it and counts as
// unchanged from then on, so the next OK stores the rest. A text that cannot be copied for lack
// of memory leaves the old one.
StoreResult StorePropertyForm(PropertyForm* form, tagRECTPROP* area);

// The id field: a hexadecimal number as "%x" reads it (spaces, sign, "0x"); 0 without digits.
// Wraps to 32 bits.
int32_t ParseHexField(const char* text);
// The size and position fields: leading digits with an optional sign; 0 without digits. Values
// beyond the 32-bit range are held at its ends.
int32_t ParseDecimalField(const char* text);
// The id rule: accepted when 1 or even.
bool IsAcceptedId(int32_t id);

// Replaces an area text (name or tooltip) with a copy from the platform's allocator; false (old
// text kept) when memory runs out. A null text clears it.
bool ReplaceAreaText(char** field, const char* text);

}  // namespace panel
