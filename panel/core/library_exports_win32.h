// Win32 set-up of the exported application link.
#pragma once

// Lets ReceiveFromApp hand each complete frame to the panel window (message 1036) and wait.
void InstallInterpreterRunner();
