// The Win32 combo box as an item's drop-down list.
#pragma once

#include "items/combo.h"

#include <windows.h>

class CComboBoxWin : public IComboBox {
public:
    explicit CComboBoxWin(HWND combo = nullptr) : combo_(combo) {}
    void Attach(HWND combo) { combo_ = combo; }
    HWND Handle() const { return combo_; }

    int GetCurSel() override;
    void SetCurSel(int index) override;
    std::wstring GetText() override;
    void Repaint() override;

private:
    HWND combo_;
};
