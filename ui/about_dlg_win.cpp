// The version and copyright lines, formatted from the language library's strings.
#include "ui/about_dlg_win.h"

#include "core/resource.h"
#include "core/text_format.h"
#include "win/resources.h"

CAboutDlg::CAboutDlg() : DialogImpl(IDD_ABOUT, nullptr) {}

BOOL CAboutDlg::OnInitDialog() {
    versionLine = FormatOne(win::LoadResourceString(IDS_VERSION), kVersion);
    copyrightLine = FormatOne(win::LoadResourceString(IDS_COPYRIGHT), kCopyrightYear);
    ::SetDlgItemTextW(hwnd(), IDC_ABOUT_VERSION, versionLine.c_str());
    ::SetDlgItemTextW(hwnd(), IDC_ABOUT_COPYRIGHT, copyrightLine.c_str());
    return TRUE;
}
