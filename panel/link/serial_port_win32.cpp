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
// How long a disconnect waits for the receive thread to notice its stop flag: one poll, a sleep
// and slack. A thread still busy then (a read stuck in a failing driver) closes the port itself.
constexpr DWORD kStopWaitMs = 500;
// How long a connect waits for such a thread to end before it gives up.
constexpr DWORD kReconnectWaitMs = 2000;

// The open port and its receive thread. The lock keeps a frame write (application thread) and
// the close (UI thread) apart, so a write never reaches a handle that is being closed. `thread`
// stays set after a disconnect whose thread had not ended yet, until a connect has waited for it.
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
// False when the port's configuration cannot be read or the port refuses the new one (a rate it
// does not support, an adapter that went away): the line's rate would be unknown.
bool ConfigureLine(HANDLE port, int32_t baud) {
  DCB line{};
  line.DCBlength = sizeof line;
  if (!GetCommState(port, &line)) return false;
  line.BaudRate = static_cast<DWORD>(baud);
  line.ByteSize = kDataBits;
  line.Parity = NOPARITY;
  line.StopBits = ONESTOPBIT;
  line.fOutxCtsFlow = FALSE;
  line.fOutxDsrFlow = FALSE;
  line.fDsrSensitivity = FALSE;
  line.fOutX = FALSE;
  line.fInX = FALSE;
  return SetCommState(port, &line) != 0;
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

void ClosePortOfThread(void* context) { ClosePortHandle(static_cast<HANDLE>(context)); }

DWORD WINAPI SerialReceiveMain(LPVOID port) {
  RunSerialReceiveLoop(&g_serial.receive,
                       SerialReader{port, ReadPort, SleepPoll, ClosePortOfThread});
  return 0;
}

// Waits on the thread's handle for at most `timeout_ms`. Messages sent to this thread meanwhile
// (a monitor line the receive thread hands over) are taken, so the two never wait for each
// other. The loop's last step counts as its end too: at a library unload the loader holds the
// thread back before its handle is signalled.
bool WaitForReceiveThread(HANDLE thread, DWORD timeout_ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (g_serial.receive.running.load() == kSerialThreadEnded) return true;
    const DWORD waited = GetTickCount() - start;
    if (waited >= timeout_ms) return false;
    const DWORD slice = timeout_ms - waited < kSerialPollMs ? timeout_ms - waited : kSerialPollMs;
    const DWORD woken = MsgWaitForMultipleObjects(1, &thread, FALSE, slice, QS_SENDMESSAGE);
    if (woken == WAIT_OBJECT_0) return true;
    if (woken == WAIT_OBJECT_0 + 1) {
      MSG message;
      PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
  }
}

// A thread left from a disconnect that did not wait for its end: waited for now. False when it
// is still running.
bool EndOfEndingThread() {
  if (!g_serial.thread) return true;
  if (!WaitForReceiveThread(g_serial.thread, kReconnectWaitMs)) return false;
  CloseHandle(g_serial.thread);
  g_serial.thread = nullptr;
  return true;
}

}  // namespace

bool ConnectSerial(int32_t port_number, int32_t baud) {
  if (SerialIsOpen()) return true;
  if (!EndOfEndingThread()) return false;
  HANDLE port = OpenPortDevice(port_number);
  if (port == INVALID_HANDLE_VALUE) return false;
  if (!ConfigureLine(port, baud)) {
    ClosePortHandle(port);
    return false;
  }
  SetImmediateReads(port);
  g_serial.receive.stop.store(0);
  g_serial.receive.running.store(kSerialThreadRunning);
  HANDLE thread = CreateThread(nullptr, 0, SerialReceiveMain, port, 0, nullptr);
  if (!thread) {
    g_serial.receive.running.store(kSerialThreadEnded);
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
  const bool ended = WaitForReceiveThread(g_serial.thread, kStopWaitMs);
  AcquireSRWLockExclusive(&g_serial.lock);
  HANDLE port = g_serial.port;
  g_serial.port = INVALID_HANDLE_VALUE;  // closed for the writes from here on
  ReleaseSRWLockExclusive(&g_serial.lock);
  // A thread still reading keeps the port until it ends and then closes it itself; the handle
  // stays for the next connect to wait on.
  if (!ended && HandPortToEndingThread(&g_serial.receive)) return;
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
