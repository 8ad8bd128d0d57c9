// The one place where the program shows a message box; tests can record the boxes instead of showing them.
#pragma once

#include <windows.h>

#include <string>

namespace win {

// MessageBoxW, unless the environment variable LXDEVSET_TEST_LOG names a file: then the box is appended to
// that file as one line "message|<style hex>|<caption>|<text>" and the first button's id is returned.
int ShowBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style);

// Appends one line to the test log when one is named; does nothing otherwise.
void TestLog(const std::wstring& line);

} // namespace win
