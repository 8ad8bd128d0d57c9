// Code-page conversions and window text.
#include "win/text.h"

#include <vector>

namespace win {

std::string ToMultiByte(UINT codePage, const std::wstring& text) {
    if (text.empty())
        return {};
    const int size = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                           0, nullptr, nullptr);
    if (size <= 0)
        return {};
    std::string out(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &out[0], size, nullptr,
                          nullptr);
    return out;
}

std::wstring FromMultiByte(UINT codePage, const std::string& text) {
    if (text.empty())
        return {};
    const int size =
        ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0)
        return {};
    std::wstring out(static_cast<size_t>(size), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), &out[0], size);
    return out;
}

std::wstring WindowText(HWND window) {
    if (!window)
        return {};
    const int length = ::GetWindowTextLengthW(window);
    if (length <= 0)
        return {};
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    const int got = ::GetWindowTextW(window, text.data(), length + 1);
    return std::wstring(text.data(), static_cast<size_t>(got > 0 ? got : 0));
}

} // namespace win
