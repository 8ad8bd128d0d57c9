// The two functions of the USB I/O library lxportio, bound at load time by ordinal (1 write, 2 read).
#pragma once

#include <windows.h>

extern "C" {
// Arguments: always 0; writable NUL-terminated ANSI port name; bytes; count; bytes moved; per-call time-out
// (ms).
BOOL WINAPI LxPortWrite(DWORD reserved, char* portName, BYTE* data, DWORD count, DWORD* moved,
                        DWORD timeoutMs);
BOOL WINAPI LxPortRead(DWORD reserved, char* portName, BYTE* buffer, DWORD count, DWORD* moved,
                       DWORD timeoutMs);
}
