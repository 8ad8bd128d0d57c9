// The drop-down list an item shows its choice in: a Win32 combo box in the program, a double in tests.
#pragma once

#include <string>

class IComboBox {
public:
    virtual ~IComboBox() = default;
    // Index of the current selection, -1 when nothing is selected.
    virtual int GetCurSel() = 0;
    virtual void SetCurSel(int index) = 0;
    virtual std::wstring GetText() = 0;
    // Repaint the whole control, background erased.
    virtual void Repaint() = 0;
};
