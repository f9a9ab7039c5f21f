// The communication settings dialog's rules, apart from its window: the generated baud list and
// the entry a stored rate selects, the IP and Port fields and the text and number they give, and
// the first-use values taken from a serial port's line configuration.
#pragma once

#include <cstdint>

#include "panel/link/panel_settings.h"

namespace panel {

// ---- Baud list ----------------------------------------------------------------------------------

constexpr int kBaudRateCount = 10;
constexpr int32_t kFirstBaudRate = 300;
// The entry after which the list adds half a step instead of doubling (38400 -> 57600).
constexpr int kBaudHalfStepIndex = 7;
constexpr int kNoBaudSelection = -1;

// The ten rates in list order: start at 300 and double, except after 38400.
void BuildBaudRates(int32_t rates[kBaudRateCount]);
// The first entry whose rate is not below `baud`; kNoBaudSelection above the last rate.
int BaudIndexFor(int32_t baud);
// The rate of the selected entry; `stored` when the selection is no entry (nothing selected).
int32_t BaudForSelection(int index, int32_t stored);

// ---- IP and Port fields -------------------------------------------------------------------------

constexpr int kIpFieldCount = 4;
constexpr int kIpFieldUsedChars = 3;    // only the first three characters of an IP field count
constexpr int kPortFieldUsedChars = 5;  // and the first five of the Port field
constexpr int32_t kHighestUdpPort = 65535;

// "a.b.c.d" from the first three characters of each field (at most 15 characters).
void ComposeIp(const char* const fields[kIpFieldCount], char ip[kSettingsIpChars]);

// The decimal number the leading digits of the first five characters make; no digit gives 0.
// A number above 65535 names no UDP port and gives 0 as well (no target address).
int32_t PortFromField(const char* text);

// Ip split at its points into the four field texts; parts that are missing stay empty.
struct IpFieldTexts {
  char part[kIpFieldCount][kSettingsIpChars];
};
IpFieldTexts SplitIp(const char* ip);

// ---- First use ----------------------------------------------------------------------------------

// What the dialog reads of a serial port's configuration (the Windows DCB's handshake fields).
struct PortLineConfig {
  uint8_t data_bits;
  bool two_stop_bits;
  bool cts_output_flow;  // fOutxCtsFlow
  bool dsr_output_flow;  // fOutxDsrFlow
  uint8_t dtr_control;   // 0 disabled, 1 enabled, 2 handshake
  uint8_t rts_control;   // 0 disabled, 1 enabled, 2 handshake, 3 toggle
  bool xon_output;       // fOutX
  bool xon_input;        // fInX
};
constexpr uint8_t kRtsControlHandshake = 2;

constexpr int32_t kFlowNone = 0;
constexpr int32_t kFlowXonXoff = 1;
constexpr int32_t kFlowRts = 2;
constexpr int32_t kFlowXonRts = 3;

// The Flow setting a port's handshake flags stand for (the first rule that applies).
int32_t FlowFromHandshake(const PortLineConfig& port);

// First use of the dialog (RegistrySet 0): Baud 4800, CommPort 1, Parity 0, and the data bits,
// stop bits and flow control of `port`. Without a readable port (null) the dialog still opens:
// 8 data bits, 1 stop bit, no flow control.
void ApplyFirstUseDefaults(PanelSettings* settings, const PortLineConfig* port);

}  // namespace panel
