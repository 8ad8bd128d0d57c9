// Message boxes with the right-to-left rule, the administrator test and window centring.
#include "core/messages_win.h"

#include "core/rules.h"
#include "win/controls.h"
#include "win/handles.h"
#include "win/seams.h"

UINT WithWindowDirection(HWND window, UINT style) {
    return win::IsMirrored(window) ? (style | MB_RTLREADING | MB_RIGHT) : style;
}

int ShowMessageBox(const std::wstring& languageCode, const std::wstring& text, const std::wstring& caption,
                   UINT style) {
    const bool rightToLeft =
        languageCode.empty() ? win::IsMirrored(::GetDesktopWindow()) : IsRightToLeftLanguage(languageCode);
    if (rightToLeft)
        style |= MB_RTLREADING | MB_RIGHT;
    return win::ShowBox(nullptr, text, caption, style);
}

namespace {
std::wstring g_appTitle = L"Device settings";
} // namespace

void SetAppTitle(const std::wstring& title) {
    g_appTitle = title;
}

int ShowWindowMessageBox(HWND window, UINT style, const std::wstring& text) {
    return win::ShowBox(::GetActiveWindow(), text, g_appTitle, WithWindowDirection(window, style));
}

bool IsUserAdministrator() {
    SID_IDENTIFIER_AUTHORITY ntAuthority = SECURITY_NT_AUTHORITY;
    win::Sid administrators;
    if (!::AllocateAndInitializeSid(&ntAuthority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0,
                                    0, 0, 0, 0, 0, administrators.put()))
        return false;
    BOOL member = FALSE;
    if (!::CheckTokenMembership(nullptr, administrators.get(), &member))
        return false;
    return member != FALSE;
}

namespace {
Rect ToRect(const RECT& r) {
    return {static_cast<int>(r.left), static_cast<int>(r.top), static_cast<int>(r.right),
            static_cast<int>(r.bottom)};
}
} // namespace

bool CenterWindowOver(HWND window, HWND reference) {
    RECT w{}, r{};
    ::GetWindowRect(window, &w);
    ::GetWindowRect(reference, &r);
    const Point origin = CenteredOrigin(ToRect(w), ToRect(r));
    ::MoveWindow(window, origin.x, origin.y, w.right - w.left, w.bottom - w.top, TRUE);
    return true;
}
