// The version information: the program's name, version and copyright lines and its icon.
#pragma once

#include "win/dialog.h"

#include <string>

class CAboutDlg : public win::DialogImpl<CAboutDlg> {
public:
    CAboutDlg();

    std::wstring versionLine;
    std::wstring copyrightLine;

    static constexpr wchar_t kVersion[] = L"1.1.0";
    static constexpr wchar_t kCopyrightYear[] = L"2014";

protected:
    BOOL OnInitDialog() override;
};
