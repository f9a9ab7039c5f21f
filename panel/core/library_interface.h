// The panel library's interface to the application, exported by name (undecorated, C linkage,
// the platform's default calling convention). The application links these at load time; the
// list families (data_lists.h) and SetOptions (option_word.h) are exported the same way.
#pragma once

#include <cstdint>

extern "C" {

// The application's byte receiver: called once per byte that CheckRx delivers, after the byte
// was stored in the receive cell.
typedef void (*LcdRxCallback)(void);

// Does nothing; the application calls it once so that it links the library.
void BindLcdDll(void);

// Stores the receive callback and the one-byte receive cell and installs the acknowledgement
// hook. Call it before the first CheckRx; a later call replaces both.
void SetRxTarget(LcdRxCallback callback, unsigned char* cell);

// Hands `length` bytes to the panel. Every frame they complete is interpreted on the panel's
// thread before the call goes on; the caller may reuse its buffer when the call returns.
void ReceiveFromApp(const unsigned char* data, uint32_t length);

// Delivers at most one queued panel message, byte by byte, through the receive callback.
void CheckRx(void);

}  // extern "C"
