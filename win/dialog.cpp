// Modal loop, window procedure, modeless children and control subclassing of the dialog layer.
#include "win/dialog.h"

#include "win/controls.h"
#include "win/resources.h"
#include "win/text.h"

#include <atomic>

namespace win {

namespace {
std::atomic<FailureReporter> g_failureReporter{nullptr};
} // namespace

void SetUnexpectedFailureReporter(FailureReporter reporter) {
    g_failureReporter = reporter;
}

void ReportUnexpectedFailure(HWND owner) {
    if (FailureReporter reporter = g_failureReporter)
        reporter(owner);
}
namespace {

constexpr wchar_t kDialogProperty[] = L"LxDialog";
constexpr wchar_t kControlProperty[] = L"LxControl";
constexpr UINT_PTR kSubclassId = 0x4C58;

HWND g_mainWindow = nullptr;

// Messages whose result the dialog procedure returns itself instead of through DWLP_MSGRESULT.
bool ReturnsResultDirectly(UINT msg) {
    switch (msg) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
        return true;
    default:
        return false;
    }
}

// Pre-translation along the window tree: the control the message is for, then each dialog up to the top.
bool WalkPreTranslate(HWND top, MSG& msg) {
    if (SubclassedControl* control = SubclassedControl::FromHandle(msg.hwnd))
        if (control->PreTranslateMessage(msg))
            return true;
    for (HWND window = msg.hwnd; window; window = ::GetParent(window)) {
        if (Dialog* dialog = Dialog::FromHandle(window))
            if (dialog->PreTranslateMessage(msg))
                return true;
        if (window == top)
            break;
    }
    return false;
}

} // namespace

SubclassedControl::~SubclassedControl() {
    Unsubclass();
}

bool SubclassedControl::Subclass(HWND control) {
    Unsubclass();
    if (!control ||
        !::SetWindowSubclass(control, &SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    hwnd_ = control;
    ::SetPropW(control, kControlProperty, this);
    return true;
}

void SubclassedControl::Unsubclass() {
    if (!hwnd_)
        return;
    if (::IsWindow(hwnd_)) {
        ::RemovePropW(hwnd_, kControlProperty);
        ::RemoveWindowSubclass(hwnd_, &SubclassProc, kSubclassId);
    }
    hwnd_ = nullptr;
}

SubclassedControl* SubclassedControl::FromHandle(HWND window) {
    return window ? static_cast<SubclassedControl*>(::GetPropW(window, kControlProperty)) : nullptr;
}

LRESULT SubclassedControl::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
    return ::DefSubclassProc(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK SubclassedControl::SubclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                                 DWORD_PTR data) {
    auto* self = reinterpret_cast<SubclassedControl*>(data);
    if (msg == WM_NCDESTROY) {
        self->Unsubclass();
        return ::DefSubclassProc(hwnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    // Nothing may unwind through the system's dispatcher.
    try {
        if (self->OnMessage(msg, wParam, lParam, result))
            return result;
    } catch (...) {
        ReportUnexpectedFailure(::GetParent(hwnd));
        return 0;
    }
    return ::DefSubclassProc(hwnd, msg, wParam, lParam);
}

Dialog::Dialog(UINT templateId, HWND parent) : templateId_(templateId), parent_(parent) {}

Dialog::~Dialog() {
    if (hwnd_)
        ::DestroyWindow(hwnd_);
    if (scaledFont_)
        ::DeleteObject(scaledFont_);
}

void Dialog::RecordLayout() {
    createdDpi_ = dpi_ = WindowDpi(hwnd_);
    createdRects_.clear();
    for (HWND child = ::GetWindow(hwnd_, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        RECT rect = Control(child).RectInParent();
        wchar_t cls[16] = {};
        ::GetClassNameW(child, cls, 16);
        RECT dropped{};
        if (lstrcmpiW(cls, L"ComboBox") == 0 &&
            ::SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&dropped)))
            rect.bottom = rect.top + (dropped.bottom - dropped.top);
        createdRects_.push_back({child, rect});
    }
    HFONT font = reinterpret_cast<HFONT>(::SendMessageW(hwnd_, WM_GETFONT, 0, 0));
    hasFont_ = font && ::GetObjectW(font, sizeof createdFont_, &createdFont_) == sizeof createdFont_;
    // The layout is this layer's to scale: the system's own re-layout of dialogs (Windows 10 1703 on) would
    // work from the current, already arranged positions.
    using SetBehaviorFn = BOOL(WINAPI*)(HWND, int, int);
    static const auto setBehavior = reinterpret_cast<SetBehaviorFn>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "SetDialogDpiChangeBehavior")));
    constexpr int kDisableAll = 1; // DDC_DISABLE_ALL
    if (setBehavior)
        setBehavior(hwnd_, kDisableAll, kDisableAll);
}

