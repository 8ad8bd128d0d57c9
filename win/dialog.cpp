// Modal loop and window procedure of the dialog layer.
#include "win/dialog.h"

#include "win/resources.h"
#include "win/text.h"

namespace win {

Dialog::Dialog(UINT templateId, HWND parent) : templateId_(templateId), parent_(parent) {}

Dialog::~Dialog() {
    if (hwnd_)
        ::DestroyWindow(hwnd_);
}

std::wstring Dialog::ItemText(int id) const {
    return WindowText(Item(id));
}

void Dialog::EndDialog(INT_PTR result) {
    result_ = result;
    ended_ = true;
    // Wake the loop even when no other message is pending.
    if (hwnd_)
        ::PostMessageW(hwnd_, WM_NULL, 0, 0);
}

INT_PTR Dialog::DoModal() {
    ended_ = false;
    result_ = -1;
    HWND owner = parent_;
    hwnd_ = ::CreateDialogParamW(ResourceModule(), MAKEINTRESOURCEW(templateId_), owner, &Dialog::DialogProc,
                                 reinterpret_cast<LPARAM>(this));
    if (!hwnd_)
        return -1;
    const bool ownerEnabled = owner && ::IsWindowEnabled(owner);
    if (ownerEnabled)
        ::EnableWindow(owner, FALSE);
    if (!ended_)
        ::ShowWindow(hwnd_, SW_SHOWNORMAL);

    MSG msg;
    while (!ended_) {
        BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // Leave WM_QUIT for the outer loop, as the system's modal loops do.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1)
            break;
        if (PreTranslateMessage(msg))
            continue;
        if (::IsDialogMessageW(hwnd_, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }

    if (ownerEnabled)
        ::EnableWindow(owner, TRUE);
    HWND hwnd = hwnd_;
    hwnd_ = nullptr;
    ::DestroyWindow(hwnd);
    if (owner)
        ::SetActiveWindow(owner);
    return result_;
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        self->hwnd_ = hwnd;
    } else {
        self = reinterpret_cast<Dialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    if (!self)
        return FALSE;
    // Nothing may unwind through the system's dispatcher.
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
        self->EndDialog(-1);
        return FALSE;
    }
}

INT_PTR Dialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG)
        return OnInitDialog();
    LRESULT result = 0;
    if (OnMessage(msg, wParam, lParam, result)) {
        ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
        return TRUE;
    }
    if (msg == WM_COMMAND) {
        const UINT id = LOWORD(wParam);
        const UINT code = HIWORD(wParam);
        if (OnCommand(id, code))
            return TRUE;
        if (id == IDOK) {
            OnOK();
            return TRUE;
        }
        if (id == IDCANCEL) {
            OnCancel();
            return TRUE;
        }
    }
    return FALSE;
}

} // namespace win
