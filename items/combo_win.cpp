// Combo-box messages behind the drop-down list operations; synchronous, so a worker thread may call them.
#include "items/combo_win.h"

#include "win/controls.h"

int CComboBoxWin::GetCurSel() {
    return combo_ ? win::ComboBox(combo_).CurSel() : -1;
}

void CComboBoxWin::SetCurSel(int index) {
    win::ComboBox(combo_).SetCurSel(index);
}

std::wstring CComboBoxWin::GetText() {
    return win::ComboBox(combo_).Text();
}

void CComboBoxWin::Repaint() {
    win::ComboBox(combo_).Invalidate();
}
