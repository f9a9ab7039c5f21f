// Baud list, IP and Port fields and first-use values of the communication settings dialog.
#include "panel/link/comm_settings.h"

#include <cstring>

namespace panel {

namespace {

constexpr int32_t kNoParity = 0;
constexpr int32_t kOneStopBit = 1;
constexpr int32_t kTwoStopBits = 2;
constexpr char kIpSeparator = '.';

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

void BuildBaudRates(int32_t rates[kBaudRateCount]) {
  int32_t rate = kFirstBaudRate;
  for (int i = 0; i < kBaudRateCount; ++i) {
    rates[i] = rate;
    rate += (i == kBaudHalfStepIndex) ? rate / 2 : rate;
  }
}

int BaudIndexFor(int32_t baud) {
  int32_t rates[kBaudRateCount];
  BuildBaudRates(rates);
  for (int i = 0; i < kBaudRateCount; ++i) {
    if (rates[i] >= baud) return i;
  }
  return kNoBaudSelection;
}

int32_t BaudForSelection(int index, int32_t stored) {
  if (index < 0 || index >= kBaudRateCount) return stored;
  int32_t rates[kBaudRateCount];
  BuildBaudRates(rates);
  return rates[index];
}

void ComposeIp(const char* const fields[kIpFieldCount], char ip[kSettingsIpChars]) {
  size_t length = 0;
  for (int f = 0; f < kIpFieldCount; ++f) {
    if (f > 0) ip[length++] = kIpSeparator;
    const char* field = fields[f] ? fields[f] : "";
    for (int c = 0; c < kIpFieldUsedChars && field[c] != '\0'; ++c) ip[length++] = field[c];
  }
  ip[length] = '\0';  // at most 4 * 3 + 3 = 15 characters
}

int32_t PortFromField(const char* text) {
  if (text == nullptr) return 0;
  int32_t port = 0;
  for (int c = 0; c < kPortFieldUsedChars && IsDigit(text[c]); ++c) port = port * 10 + (text[c] - '0');
  return port > kHighestUdpPort ? 0 : port;
}

IpFieldTexts SplitIp(const char* ip) {
  IpFieldTexts fields{};
  if (ip == nullptr) return fields;
  int part = 0;
  size_t length = 0;
  for (size_t i = 0; ip[i] != '\0' && i + 1 < kSettingsIpChars; ++i) {
    if (ip[i] == kIpSeparator) {
      if (++part == kIpFieldCount) break;
      length = 0;
      continue;
    }
    fields.part[part][length++] = ip[i];
  }
  return fields;
}

int32_t FlowFromHandshake(const PortLineConfig& port) {
  const bool both_output_flows = port.cts_output_flow && port.dsr_output_flow;
  const bool rts_handshake = port.rts_control == kRtsControlHandshake;
  if (!both_output_flows && port.dtr_control == 0 && port.rts_control == 0) return kFlowNone;
  if (port.cts_output_flow && !port.dsr_output_flow && rts_handshake) return kFlowRts;
  if (!port.cts_output_flow && port.dsr_output_flow && rts_handshake) return kFlowXonRts;
  if (both_output_flows) return kFlowNone;
  if (port.xon_output && port.xon_input) return kFlowXonXoff;
  return kFlowNone;
}

void ApplyFirstUseDefaults(PanelSettings* settings, const PortLineConfig* port) {
  settings->Baud = kStartBaud;
  settings->CommPort = kStartCommPort;
  settings->Parity = kNoParity;
  if (port == nullptr) {
    settings->DBits = kStartDataBits;
    settings->SBits = kStartStopBits;
    settings->Flow = kFlowNone;
    return;
  }
  settings->DBits = port->data_bits;
  settings->SBits = port->two_stop_bits ? kTwoStopBits : kOneStopBit;
  settings->Flow = FlowFromHandshake(*port);
}

}  // namespace panel
