// The communication settings dialog: a flat procedure over named handlers. Radio clicks change
// the live settings at once (Cancel does not undo them); OK takes the baud list, the IP and Port
// fields, marks the settings confirmed, saves them and sets the target address.
#include "panel/window/comm_settings_dialog_win32.h"

#include <cstdio>

#include "panel/link/comm_settings.h"
#include "panel/link/connection_rules.h"
#include "panel/link/panel_settings.h"
#include "panel/link/serial_port_win32.h"
#include "panel/link/settings_registry_win32.h"
#include "panel/link/udp_datagrams.h"
#include "panel/window/comm_dialog_ids.h"
#include "panel/window/panel_window_win32.h"

namespace panel {

namespace {

constexpr int32_t kProbedCommPort = 1;  // the port whose line the first use reads
constexpr int kFieldChars = 64;
constexpr int kRateChars = 16;

// The values the first radio of a group stands for, where they do not start at 0.
constexpr int kFewestDataBits = 7;
constexpr int kFewestStopBits = 1;
constexpr int kFirstCommPort = 1;

const int kIpFields[kIpFieldCount] = {kCtlIpField1, kCtlIpField2, kCtlIpField3, kCtlIpField4};

// One group of radios: its id range and the settings field it sets (value = id - base).
struct RadioGroup {
  int first;
  int last;
  int base;
  int32_t PanelSettings::*field;
};
const RadioGroup kRadioGroups[] = {
    {kCtlSerialInterface, kCtlEthernetInterface, kCtlSerialInterface, &PanelSettings::IFaceType},
    {kCtlDataBits7, kCtlDataBits8, kCtlDataBits7 - kFewestDataBits, &PanelSettings::DBits},
    {kCtlStopBits1, kCtlStopBits2, kCtlStopBits1 - kFewestStopBits, &PanelSettings::SBits},
    {kCtlParityNone, kCtlParityEven, kCtlParityNone, &PanelSettings::Parity},
    {kCtlComPort1, kCtlComPort4, kCtlComPort1 - kFirstCommPort, &PanelSettings::CommPort},
    {kCtlFlowNone, kCtlFlowXonRts, kCtlFlowNone, &PanelSettings::Flow},
};

const RadioGroup* GroupOf(int id) {
  for (const RadioGroup& group : kRadioGroups) {
    if (id >= group.first && id <= group.last) return &group;
  }
  return nullptr;
}

// Ethernet enables the LAN fields and disables the serial controls; serial the reverse.
void EnableInterfaceControls(HWND dialog, int32_t iface_type) {
  const bool ethernet = iface_type != kInterfaceSerial;
  for (int id = kCtlIpField1; id <= kCtlSocketPort; ++id) EnableWindow(GetDlgItem(dialog, id), ethernet);
  for (int id = kCtlBaudRate; id <= kCtlFlowXonRts; ++id) EnableWindow(GetDlgItem(dialog, id), !ethernet);
}

void FillBaudList(HWND dialog, int32_t baud) {
  int32_t rates[kBaudRateCount];
  BuildBaudRates(rates);
  for (int32_t rate : rates) {
    char text[kRateChars];
    std::snprintf(text, sizeof text, "%d", static_cast<int>(rate));
    SendDlgItemMessageA(dialog, kCtlBaudRate, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
  }
  SendDlgItemMessageA(dialog, kCtlBaudRate, CB_SETCURSEL, static_cast<WPARAM>(BaudIndexFor(baud)), 0);
}

void ShowTargetAddress(HWND dialog, const PanelSettings& settings) {
  if (settings.SocketPort == 0) return;
  const IpFieldTexts parts = SplitIp(settings.Ip);
  for (int f = 0; f < kIpFieldCount; ++f) SetDlgItemTextA(dialog, kIpFields[f], parts.part[f]);
  char port[kRateChars];
  std::snprintf(port, sizeof port, "%d", static_cast<int>(settings.SocketPort));
  SetDlgItemTextA(dialog, kCtlSocketPort, port);
}

INT_PTR OnInitCommDialog(HWND dialog) {
  PanelSettings& settings = GetPanelSettings();
  if (settings.RegistrySet == 0) {
    PortLineConfig port{};
    const bool read = ReadSerialLineConfig(kProbedCommPort, &port);
    ApplyFirstUseDefaults(&settings, read ? &port : nullptr);
  }
  FillBaudList(dialog, settings.Baud);
  for (const RadioGroup& group : kRadioGroups) {
    CheckRadioButton(dialog, group.first, group.last, group.base + settings.*group.field);
  }
  ShowTargetAddress(dialog, settings);
  EnableInterfaceControls(dialog, settings.IFaceType);
  return TRUE;
}

void OnRadioClicked(HWND dialog, const RadioGroup& group, int id) {
  PanelSettings& settings = GetPanelSettings();
  settings.*group.field = id - group.base;
  CheckRadioButton(dialog, group.first, group.last, id);
  if (group.field == &PanelSettings::IFaceType) EnableInterfaceControls(dialog, settings.IFaceType);
}

// Three characters in an IP field move on to the next field (after the fourth: the Port field).
void OnIpFieldChanged(HWND dialog, int id) {
  if (GetWindowTextLengthA(GetDlgItem(dialog, id)) >= kIpFieldUsedChars) {
    SetFocus(GetDlgItem(dialog, id + 1));
  }
}

void OnCommDialogOk(HWND dialog) {
  PanelSettings& settings = GetPanelSettings();
  settings.RegistrySet = 1;
  char fields[kIpFieldCount][kFieldChars] = {};
  const char* parts[kIpFieldCount];
  for (int f = 0; f < kIpFieldCount; ++f) {
    GetDlgItemTextA(dialog, kIpFields[f], fields[f], kFieldChars);
    parts[f] = fields[f];
  }
  ComposeIp(parts, settings.Ip);
  char port[kFieldChars] = {};
  GetDlgItemTextA(dialog, kCtlSocketPort, port, kFieldChars);
  settings.SocketPort = PortFromField(port);
  const int selected = static_cast<int>(SendDlgItemMessageA(dialog, kCtlBaudRate, CB_GETCURSEL, 0, 0));
  settings.Baud = BaudForSelection(selected, settings.Baud);
  SavePanelSettingsToRegistry(settings);
  SetPeerAddress(PeerFromSettings(settings.Ip, settings.SocketPort));
  EndDialog(dialog, IDOK);
}

void OnCommDialogCommand(HWND dialog, int id, int notification) {
  if (id == IDOK) {
    OnCommDialogOk(dialog);
  } else if (id == IDCANCEL) {
    EndDialog(dialog, IDCANCEL);
  } else if (id >= kCtlIpField1 && id <= kCtlIpField4) {
    if (notification == EN_CHANGE) OnIpFieldChanged(dialog, id);
  } else if (const RadioGroup* group = GroupOf(id)) {
    if (notification == BN_CLICKED) OnRadioClicked(dialog, *group, id);
  }
}

INT_PTR CALLBACK CommSettingsDialogProc(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitCommDialog(dialog);
    case WM_COMMAND:
      OnCommDialogCommand(dialog, LOWORD(wparam), HIWORD(wparam));
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

INT_PTR ShowCommSettingsDialog(HWND owner) {
  return DialogBoxParamA(GetPanelWindowState().module, MAKEINTRESOURCEA(kDialogCommSettings), owner,
                         CommSettingsDialogProc, 0);
}

}  // namespace panel
