// The smallest dialog program with a menu: what starting any such program costs under this system, the
// baseline of the start-up benchmark.
#include <windows.h>

namespace {
INT_PTR CALLBACK Proc(HWND window, UINT msg, WPARAM wParam, LPARAM) {
    if (msg == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(window, 0);
        return TRUE;
    }
    return FALSE;
}
} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int) {
    // A dialog template in memory: a caption and nothing else; the menu is added once it exists.
    struct {
        DLGTEMPLATE header;
        WORD menu, cls, title[8];
    } dialog{{WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_CENTER, 0, 0, 0, 0, 200, 100},
             0,
             0,
             {'B', 'a', 'r', 'e'}};
    HWND window = ::CreateDialogIndirectParamW(nullptr, &dialog.header, nullptr, &Proc, 0);
    HMENU menu = ::CreateMenu();
    ::AppendMenuW(menu, MF_STRING, 1, L"&File");
    ::SetMenu(window, menu);
    MSG msg;
    while (::IsWindow(window) && ::GetMessageW(&msg, nullptr, 0, 0) > 0)
        if (!::IsDialogMessageW(window, &msg))
            ::DispatchMessageW(&msg);
    return 0;
}
