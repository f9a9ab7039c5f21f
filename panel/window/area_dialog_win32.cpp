// The property dialogs' window side: fills the controls from the form, marks the fields the user
// changes, and on OK hands the texts to StorePropertyForm, which keeps the rules.
#include "panel/window/area_dialog_win32.h"

#include "panel/window/area_dialog_ids.h"
#include "panel/window/panel_window_win32.h"

namespace panel {

namespace {

constexpr char kIdRefusedText[] = "Bitte die ID im bin\xE4r Format (1, 2, 4, 8, 10, 20, 40, usw.";
constexpr char kIdRefusedTitle[] = "Eigenschaften";

struct EditControl {
  int control;
  PropertyField field;
};

constexpr EditControl kEditControls[] = {
    {kControlAreaName, kFieldName},   {kControlAreaTooltip, kFieldTooltip},
    {kControlAreaId, kFieldId},       {kControlAreaWidth, kFieldWidth},
    {kControlAreaHeight, kFieldHeight}, {kControlAreaLeft, kFieldLeft},
    {kControlAreaTop, kFieldTop},
};

struct ColourControl {
  int control;
  PropertyField field;
  int slot;  // index into PropertyForm::colour_selection
};

constexpr ColourControl kColourControls[] = {
    {kControlActiveColour, kFieldActiveColour, 0},
    {kControlInactiveColour, kFieldInactiveColour, 1},
};

// The dialog's state, reached from the dialog window.
struct PropertyDialog {
  PropertyForm form;
  tagRECTPROP* area;
  bool filling;  // change notifications while the fields are filled are not the user's
};

int DialogResourceOf(PropertyDialogKind kind) {
  switch (kind) {
    case PropertyDialogKind::kButton: return kDialogButtonProperties;
    case PropertyDialogKind::kLed: return kDialogLedProperties;
    default: return kDialogLcdProperties;
  }
}

PropertyDialog* DialogRecord(HWND dialog) {
  return reinterpret_cast<PropertyDialog*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

BOOL OnInitPropertyDialog(HWND dialog, PropertyDialog* record) {
  SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(record));
  PropertyForm& form = record->form;
  record->filling = true;
  for (const EditControl& edit : kEditControls) {
    if (!HasPropertyField(form.kind, edit.field)) continue;
    SendDlgItemMessageA(dialog, edit.control, EM_LIMITTEXT, kPropertyTextChars - 1, 0);
    SetDlgItemTextA(dialog, edit.control, form.text[edit.field]);
  }
  for (const ColourControl& colour : kColourControls) {
    if (!HasPropertyField(form.kind, colour.field)) continue;
    for (const char* name : kColourListNames) {
      SendDlgItemMessageA(dialog, colour.control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    SendDlgItemMessageA(dialog, colour.control, CB_SETCURSEL,
                        static_cast<WPARAM>(form.colour_selection[colour.slot]), 0);
  }
  record->filling = false;
  return TRUE;
}

void MarkChanged(PropertyDialog* record, int control, WORD notification) {
  if (record->filling) return;
  if (notification == EN_CHANGE) {
    for (const EditControl& edit : kEditControls) {
      if (edit.control == control) record->form.changed[edit.field] = true;
    }
  } else if (notification == CBN_SELCHANGE) {
    for (const ColourControl& colour : kColourControls) {
      if (colour.control == control) record->form.changed[colour.field] = true;
    }
  }
}

// The controls' texts into the form; a colour field takes its selected list text.
void ReadControls(HWND dialog, PropertyForm* form) {
  for (const EditControl& edit : kEditControls) {
    if (!HasPropertyField(form->kind, edit.field)) continue;
    GetDlgItemTextA(dialog, edit.control, form->text[edit.field], kPropertyTextChars);
  }
  for (const ColourControl& colour : kColourControls) {
    if (!HasPropertyField(form->kind, colour.field)) continue;
    const LRESULT selected = SendDlgItemMessageA(dialog, colour.control, CB_GETCURSEL, 0, 0);
    const bool listed = selected >= 0 && selected < kColourListCount;
    lstrcpynA(form->text[colour.field], listed ? kColourListNames[selected] : "",
              kPropertyTextChars);
  }
}

void OnPropertyDialogOk(HWND dialog, PropertyDialog* record) {
  ReadControls(dialog, &record->form);
  if (StorePropertyForm(&record->form, record->area) == StoreResult::kIdRefused) {
    MessageBoxA(dialog, kIdRefusedText, kIdRefusedTitle, MB_OK | MB_ICONINFORMATION);
    return;  // the dialog stays open
  }
  EndDialog(dialog, kPropertyDialogOk);
}

INT_PTR CALLBACK PropertyDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  PropertyDialog* record = DialogRecord(dialog);
  switch (message) {
    case WM_INITDIALOG:
      return OnInitPropertyDialog(dialog, reinterpret_cast<PropertyDialog*>(lparam));
    case WM_COMMAND:
      if (!record) return FALSE;
      switch (LOWORD(wparam)) {
        case IDOK:
          OnPropertyDialogOk(dialog, record);
          return TRUE;
        case IDCANCEL:
          EndDialog(dialog, kPropertyDialogCancel);
          return TRUE;
        default:
          MarkChanged(record, LOWORD(wparam), HIWORD(wparam));
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

int RunPropertyDialog(HWND owner, PropertyDialogKind kind, tagRECTPROP* area) {
  PropertyDialog record{};
  record.area = area;
  FillPropertyForm(*area, kind, &record.form);
  const INT_PTR result = DialogBoxParamA(
      GetPanelWindowState().module, MAKEINTRESOURCEA(DialogResourceOf(kind)), owner,
      PropertyDialogProc, reinterpret_cast<LPARAM>(&record));
  return result == kPropertyDialogOk ? kPropertyDialogOk : kPropertyDialogCancel;
}

}  // namespace panel
