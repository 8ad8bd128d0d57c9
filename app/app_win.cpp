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
#include "win/handles.h"
#include "win/seams.h"
#include "win/resources.h"

#include <commctrl.h>

CPrinterConfigToolApp theApp;

namespace {
constexpr UINT kStopStyle = MB_OK | MB_ICONERROR;

// The common controls, and the theme library they bring, take longest to load of anything at start-up: they
// load on a thread of their own while the settings file, the language library, the driver keys and the
// spooler are read. Every window waits for them, a message box too, which they draw.
class CommonControlsLoad {
public:
    CommonControlsLoad() : thread_(::CreateThread(nullptr, 0, &Load, nullptr, 0, nullptr)) {
        if (!thread_)
            Load(nullptr);
    }
    ~CommonControlsLoad() { Wait(); }
    CommonControlsLoad(const CommonControlsLoad&) = delete;
    CommonControlsLoad& operator=(const CommonControlsLoad&) = delete;

    void Wait() {
        if (thread_)
            ::WaitForSingleObject(thread_.get(), INFINITE);
        thread_.reset();
    }

private:
    static DWORD WINAPI Load(void*) {
        INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
        ::InitCommonControlsEx(&controls);
        return 0;
    }

    win::Handle thread_;
};
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
    CommonControlsLoad controls;
    // Start-up ends here with a stop box once the controls are in.
    const auto stop = [&controls](const std::wstring& language, const std::wstring& text) {
        controls.Wait();
        ShowMessageBox(language, text, kErrorCaption, kStopStyle);
        return false;
    };
    registryKey = kRegistryKeyName;

    const std::wstring settingsFile = GetSettingsFilePath();
    if (settingsFile.empty())
        return stop(L"", L"The settings file cannot be found.");
    // A failed read gives INVALID_FILE_ATTRIBUTES, whose read-only bit is set too.
    if (::GetFileAttributesW(settingsFile.c_str()) & FILE_ATTRIBUTE_READONLY)
        return stop(L"", L"The settings file is read-only.");
    if (!LoadLanguageLibrary(settingsFile))
        return stop(L"", kResourceFileNotFound);
    appTitle = kFallbackTitle;
    SetAppTitle(appTitle);

    const ModelCatalogue catalogue = BuildModelCatalogue(settingsFile);
    if (catalogue.empty())
        return stop(L"", win::LoadResourceString(IDS_SETTINGS_FILE_MISSING));
    if (!IsUserAdministrator())
        return stop(languageCode, win::LoadResourceString(IDS_NOT_ADMINISTRATOR));

    std::wstring printerName = TrimCommandLine(commandLine);
    if (printerName.empty()) {
        controls.Wait();
        CSelectDlg select(catalogue, nullptr);
        const INT_PTR result = select.DoModal();
        if (result == IDOK)
            printerName = select.selectedPrinter;
        else if (result == IDCANCEL)
            return false;
    }
    if (!PrinterExists(printerName) || !IsPrinterCompatible(catalogue, printerName))
        return stop(languageCode, win::LoadResourceString(IDS_PRINTER_NOT_FOUND));

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

    controls.Wait();
    CPrinterConfigToolDlg dialog(catalogue, printerName, nullptr, {&OnOptionSettings});
    dialog.DoModal();
    win::Dialog::SetMainWindow(nullptr);
    return false;
}
