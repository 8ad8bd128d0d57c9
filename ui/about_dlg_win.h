// The version information: the program's name, version and copyright lines and its icon.
#pragma once

#include "win/dialog.h"

#include "lx_version.h"

#include <string>

class CAboutDlg : public win::DialogImpl<CAboutDlg> {
public:
    CAboutDlg();

    std::wstring versionLine;
    std::wstring copyrightLine;

    static constexpr wchar_t kVersion[] = LX_VERSION_TEXT;
    static constexpr wchar_t kCopyrightYear[] = L"2014";

protected:
    BOOL OnInitDialog() override;
};
