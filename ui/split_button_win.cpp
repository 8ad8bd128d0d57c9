// Subclassing, mouse and keys, the popup menu and the owner drawing of the split button.
#include "ui/split_button_win.h"

#include "core/resource.h"
#include "ui/split_button_geometry.h"
#include "win/controls.h"
#include "win/resources.h"
#include "win/text.h"

#include <uxtheme.h>
#include <vssym32.h>
#include <windowsx.h>

namespace {

// A menu loaded for one use and destroyed after it.
class LoadedMenu {
public:
    explicit LoadedMenu(UINT id) : menu_(::LoadMenuW(win::ResourceModule(), MAKEINTRESOURCEW(id))) {}
    ~LoadedMenu() {
        if (menu_)
            ::DestroyMenu(menu_);
    }
    LoadedMenu(const LoadedMenu&) = delete;
    LoadedMenu& operator=(const LoadedMenu&) = delete;
    HMENU FirstPopup() const { return menu_ ? ::GetSubMenu(menu_, 0) : nullptr; }

private:
    HMENU menu_;
};

std::wstring MenuItemText(HMENU menu, UINT position) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING;
    info.dwTypeData = text;
    info.cch = 255;
    if (!::GetMenuItemInfoW(menu, position, TRUE, &info))
        return {};
    return text;
}

// A line of the geometry as the pixels LineTo would set, `width` columns wide, in a solid colour.
void FillLine(HDC dc, const SplitLine& line, int width, COLORREF colour) {
    RECT r{line.x1, line.y1, line.x2 > line.x1 ? line.x2 : line.x1 + width,
           line.y2 > line.y1 ? line.y2 : line.y1 + 1};
    HBRUSH brush = ::CreateSolidBrush(colour);
    ::FillRect(dc, &r, brush);
    ::DeleteObject(brush);
}

RECT ToRect(const Rect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

} // namespace

bool CPopupButton::Attach(HWND parentDialog) {
    parent_ = parentDialog;
    HWND button = ::GetDlgItem(parentDialog, IDC_SPLIT_APPLY);
    if (!button || !Subclass(button))
        return false;
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(button, GWL_STYLE));
    ::SendMessageW(button, BM_SETSTYLE, LOWORD(style) | BS_OWNERDRAW, TRUE);
    popupMenuId = IDR_APPLY_MENU;
    defaultCommand = 0;
    LoadedMenu menu(popupMenuId);
    HMENU popup = menu.FirstPopup();
    if (!popup)
        return true;
    // The button's face is the menu's first command.
    defaultCommand = static_cast<uint16_t>(::GetMenuItemID(popup, 0));
    const int count = ::GetMenuItemCount(popup);
    for (int i = 0; i < count; ++i) {
        if (::GetMenuItemID(popup, i) == defaultCommand) {
            ::SetWindowTextW(button, MenuItemText(popup, static_cast<UINT>(i)).c_str());
            break;
        }
    }
    return true;
}

void CPopupButton::PostToParent(UINT command) const {
    if (parent_)
        ::PostMessageW(parent_, WM_COMMAND, MAKEWPARAM(command, 0), 0);
}

bool CPopupButton::PreTranslateMessage(MSG& msg) {
    if (msg.hwnd != hwnd() || msg.message != WM_KEYDOWN)
        return false;
    switch (msg.wParam) {
    case VK_RETURN:
    case VK_SPACE:
        PostToParent(defaultCommand);
        return true;
    case VK_DOWN:
        ShowPopup();
        return true;
    default:
        return false;
    }
}

bool CPopupButton::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
    case WM_LBUTTONDOWN:
        OnLButtonDown(wParam, lParam);
        return true;
    case WM_MOUSEMOVE:
        OnMouseMove();
        return false; // then the default processing
    case WM_MOUSELEAVE:
        OnMouseLeave();
        return true;
    case WM_COMMAND:
        // A choice from the popup menu, whose owner is this button.
        PostToParent(LOWORD(wParam));
        return true;
    case win::kReflectBase + WM_DRAWITEM:
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        result = TRUE;
        return true;
    default:
        return false;
    }
}

