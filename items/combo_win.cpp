// Combo-box messages behind the drop-down list operations; synchronous, so a worker thread may call them.
#include "items/combo_win.h"

#include <vector>

int CComboBoxWin::GetCurSel() {
    if (!combo_)
        return -1;
    return static_cast<int>(::SendMessageW(combo_, CB_GETCURSEL, 0, 0));
}

void CComboBoxWin::SetCurSel(int index) {
    if (combo_)
        ::SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::wstring CComboBoxWin::GetText() {
    if (!combo_)
        return {};
    const int length = ::GetWindowTextLengthW(combo_);
    if (length <= 0)
        return {};
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    const int got = ::GetWindowTextW(combo_, text.data(), length + 1);
    return std::wstring(text.data(), static_cast<size_t>(got > 0 ? got : 0));
}

void CComboBoxWin::Repaint() {
    if (combo_)
        ::InvalidateRect(combo_, nullptr, TRUE);
}
