// The simulator link: the printer simulator (lxsim) reached over loopback TCP, for the demo, benchmarks and
// tests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// The simulator's address when one is configured: LXPORTIO_SIMULATOR, else [Simulator] Address of
// lxportio.ini beside the library. Empty when none is: the calls then go to the USB printer class.
std::string ConfiguredSimulator(HMODULE library);

// One request, one answer; true only when the whole answer arrived and it is plausible.
bool SimulatorExchange(const std::string& address, uint8_t op, const char* portName, BYTE* bytes, DWORD count,
                       DWORD* moved, DWORD timeoutMs);
