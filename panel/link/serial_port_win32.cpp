// Serial port, receive thread and frame writes.
#include "panel/link/serial_port_win32.h"

#include <cstdio>

#include "panel/core/monitor_log.h"
#include "panel/link/serial_receive.h"

namespace panel {

namespace {

constexpr char kPortNameFormat[] = "\\\\.\\COM%d";
constexpr int kPortNameChars = 24;
constexpr BYTE kDataBits = 8;
// Upper bound for the receive thread to notice its stop flag: one poll, a sleep and slack.
constexpr DWORD kStopWaitMs = 500;

// The open port and its receive thread. The lock keeps a frame write (application thread) and
// the close (UI thread) apart, so a write never reaches a handle that is being closed.
struct SerialTransport {
  HANDLE port;  // INVALID_HANDLE_VALUE while closed
  HANDLE thread;
  SerialReceiveThread receive;
  SRWLOCK lock;
};
SerialTransport g_serial{INVALID_HANDLE_VALUE, nullptr, {}, SRWLOCK_INIT};

HANDLE OpenPortDevice(int32_t port_number) {
  char name[kPortNameChars];
  std::snprintf(name, sizeof name, kPortNameFormat, static_cast<int>(port_number));
  return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

// The given rate, 8N1, no handshake in either direction; everything else as the port had it.
void ConfigureLine(HANDLE port, int32_t baud) {
  DCB line{};
  line.DCBlength = sizeof line;
  GetCommState(port, &line);
  line.BaudRate = static_cast<DWORD>(baud);
  line.ByteSize = kDataBits;
  line.Parity = NOPARITY;
  line.StopBits = ONESTOPBIT;
  line.fOutxCtsFlow = FALSE;
  line.fOutxDsrFlow = FALSE;
  line.fDsrSensitivity = FALSE;
  line.fOutX = FALSE;
  line.fInX = FALSE;
  SetCommState(port, &line);
}

// A read returns at once with whatever has arrived; writes wait until done.
void SetImmediateReads(HANDLE port) {
  COMMTIMEOUTS timeouts{};
  timeouts.ReadIntervalTimeout = MAXDWORD;
  if (!SetCommTimeouts(port, &timeouts)) {
    MonitorLine(kTxMonitor, "Failed in call to SetCommTimeouts\n");
  }
}

void ClosePortHandle(HANDLE port) {
  if (!CloseHandle(port)) {
    MonitorLine(kTxMonitor, "Failed to close up the comms port, GetLastError:%d\n",
                static_cast<int>(GetLastError()));
  }
}

int32_t ReadPort(void* context, uint8_t* buffer, int32_t capacity) {
  DWORD count = 0;
  if (!ReadFile(static_cast<HANDLE>(context), buffer, static_cast<DWORD>(capacity), &count, nullptr)) {
    return -1;  // a port whose other end went away: nothing to take, polled again later
  }
  return static_cast<int32_t>(count);
}

void SleepPoll(void*, uint32_t milliseconds) { Sleep(milliseconds); }

DWORD WINAPI SerialReceiveMain(LPVOID port) {
  RunSerialReceiveLoop(&g_serial.receive, SerialReader{port, ReadPort, SleepPoll});
  return 0;
}

// Waits for the receive thread to clear its running flag. Messages sent to this thread meanwhile
// (a monitor line the receive thread hands over) are taken, so the two never wait for each other.
void WaitForReceiveEnd() {
  const DWORD start = GetTickCount();
  while (g_serial.receive.running.load() != 0 && GetTickCount() - start < kStopWaitMs) {
    MSG message;
    PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    Sleep(1);
  }
}

}  // namespace

bool ConnectSerial(int32_t port_number, int32_t baud) {
  if (SerialIsOpen()) return true;
  // A receive thread that did not end in time still owns the thread record: no second one.
  if (g_serial.receive.running.load() != 0) return false;
  HANDLE port = OpenPortDevice(port_number);
  if (port == INVALID_HANDLE_VALUE) return false;
  ConfigureLine(port, baud);
  SetImmediateReads(port);
  g_serial.receive.stop.store(0);
  g_serial.receive.running.store(1);
  HANDLE thread = CreateThread(nullptr, 0, SerialReceiveMain, port, 0, nullptr);
  if (!thread) {
    g_serial.receive.running.store(0);
    ClosePortHandle(port);
    return false;
  }
  AcquireSRWLockExclusive(&g_serial.lock);
  g_serial.port = port;
  g_serial.thread = thread;
  ReleaseSRWLockExclusive(&g_serial.lock);
  return true;
}

void DisconnectSerial() {
  if (!SerialIsOpen()) return;
  g_serial.receive.stop.store(1);
  WaitForReceiveEnd();
  AcquireSRWLockExclusive(&g_serial.lock);
  HANDLE port = g_serial.port;
  g_serial.port = INVALID_HANDLE_VALUE;
  ReleaseSRWLockExclusive(&g_serial.lock);
  ClosePortHandle(port);  // counts as closed either way
  if (g_serial.thread) {
    CloseHandle(g_serial.thread);
    g_serial.thread = nullptr;
  }
}

bool SerialIsOpen() {
  AcquireSRWLockShared(&g_serial.lock);
  const bool open = g_serial.port != INVALID_HANDLE_VALUE;
  ReleaseSRWLockShared(&g_serial.lock);
  return open;
}

bool WriteSerialFrame(const uint8_t* bytes, int32_t length) {
  AcquireSRWLockShared(&g_serial.lock);
  const bool open = g_serial.port != INVALID_HANDLE_VALUE;
  if (open) {
    DWORD written = 0;
    WriteFile(g_serial.port, bytes, static_cast<DWORD>(length), &written, nullptr);
  }
  ReleaseSRWLockShared(&g_serial.lock);
  return open;
}

bool ReadSerialLineConfig(int32_t port_number, PortLineConfig* config) {
  AcquireSRWLockShared(&g_serial.lock);
  HANDLE open_port = g_serial.port;
  ReleaseSRWLockShared(&g_serial.lock);
  HANDLE port = open_port != INVALID_HANDLE_VALUE ? open_port : OpenPortDevice(port_number);
  if (port == INVALID_HANDLE_VALUE) return false;
  DCB line{};
  line.DCBlength = sizeof line;
  const bool read = GetCommState(port, &line) != 0;
  if (port != open_port) CloseHandle(port);
  if (!read) return false;
  config->data_bits = line.ByteSize;
  config->two_stop_bits = line.StopBits == TWOSTOPBITS;
  config->cts_output_flow = line.fOutxCtsFlow;
  config->dsr_output_flow = line.fOutxDsrFlow;
  config->dtr_control = static_cast<uint8_t>(line.fDtrControl);
  config->rts_control = static_cast<uint8_t>(line.fRtsControl);
  config->xon_output = line.fOutX;
  config->xon_input = line.fInX;
  return true;
}

}  // namespace panel
