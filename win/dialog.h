// Dialog layer: modal and modeless dialogs from templates of the current resource module, per-class handler
// tables, subclassed controls with reflected owner drawing, and pre-translation along the window tree.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace win {

// Messages a parent reflects to the subclassed control they are about (WM_DRAWITEM arrives as
// kReflectBase + WM_DRAWITEM); a control that handles one returns TRUE.
constexpr UINT kReflectBase = WM_USER + 0x1C00;

// Where a failure that no handler expected is reported (an exception stopped at the system's dispatcher): the
// program names one place that tells the user; the window it happened in is the owner. Until then nothing is
// shown, and the handler's failure still ends a modal dialog.
using FailureReporter = void (*)(HWND owner);
void SetUnexpectedFailureReporter(FailureReporter reporter);
void ReportUnexpectedFailure(HWND owner);

// A control of a dialog that the program subclasses: sees its messages first and may pre-translate the
// messages addressed to it.
class SubclassedControl {
public:
    SubclassedControl() = default;
    virtual ~SubclassedControl();
    SubclassedControl(const SubclassedControl&) = delete;
    SubclassedControl& operator=(const SubclassedControl&) = delete;

    bool Subclass(HWND control);
    void Unsubclass();
    HWND hwnd() const { return hwnd_; }

    // The object subclassing a window, if any.
    static SubclassedControl* FromHandle(HWND window);

    // Return true when the message was consumed and must not be dispatched.
    virtual bool PreTranslateMessage(MSG&) { return false; }

protected:
    // Return true when handled; result is the message's result.
    virtual bool OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
    LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
    HWND hwnd_ = nullptr;
};

// A dialog from a template of the current resource module: modal with its own message loop, so that every
// message passes PreTranslateMessage first, or modeless as a child of another dialog (a tab page).
class Dialog {
public:
    Dialog(UINT templateId, HWND parent);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Creates the dialog, runs it until EndDialog and destroys it; -1 when the template cannot be created.
    INT_PTR DoModal();
    // Creates the dialog modeless with the given parent; false when the template cannot be created.
    bool Create(HWND parent);
    void EndDialog(INT_PTR result);

    HWND hwnd() const { return hwnd_; }
    HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }
    std::wstring ItemText(int id) const;

    // The object of a dialog window created by this layer, if any.
    static Dialog* FromHandle(HWND window);

    // The program's main window: the owner of every modal dialog constructed without a parent.
    static void SetMainWindow(HWND window);
    static HWND MainWindow();

    // Lays the dialog out for a DPI: its font and every control's rectangle scaled from the figures recorded
    // when the dialog was created, so that moving back and forth between monitors never drifts. Then
    // OnDpiChanged.
    void ScaleToDpi(int dpi);
    int Dpi() const { return dpi_; }

    // Return true when the message was consumed and must not be dispatched. The modal loop asks the control
    // the message is for, then every dialog from that control up to the modal one.
    virtual bool PreTranslateMessage(MSG&) { return false; }

protected:
    virtual BOOL OnInitDialog() { return TRUE; }
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }
    // Per-class tables: derived classes answer through DialogImpl::Dispatch.
    virtual bool OnCommand(UINT, UINT) { return false; }
    virtual bool OnNotify(const NMHDR&, LRESULT&) { return false; }
    virtual bool OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }
    // After ScaleToDpi has moved the controls: what a dialog arranges itself (rows, child pages) follows
    // here.
    virtual void OnDpiChanged(int) {}

private:
    void RecordLayout();
    HINSTANCE TemplateModule() const;
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    INT_PTR HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void PumpUntilEnded();

    UINT templateId_;
    HWND parent_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    // The layout at creation: its DPI, the template font and each control's rectangle (a drop-down list's
    // with its list open, as a move takes it).
    int createdDpi_ = 96;
    int dpi_ = 96;
    LOGFONTW createdFont_{};
    bool hasFont_ = false;
    std::vector<std::pair<HWND, RECT>> createdRects_;
    HFONT scaledFont_ = nullptr;
    bool ended_ = false;
    INT_PTR result_ = -1;
};

// Handler table entries: a control id and notification code (or any) mapped to a member function.
constexpr UINT kAnyCode = ~0u;

template <class T> struct CommandEntry {
    UINT id;
    UINT code;
    void (T::*handler)(UINT id, UINT code);
};

template <class T> struct NotifyEntry {
    UINT id;
    UINT code;
    LRESULT (T::*handler)(const NMHDR&);
};

template <class T> struct MessageEntry {
    UINT message;
    LRESULT (T::*handler)(WPARAM, LPARAM);
};

// The handler tables of dialog class T, on top of Dialog or of a base class derived from it.
template <class T, class Base = Dialog> class DialogImpl : public Base {
public:
    using Base::Base;

protected:
    using Command = CommandEntry<T>;
    using Notify = NotifyEntry<T>;
    using Message = MessageEntry<T>;

    template <size_t N> bool Dispatch(const Command (&table)[N], UINT id, UINT code) {
        for (const Command& e : table) {
            if (e.id == id && (e.code == kAnyCode || e.code == code)) {
                (static_cast<T*>(this)->*e.handler)(id, code);
                return true;
            }
        }
        return false;
    }
    template <size_t N> bool Dispatch(const Notify (&table)[N], const NMHDR& header, LRESULT& result) {
        for (const Notify& e : table) {
            if (e.id == header.idFrom && (e.code == kAnyCode || e.code == header.code)) {
                result = (static_cast<T*>(this)->*e.handler)(header);
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
