// Message boxes with the right-to-left rule, the administrator test and window centring.
#pragma once

#include <windows.h>

#include <string>

// The start-up message for a language library that cannot be used; fixed, as no library gives its text.
constexpr wchar_t kResourceFileNotFound[] = L"Resource file is not found.";

// A message box with no owner; right-to-left when the language is, or, without a language, when the desktop
// is.
int ShowMessageBox(const std::wstring& languageCode, const std::wstring& text, const std::wstring& caption,
                   UINT style);

// The application title: the caption of every message box shown for a window. Start-up sets it.
void SetAppTitle(const std::wstring& title);

// A message box that belongs to a window: caption = application title, owner = the active window.
int ShowWindowMessageBox(HWND window, UINT style, const std::wstring& text);

bool IsUserAdministrator();

// Moves the window so that it is centred over the reference; its size stays.
bool CenterWindowOver(HWND window, HWND reference);

// Adds right-to-left reading and right alignment to a style when the window is mirrored.
UINT WithWindowDirection(HWND window, UINT style);
