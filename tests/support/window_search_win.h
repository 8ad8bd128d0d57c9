// Finding another process's windows, for the tests and the tools that drive the program from outside.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace winsearch {

struct TopSearch {
    DWORD processId;
    const std::function<bool(HWND)>& accept;
    HWND found;
};

inline BOOL CALLBACK MatchTop(HWND window, LPARAM param) {
    auto* s = reinterpret_cast<TopSearch*>(param);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != s->processId || !::IsWindowVisible(window) || !s->accept(window))
        return TRUE;
    s->found = window;
    return FALSE;
}

struct ChildSearch {
    int id;
    HWND found;
};

inline BOOL CALLBACK MatchChild(HWND child, LPARAM param) {
    auto* s = reinterpret_cast<ChildSearch*>(param);
    if (::GetDlgCtrlID(child) != s->id)
        return TRUE;
    s->found = child;
    return FALSE;
}

// The first visible top-level window of the process that `accept` takes; null when none.
inline HWND TopWindow(DWORD processId, const std::function<bool(HWND)>& accept) {
    TopSearch search{processId, accept, nullptr};
    ::EnumWindows(&MatchTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// TopWindow, asked again every `pollMs` until it answers, `timeoutMs` pass or `process` (when given) ends.
inline HWND WaitTopWindow(DWORD processId, const std::function<bool(HWND)>& accept, DWORD timeoutMs,
                          HANDLE process = nullptr, DWORD pollMs = 50) {
    const DWORD start = ::GetTickCount();
    do {
        if (HWND found = TopWindow(processId, accept))
            return found;
        if (process ? ::WaitForSingleObject(process, pollMs) == WAIT_OBJECT_0 : (::Sleep(pollMs), false))
            break;
    } while (::GetTickCount() - start < timeoutMs);
    return nullptr;
}

// A control anywhere inside a window (a dialog's child pages included), by id; null when none.
inline HWND ChildById(HWND window, int id) {
    ChildSearch search{id, nullptr};
    ::EnumChildWindows(window, &MatchChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline std::wstring ClassName(HWND window) {
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

// A dialog (class #32770) with a menu: the program's main window.
inline bool IsMainDialog(HWND window) {
    return ClassName(window) == L"#32770" && ::GetMenu(window) != nullptr;
}

} // namespace winsearch