void CPopupButton::OnLButtonDown(WPARAM wParam, LPARAM lParam) {
    RECT window{};
    ::GetWindowRect(hwnd(), &window);
    // In a mirrored button x counts from the right edge, so the strip is again at the trailing end.
    if (IsFaceClick(GET_X_LPARAM(lParam), window.right - window.left, win::WindowDpi(hwnd()))) {
        // Kept on purpose: posted on press, so releasing the mouse elsewhere still applies.
        Default(WM_LBUTTONDOWN, wParam, lParam);
        PostToParent(defaultCommand);
        return;
    }
    ShowPopup();
}

void CPopupButton::OnMouseMove() {
    if (isHovered)
        return;
    isHovered = true;
    ::InvalidateRect(hwnd(), nullptr, TRUE);
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof track;
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = hwnd();
    track.dwHoverTime = HOVER_DEFAULT;
    ::TrackMouseEvent(&track);
}

void CPopupButton::OnMouseLeave() {
    isHovered = false;
    ::InvalidateRect(hwnd(), nullptr, TRUE);
}

void CPopupButton::ShowPopup() {
    RECT window{};
    ::GetWindowRect(hwnd(), &window);
    LoadedMenu menu(popupMenuId);
    HMENU popup = menu.FirstPopup();
    if (!popup)
        return;
    // Only the other ways of applying are offered.
    ::RemoveMenu(popup, defaultCommand, MF_BYCOMMAND);
    // Under the button's leading corner: its left one, or in a mirrored window its right one.
    if (win::IsMirrored(hwnd()))
        ::TrackPopupMenu(popup, TPM_RIGHTALIGN | TPM_TOPALIGN | TPM_LAYOUTRTL, window.right, window.bottom, 0,
                         hwnd(), nullptr);
    else
        ::TrackPopupMenu(popup, TPM_LEFTALIGN | TPM_TOPALIGN, window.left, window.bottom, 0, hwnd(), nullptr);
}

void CPopupButton::DrawItem(const DRAWITEMSTRUCT& draw) {
    HDC dc = draw.hDC;
    const int saved = ::SaveDC(dc);
    const std::wstring text = win::WindowText(hwnd()).substr(0, 255);
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    const bool focused = (draw.itemState & ODS_FOCUS) != 0;
    const Rect item{draw.rcItem.left, draw.rcItem.top, draw.rcItem.right, draw.rcItem.bottom};
    HTHEME theme = ::OpenThemeData(hwnd(), L"Button");
    const SplitButtonGeometry g =
        ComputeSplitButton(item, theme != nullptr, selected, win::WindowDpi(hwnd()));

    RECT itemRect = draw.rcItem;
    if (theme) {
        const int state = selected ? PBS_PRESSED : (isHovered ? PBS_HOT : PBS_NORMAL);
        ::DrawThemeBackground(theme, dc, BP_PUSHBUTTON, state, &itemRect, nullptr);
    } else {
        ::DrawFrameControl(dc, &itemRect, DFC_BUTTON, DFCS_BUTTONPUSH | (selected ? DFCS_PUSHED : 0));
    }

    FillLine(dc, g.separator, g.separatorWidth, ::GetSysColor(COLOR_BTNSHADOW));
    for (const SplitLine& row : g.arrow)
        FillLine(dc, row, 1, RGB(0, 0, 0));

    if (focused) {
        RECT focus = ToRect(g.focus);
        ::DrawFocusRect(dc, &focus);
    }

    RECT textRect = ToRect(g.text);
    if (theme) {
        RECT content{};
        const int state = selected ? PBS_PRESSED : (isHovered ? PBS_HOT : PBS_NORMAL);
        ::GetThemeBackgroundContentRect(theme, dc, BP_PUSHBUTTON, state, &textRect, &content);
        ::DrawThemeText(theme, dc, BP_PUSHBUTTON, state, text.c_str(), -1,
                        DT_CENTER | DT_VCENTER | DT_SINGLELINE, 0, &content);
        ::CloseThemeData(theme);
    } else {
        ::SetTextColor(dc, ::GetSysColor(COLOR_BTNTEXT));
        ::SetBkMode(dc, TRANSPARENT);
        ::DrawTextW(dc, text.c_str(), -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
    ::RestoreDC(dc, saved);
}
