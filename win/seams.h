// The program's seams toward its tests: every message box goes through ShowBox, and moments a test waits for
// are named with TestNote. The shipped program links win/seams.cpp, which shows real boxes and notes nothing;
// the test build links a recording implementation instead, so no environment can change a user's run.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

namespace win {

// MessageBoxW with the given owner, text, caption and style; returns the button pressed.
int ShowBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style);

// A line for the test build's log; nothing in the shipped program.
void TestNote(const std::wstring& line);

// Lets the test build answer a file dialog described by `request`: true when it did, with `chosen` and the
// path. The shipped program always returns false, and the real dialog is shown.
bool TestFileAnswer(const std::wstring& request, std::wstring& path, bool& chosen);

// How much shorter the test build makes the exchanges' fixed pauses (the tick counter still moves by the
// whole pause, so deadlines hold); 1 in the shipped program.
uint32_t TestPauseDivisor();

} // namespace win
