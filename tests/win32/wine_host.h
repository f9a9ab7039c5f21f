// What the Win32 test and bench programs take from the host they run on under Wine: xdotool,
// which makes input on the X server itself as a user's would be, and a monotonic clock in seconds.
#pragma once

// Starts xdotool with the arguments ("mousemove 10 20", "click 1") and returns at once: Wine
// starts a Unix program without giving back a process handle to wait on, so callers wait for
// the input's effect instead. False when xdotool is not installed or did not start.
bool RunXdotool(const char* arguments);

// Seconds of the performance counter: only differences mean anything.
double Seconds();
