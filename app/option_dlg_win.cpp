// The option dialog and its settings-file key.
#include "app/option_dlg_win.h"

#include "core/paths_win.h"
#include "core/resource.h"
#include "win/controls.h"

namespace {
constexpr wchar_t kProperty[] = L"Property";
constexpr wchar_t kNoDisplayStartupError[] = L"NoDisplayStartupError";
} // namespace

COptionDlg::COptionDlg() : DialogImpl(IDD_OPTIONS, nullptr) {
    const std::wstring settings = SettingsFilePath();
    noDisplayStartupError =
        ::GetPrivateProfileIntW(kProperty, kNoDisplayStartupError, 255, settings.c_str()) == 1 ? 1 : 0;
}

BOOL COptionDlg::OnInitDialog() {
    win::Button(Item(IDC_OPTION_NO_STARTUP_ERROR)).SetCheck(noDisplayStartupError != 0);
    return TRUE;
}

void COptionDlg::OnOK() {
    noDisplayStartupError = win::Button(Item(IDC_OPTION_NO_STARTUP_ERROR)).Checked() ? 1 : 0;
    EndDialog(noDisplayStartupError != 0 ? kTicked : kCleared);
}

void OnOptionSettings() {
    COptionDlg dialog;
    const INT_PTR answer = dialog.DoModal();
    if (answer != COptionDlg::kTicked && answer != COptionDlg::kCleared)
        return;
    const std::wstring settings = SettingsFilePath();
    if (!PathExists(settings))
        return;
    ::WritePrivateProfileStringW(kProperty, kNoDisplayStartupError,
                                 answer == COptionDlg::kTicked ? L"1" : L"0", settings.c_str());
}
