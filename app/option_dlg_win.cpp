// The option dialog: the one user option of the settings file.
#include "app/option_dlg_win.h"

#include "app/settings/settings_win.h"
#include "core/paths_win.h"
#include "core/resource.h"
#include "win/controls.h"

COptionDlg::COptionDlg() : DialogImpl(IDD_OPTIONS, nullptr) {
    const std::wstring settings = SettingsPathBesideProgram();
    noDisplayStartupError = NoDisplayStartupError(settings) ? 1 : 0;
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
    WriteNoDisplayStartupError(SettingsPathBesideProgram(), answer == COptionDlg::kTicked);
}
