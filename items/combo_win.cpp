// Combo-box messages behind the drop-down list operations; synchronous, so a worker thread may call them.
#include "items/combo_win.h"

#include "win/text.h"

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
    return win::WindowText(combo_);
}

void CComboBoxWin::Repaint() {
    if (combo_)
        ::InvalidateRect(combo_, nullptr, TRUE);
}
