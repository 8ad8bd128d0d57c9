// Text helpers of the Win32 layer: code-page conversions and reading a window's text.
#pragma once

#include <windows.h>

#include <string>

namespace win {

// Converts with the given code page (CP_ACP, CP_THREAD_ACP, CP_UTF8, ...); characters the code page lacks
// become its default character. Empty on failure.
std::string ToMultiByte(UINT codePage, const std::wstring& text);
std::wstring FromMultiByte(UINT codePage, const std::string& text);

// The whole text of a window or control, of any length; empty for no window.
std::wstring WindowText(HWND window);

} // namespace win
