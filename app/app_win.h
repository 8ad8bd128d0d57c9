// The application object: the start-up sequence from the settings file to the single running copy.
#pragma once

#include "win/handles.h"

#include <string>

class CPrinterConfigToolApp {
public:
    CPrinterConfigToolApp() = default;
    CPrinterConfigToolApp(const CPrinterConfigToolApp&) = delete;
    CPrinterConfigToolApp& operator=(const CPrinterConfigToolApp&) = delete;
    ~CPrinterConfigToolApp();

    // Runs the start-up sequence; always false: the program ends when it returns.
    bool InitInstance(const std::wstring& commandLine);
    int ExitInstance();

    // Chooses the language code, loads res\<base>_<code> and makes it the source of all resources.
    bool LoadLanguageLibrary(const std::wstring& settingsFile);

    std::wstring appTitle;
    win::Module resourceLibrary;
    win::Handle instanceMutex;
    std::wstring languageCode;
    std::wstring registryKey; // per-user settings key kept for the platform; nothing is stored under it

private:
    void ReleaseLanguageLibrary();
};

extern CPrinterConfigToolApp theApp;

// Names that other programs and later versions rely on.
constexpr wchar_t kInstanceMutexName[] = L"mutex_LX-410SeriesDeviceSettingTool";
constexpr wchar_t kRegistryKeyName[] = L"Korvale LX-410Series DeviceSettings";
constexpr wchar_t kFallbackTitle[] = L"Device settings";
constexpr wchar_t kErrorCaption[] = L"Error";