void Dialog::ScaleToDpi(int dpi) {
    if (!hwnd_ || dpi <= 0)
        return;
    dpi_ = dpi;
    if (hasFont_) {
        LOGFONTW font = createdFont_;
        font.lfHeight = ::MulDiv(createdFont_.lfHeight, dpi, createdDpi_);
        HFONT scaled = ::CreateFontIndirectW(&font);
        if (scaled) {
            for (const auto& [child, rect] : createdRects_)
                ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(scaled), FALSE);
            if (scaledFont_)
                ::DeleteObject(scaledFont_);
            scaledFont_ = scaled;
        }
    }
    const auto scale = [&](LONG v) { return ::MulDiv(v, dpi, createdDpi_); };
    for (const auto& [child, rect] : createdRects_) {
        if (!::IsWindow(child))
            continue;
        const int left = scale(rect.left), top = scale(rect.top);
        ::MoveWindow(child, left, top, scale(rect.right) - left, scale(rect.bottom) - top, FALSE);
    }
    OnDpiChanged(dpi);
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

Dialog* Dialog::FromHandle(HWND window) {
    return window ? static_cast<Dialog*>(::GetPropW(window, kDialogProperty)) : nullptr;
}

void Dialog::SetMainWindow(HWND window) {
    g_mainWindow = window;
}

HWND Dialog::MainWindow() {
    return g_mainWindow;
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

HINSTANCE Dialog::TemplateModule() const {
    // A language library that lacks a template still gets a working dialog: the program's English copy.
    return ModuleWithResource(MAKEINTRESOURCEW(templateId_), RT_DIALOG);
}

bool Dialog::Create(HWND parent) {
    if (hwnd_)
        return true;
    modal_ = false;
    parent_ = parent;
    hwnd_ = ::CreateDialogParamW(TemplateModule(), MAKEINTRESOURCEW(templateId_), parent, &Dialog::DialogProc,
                                 reinterpret_cast<LPARAM>(this));
    return hwnd_ != nullptr;
}

INT_PTR Dialog::DoModal() {
    ended_ = false;
    result_ = -1;
    modal_ = true;
    // Without a parent the main window owns the dialog, so that it is disabled while the dialog runs.
    HWND owner = parent_ ? parent_ : (::IsWindow(g_mainWindow) ? g_mainWindow : nullptr);
    hwnd_ = ::CreateDialogParamW(TemplateModule(), MAKEINTRESOURCEW(templateId_), owner, &Dialog::DialogProc,
                                 reinterpret_cast<LPARAM>(this));
    if (!hwnd_)
        return -1;
    const bool ownerEnabled = owner && ::IsWindowEnabled(owner);
    if (ownerEnabled)
        ::EnableWindow(owner, FALSE);
    if (!ended_)
        ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    PumpUntilEnded();
    if (ownerEnabled)
        ::EnableWindow(owner, TRUE);
    HWND hwnd = hwnd_;
    hwnd_ = nullptr;
    ::DestroyWindow(hwnd);
    if (owner)
        ::SetActiveWindow(owner);
    return result_;
}

void Dialog::PumpUntilEnded() {
    MSG msg;
    while (!ended_) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) {
            // Leave WM_QUIT for the outer loop, as the system's modal loops do.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (got == -1)
            break;
        if (WalkPreTranslate(hwnd_, msg))
            continue;
        if (::IsDialogMessageW(hwnd_, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

INT_PTR CALLBACK Dialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Dialog* self = nullptr;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<Dialog*>(lParam);
        ::SetPropW(hwnd, kDialogProperty, self);
        self->hwnd_ = hwnd;
    } else {
        self = FromHandle(hwnd);
    }
    if (!self)
        return FALSE;
    if (msg == WM_NCDESTROY) {
        ::RemovePropW(hwnd, kDialogProperty);
        if (self->hwnd_ == hwnd)
            self->hwnd_ = nullptr;
        return FALSE;
    }
    // Nothing may unwind through the system's dispatcher.
    try {
        return self->HandleMessage(msg, wParam, lParam);
    } catch (...) {
        ReportUnexpectedFailure(hwnd);
        if (self->modal_)
            self->EndDialog(-1);
        return FALSE;
    }
}

INT_PTR Dialog::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        RecordLayout();
        return OnInitDialog();
    }
    if (msg == WM_DPICHANGED) {
        // Moved to a monitor of another DPI: the size the system suggests, then the contents for that DPI.
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        if (suggested)
            ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                           suggested->right - suggested->left, suggested->bottom - suggested->top,
                           SWP_NOZORDER | SWP_NOACTIVATE);
        ScaleToDpi(HIWORD(wParam));
        return TRUE;
    }
    LRESULT result = 0;
    bool handled = false;
    if (msg == WM_DRAWITEM && lParam) {
        // Owner drawing belongs to the control: reflect it to the subclass that draws it.
        HWND item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->hwndItem;
        if (SubclassedControl::FromHandle(item)) {
            ::SendMessageW(item, kReflectBase + WM_DRAWITEM, wParam, lParam);
            result = TRUE;
            handled = true;
        }
    }
    if (!handled)
        handled = OnMessage(msg, wParam, lParam, result);
    if (!handled && msg == WM_NOTIFY && lParam)
        handled = OnNotify(*reinterpret_cast<const NMHDR*>(lParam), result);
    if (handled) {
        if (ReturnsResultDirectly(msg))
            return static_cast<INT_PTR>(result);
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
