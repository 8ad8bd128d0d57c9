// The application object and its start-up sequence.
#include "app/app_win.h"

#include "core/messages_win.h"
#include "core/printers.h"
#include "core/resource.h"
#include "app/option_dlg_win.h"
#include "app/select_dlg_win.h"
#include "app/settings/settings_win.h"
#include "app/settings/startup_rules.h"
#include "core/rules.h"
#include "ui/main_dlg_win.h"
#include "win/seams.h"
#include "win/resources.h"

#include <commctrl.h>

CPrinterConfigToolApp theApp;

namespace {
constexpr UINT kStopStyle = MB_OK | MB_ICONERROR;
} // namespace

CPrinterConfigToolApp::~CPrinterConfigToolApp() {
    instanceMutex.reset();
    ReleaseLanguageLibrary();
}

void CPrinterConfigToolApp::ReleaseLanguageLibrary() {
    if (!resourceLibrary)
        return;
    // Nothing may look up a resource in the library once it is gone.
    win::SetResourceModule(nullptr);
    resourceLibrary.reset();
}

int CPrinterConfigToolApp::ExitInstance() {
    ReleaseLanguageLibrary();
    return 0;
}

bool CPrinterConfigToolApp::LoadLanguageLibrary(const std::wstring& settingsFile) {
    if (settingsFile.empty())
        return false;
    if (!OpenLanguageLibrary(settingsFile, languageCode, resourceLibrary))
        return false;
    // The settings page exists only in the libraries: without it the main window would have nothing to show,
    // so such a library counts as missing. Any other template it lacks is taken from the program's own copy.
    if (!::FindResourceW(resourceLibrary.get(), MAKEINTRESOURCEW(IDD_TAB_BASIC), RT_DIALOG)) {
        resourceLibrary.reset();
        return false;
    }
    win::SetResourceModule(resourceLibrary.get());
    return true;
}

bool CPrinterConfigToolApp::InitInstance(const std::wstring& commandLine) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
    ::InitCommonControlsEx(&controls);
    registryKey = kRegistryKeyName;

    const std::wstring settingsFile = GetSettingsFilePath();
    if (settingsFile.empty()) {
        ShowMessageBox(L"", L"The settings file cannot be found.", kErrorCaption, kStopStyle);
        return false;
    }
    // A failed read gives INVALID_FILE_ATTRIBUTES, whose read-only bit is set too.
    if (::GetFileAttributesW(settingsFile.c_str()) & FILE_ATTRIBUTE_READONLY) {
        ShowMessageBox(L"", L"The settings file is read-only.", kErrorCaption, kStopStyle);
        return false;
    }
    if (!LoadLanguageLibrary(settingsFile)) {
        ShowMessageBox(L"", kResourceFileNotFound, kErrorCaption, kStopStyle);
        return false;
    }
    appTitle = kFallbackTitle;
    SetAppTitle(appTitle);

    const ModelCatalogue catalogue = BuildModelCatalogue(settingsFile);
    if (catalogue.empty()) {
        ShowMessageBox(L"", win::LoadResourceString(IDS_SETTINGS_FILE_MISSING), kErrorCaption, kStopStyle);
        return false;
    }
    if (!IsUserAdministrator()) {
        ShowMessageBox(languageCode, win::LoadResourceString(IDS_NOT_ADMINISTRATOR), kErrorCaption,
                       kStopStyle);
        return false;
    }

    std::wstring printerName = TrimCommandLine(commandLine);
    if (printerName.empty()) {
        CSelectDlg select(catalogue, nullptr);
        const INT_PTR result = select.DoModal();
        if (result == IDOK)
            printerName = select.selectedPrinter;
        else if (result == IDCANCEL)
            return false;
    }
    if (!PrinterExists(printerName) || !IsPrinterCompatible(catalogue, printerName)) {
        ShowMessageBox(languageCode, win::LoadResourceString(IDS_PRINTER_NOT_FOUND), kErrorCaption,
                       kStopStyle);
        return false;
    }

    const std::wstring title = win::LoadResourceString(IDS_APP_TITLE);
    appTitle = title.empty() ? kFallbackTitle : title;
    SetAppTitle(appTitle);

    // Created only now, after the printer is verified: a second copy for a missing printer says so first.
    instanceMutex.reset(::CreateMutexW(nullptr, TRUE, kInstanceMutexName));
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        if (HWND running = ::FindWindowW(nullptr, appTitle.c_str()))
            ::SetForegroundWindow(running);
        win::TestNote(L"already-running");
        return false;
    }

    CPrinterConfigToolDlg dialog(catalogue, printerName, nullptr, {&OnOptionSettings});
    dialog.DoModal();
    win::Dialog::SetMainWindow(nullptr);
    return false;
}
