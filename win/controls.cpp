// The parts of the control wrappers that are more than one message.
#include "win/controls.h"

#include "win/text.h"

#include <vector>

namespace win {

std::wstring Control::Text() const {
    return WindowText(hwnd_);
}

bool IsMirrored(HWND window) {
    return window && (::GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0;
}

int WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
    if (getDpiForWindow && window) {
        const UINT dpi = getDpiForWindow(window);
        if (dpi > 0)
            return static_cast<int>(dpi);
    }
    HDC dc = ::GetDC(window);
    const int dpi = dc ? ::GetDeviceCaps(dc, LOGPIXELSX) : 96;
    if (dc)
        ::ReleaseDC(window, dc);
    return dpi > 0 ? dpi : 96;
}

RECT Control::RectInParent() const {
    RECT rect{};
    if (!hwnd_)
        return rect;
    ::GetWindowRect(hwnd_, &rect);
    ::MapWindowPoints(nullptr, ::GetParent(hwnd_), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring ComboBox::ItemText(int index) const {
    const LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR || length <= 0)
        return {};
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got = Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    return got == CB_ERR ? std::wstring() : std::wstring(text.data(), static_cast<size_t>(got));
}

int TabControl::InsertItem(int index, const std::wstring& text, int image, LPARAM data) const {
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_PARAM;
    item.pszText = const_cast<LPWSTR>(text.c_str());
    item.iImage = image;
    item.lParam = data;
    return static_cast<int>(
        Send(TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
}

LPARAM TabControl::ItemData(int index) const {
    TCITEMW item{};
    item.mask = TCIF_PARAM;
    if (!Send(TCM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)))
        return 0;
    return item.lParam;
}

} // namespace win
