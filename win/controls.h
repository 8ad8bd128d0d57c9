// Thin, non-owning wrappers over the common controls the dialogs use: combo box, tab control, progress bar,
// button. Each holds a window handle and turns messages into calls; none keeps state of its own.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace win {

class Control {
public:
    explicit Control(HWND window = nullptr) : hwnd_(window) {}
    HWND hwnd() const { return hwnd_; }
    void Attach(HWND window) { hwnd_ = window; }
    explicit operator bool() const { return hwnd_ != nullptr; }
    LRESULT Send(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return hwnd_ ? ::SendMessageW(hwnd_, msg, wParam, lParam) : 0;
    }
    std::wstring Text() const;
    void Show(bool visible) const {
        if (hwnd_)
            ::ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE);
    }
    void Enable(bool enabled) const {
        if (hwnd_)
            ::EnableWindow(hwnd_, enabled ? TRUE : FALSE);
    }
    void Invalidate(bool erase = true) const {
        if (hwnd_)
            ::InvalidateRect(hwnd_, nullptr, erase ? TRUE : FALSE);
    }
    // The control's rectangle in the client coordinates of its parent.
    RECT RectInParent() const;

protected:
    HWND hwnd_;
};

// True when the window lays itself out right to left (WS_EX_LAYOUTRTL); false for no window.
bool IsMirrored(HWND window);

// The DPI a window is shown at: its monitor's where the system tells it (Windows 10 1607 on), else the
// system's.
int WindowDpi(HWND window);

class ComboBox : public Control {
public:
    using Control::Control;
    int Count() const { return static_cast<int>(Send(CB_GETCOUNT)); }
    int CurSel() const { return static_cast<int>(Send(CB_GETCURSEL)); }
    void SetCurSel(int index) const { Send(CB_SETCURSEL, static_cast<WPARAM>(index)); }
    int AddString(const std::wstring& text) const {
        return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
    }
    void ResetContent() const { Send(CB_RESETCONTENT); }
    // First entry at or after `start + 1` (wrapping) that begins with / equals the text, letter case ignored;
    // CB_ERR when none. A start of -1 searches from the top.
    int FindString(const std::wstring& text, int start = -1) const {
        return static_cast<int>(
            Send(CB_FINDSTRING, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text.c_str())));
    }
    int FindStringExact(const std::wstring& text, int start = -1) const {
        return static_cast<int>(
            Send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(start), reinterpret_cast<LPARAM>(text.c_str())));
    }
    std::wstring ItemText(int index) const;
};

class TabControl : public Control {
public:
    using Control::Control;
    int Count() const { return static_cast<int>(Send(TCM_GETITEMCOUNT)); }
    int CurSel() const { return static_cast<int>(Send(TCM_GETCURSEL)); }
    void SetCurSel(int index) const { Send(TCM_SETCURSEL, static_cast<WPARAM>(index)); }
    void DeleteAllItems() const { Send(TCM_DELETEALLITEMS); }
    // Inserts a tab with text, image and item data; the new tab's index or -1.
    int InsertItem(int index, const std::wstring& text, int image, LPARAM data) const;
    // The item data of a tab; 0 when there is no such tab.
    LPARAM ItemData(int index) const;
    void SetImageList(HIMAGELIST images) const {
        Send(TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    }
};

class ProgressBar : public Control {
public:
    using Control::Control;
    void SetRange(int low, int high) const { Send(PBM_SETRANGE32, static_cast<WPARAM>(low), high); }
    void SetPos(int position) const { Send(PBM_SETPOS, static_cast<WPARAM>(position)); }
};

class Button : public Control {
public:
    using Control::Control;
    bool Checked() const { return Send(BM_GETCHECK) == BST_CHECKED; }
    void SetCheck(bool checked) const { Send(BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED); }
};

} // namespace win
