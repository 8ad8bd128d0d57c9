// Dialog layer: modal dialogs from templates of the current resource module, with per-class handler tables.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace win {

// A modal dialog run by its own message loop, so that a dialog sees every message first
// (PreTranslateMessage).
class Dialog {
public:
    Dialog(UINT templateId, HWND parent);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Creates the dialog, runs it until EndDialog and destroys it; -1 when the template cannot be created.
    INT_PTR DoModal();
    void EndDialog(INT_PTR result);

    HWND hwnd() const { return hwnd_; }
    HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }
    std::wstring ItemText(int id) const;

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Return true when the message was consumed and must not be dispatched.
    virtual bool PreTranslateMessage(MSG&) { return false; }
    // Per-class tables: derived classes answer through DialogImpl::Dispatch.
    virtual bool OnCommand(UINT, UINT) { return false; }
    virtual bool OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    UINT templateId_;
    HWND parent_;
    HWND hwnd_ = nullptr;
    bool ended_ = false;
    INT_PTR result_ = -1;
};

// Handler table entries: a control id (and notification code, or any) mapped to a member function.
constexpr UINT kAnyCode = ~0u;

template <class T> struct CommandEntry {
    UINT id;
    UINT code;
    void (T::*handler)();
};

template <class T> struct MessageEntry {
    UINT message;
    LRESULT (T::*handler)(WPARAM, LPARAM);
};

template <class T> class DialogImpl : public Dialog {
public:
    using Dialog::Dialog;

protected:
    using Command = CommandEntry<T>;
    using Message = MessageEntry<T>;

    template <size_t N> bool Dispatch(const Command (&table)[N], UINT id, UINT code) {
        for (const Command& e : table) {
            if (e.id == id && (e.code == kAnyCode || e.code == code)) {
                (static_cast<T*>(this)->*e.handler)();
                return true;
            }
        }
        return false;
    }
    template <size_t N>
    bool Dispatch(const Message (&table)[N], UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        for (const Message& e : table) {
            if (e.message == message) {
                result = (static_cast<T*>(this)->*e.handler)(wParam, lParam);
                return true;
            }
        }
        return false;
    }
};

} // namespace win
