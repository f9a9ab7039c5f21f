#include "panel/window/area_properties.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "panel/core/panel_platform.h"
#include "panel/lcd/colour_table.h"

namespace panel {

const char* const kColourListNames[kColourListCount] = {"Blue",    "Black", "Green",
                                                        "Gray 50", "Red",   "Bicolor"};

namespace {

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool BeginsWith(const char* text, const char* prefix) {
  for (size_t i = 0; prefix[i] != '\0'; ++i) {
    if (LowerAscii(text[i]) != LowerAscii(prefix[i])) return false;  // also at text's end
  }
  return true;
}

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

int32_t ClampToInt32(int64_t value) {
  if (value > INT32_MAX) return INT32_MAX;
  if (value < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(value);
}

void SetText(PropertyForm* form, PropertyField field, const char* text) {
  std::snprintf(form->text[field], kPropertyTextChars, "%s", text);
}

void SetNumber(PropertyForm* form, PropertyField field, const char* format, int32_t value) {
  std::snprintf(form->text[field], kPropertyTextChars, format, value);
}

// A missing text shows "n/a" and counts as changed, so OK stores "n/a".
void FillText(PropertyForm* form, PropertyField field, const char* text) {
  const bool missing = text == nullptr;
  SetText(form, field, missing ? kMissingText : text);
  form->changed[field] = missing;
}

void FillColour(PropertyForm* form, PropertyField field, int slot, int32_t colour) {
  const int selection = ColourListSelection(colour);
  form->colour_selection[slot] = selection;
  SetText(form, field, selection >= 0 ? kColourListNames[selection] : "");
}

}  // namespace

bool HasPropertyField(PropertyDialogKind kind, PropertyField field) {
  switch (field) {
    case kFieldId:
      return kind != PropertyDialogKind::kLcd;
    case kFieldActiveColour:
    case kFieldInactiveColour:
      return kind != PropertyDialogKind::kButton;
    default:
      return field < kPropertyFieldCount;
  }
}

void FillPropertyForm(const tagRECTPROP& area, PropertyDialogKind kind, PropertyForm* form) {
  *form = PropertyForm{};
  form->kind = kind;
  form->colour_selection[0] = form->colour_selection[1] = -1;
  form->width_at_opening = ClampToInt32(int64_t{area.rect.right} - area.rect.left);
  form->height_at_opening = ClampToInt32(int64_t{area.rect.bottom} - area.rect.top);
  FillText(form, kFieldName, area.name);
  FillText(form, kFieldTooltip, area.tooltip);
  if (HasPropertyField(kind, kFieldId)) SetNumber(form, kFieldId, "%x", area.id);
  SetNumber(form, kFieldWidth, "%d", form->width_at_opening);
  SetNumber(form, kFieldHeight, "%d", form->height_at_opening);
  SetNumber(form, kFieldLeft, "%d", area.rect.left);
  SetNumber(form, kFieldTop, "%d", area.rect.top);
  if (HasPropertyField(kind, kFieldActiveColour)) {
    FillColour(form, kFieldActiveColour, 0, area.active_color);
    FillColour(form, kFieldInactiveColour, 1, area.inactive_color);
  }
}

int ColourListSelection(int32_t colour_index) {
  const char* name = GetColourName(colour_index);
  if (name == nullptr) return -1;
  for (int i = 0; i < kColourListCount; ++i) {
    if (BeginsWith(kColourListNames[i], name)) return i;
  }
  return -1;
}

StoreResult StorePropertyForm(PropertyForm* form, tagRECTPROP* area) {
  const bool* changed = form->changed;
  if (changed[kFieldName]) ReplaceAreaText(&area->name, form->text[kFieldName]);
  if (changed[kFieldTooltip]) ReplaceAreaText(&area->tooltip, form->text[kFieldTooltip]);
  if (changed[kFieldId]) {
    const int32_t id = ParseHexField(form->text[kFieldId]);
    if (!IsAcceptedId(id)) {
      area->id = 0;
      form->changed[kFieldId] = false;
      return StoreResult::kIdRefused;
    }
    area->id = id;
  }
  tagAREARECT& rect = area->rect;
  // Sums are held in the 32-bit range instead of overflowing.
  auto value = [form](PropertyField field) { return int64_t{ParseDecimalField(form->text[field])}; };
  if (changed[kFieldWidth]) rect.right = ClampToInt32(rect.left + value(kFieldWidth));
  if (changed[kFieldHeight]) rect.bottom = ClampToInt32(rect.top + value(kFieldHeight));
  // The position keeps the size the dialog opened with.
  if (changed[kFieldLeft]) {
    rect.left = static_cast<int32_t>(value(kFieldLeft));
    rect.right = ClampToInt32(int64_t{rect.left} + form->width_at_opening);
  }
  if (changed[kFieldTop]) {
    rect.top = static_cast<int32_t>(value(kFieldTop));
    rect.bottom = ClampToInt32(int64_t{rect.top} + form->height_at_opening);
  }
  // "Bicolor" names no colour of the table: it stores -1.
  if (changed[kFieldActiveColour]) area->active_color = FindColour(form->text[kFieldActiveColour]);
  if (changed[kFieldInactiveColour]) {
    area->inactive_color = FindColour(form->text[kFieldInactiveColour]);
  }
  return StoreResult::kStored;
}

int32_t ParseHexField(const char* text) {
  if (text == nullptr) return 0;
  while (IsSpace(*text)) ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = *text++ == '-';
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X') && HexDigit(text[2]) >= 0) text += 2;
  uint32_t value = 0;
  for (int digit; (digit = HexDigit(*text)) >= 0; ++text) {
    value = (value << 4) | static_cast<uint32_t>(digit);
  }
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

int32_t ParseDecimalField(const char* text) {
  if (text == nullptr) return 0;
  while (IsSpace(*text)) ++text;
  bool negative = false;
  if (*text == '+' || *text == '-') negative = *text++ == '-';
  int64_t value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) {
    if (value <= INT32_MAX) value = value * 10 + (*text - '0');  // beyond it only the clamp counts
  }
  return ClampToInt32(negative ? -value : value);
}

bool IsAcceptedId(int32_t id) { return id == 1 || (id & 1) == 0; }

bool ReplaceAreaText(char** field, const char* text) {
  char* copy = nullptr;
  if (text != nullptr) {
    const size_t length = std::strlen(text);
    copy = static_cast<char*>(PlatformAllocate(length + 1));
    if (copy == nullptr) return false;
    std::memcpy(copy, text, length + 1);
  }
  // Under the area list lock: another thread may be copying a button's name.
  SwapAreaText(field, copy);
  return true;
}

}  // namespace panel
