// Settings file, model catalogue and language choice through the private-profile functions and the registry.
#include "app/settings/settings_win.h"

#include "app/settings/startup_rules.h"
#include "core/ini_names.h"
#include "core/paths_win.h"
#include "core/rules.h"
#include "win/handles.h"

#include <cwchar>
#include <memory>

namespace {

constexpr wchar_t kDriverKeyRoot[] = L"SOFTWARE\\Korvale Industries, Ltd.\\Zentape\\Driver\\3.0\\";
constexpr DWORD kTextBuffer = MAX_PATH; // every text key and value is read into 260 characters

std::wstring ReadProfileText(const wchar_t* section, const wchar_t* key, const std::wstring& file) {
    wchar_t buffer[kTextBuffer] = {};
    DWORD length = ::GetPrivateProfileStringW(section, key, L"", buffer, kTextBuffer, file.c_str());
    return std::wstring(buffer, length);
}

// Reads one value of a model's driver key. The key is opened afresh for each value, with full access, as the
// driver's installer expects; a value that does not fit its buffer counts as missing rather than being cut.
bool ReadDriverValue(const std::wstring& subkey, const wchar_t* value, BYTE* buffer, DWORD capacity,
                     DWORD& size, DWORD& type) {
    win::RegKey key;
    if (::RegOpenKeyExW(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, KEY_ALL_ACCESS, key.put()) != ERROR_SUCCESS)
        return false;
    size = 0;
    if (::RegQueryValueExW(key.get(), value, nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    if (size > capacity)
        return false;
    return ::RegQueryValueExW(key.get(), value, nullptr, &type, buffer, &size) == ERROR_SUCCESS;
}

std::wstring ReadModelID(const std::wstring& subkey) {
    // Kept on purpose: a missing value leaves the model's id empty; it never takes the previous model's.
    wchar_t text[kTextBuffer + 1] = {}; // one spare terminator for a value stored without one
    DWORD size = 0, type = 0;
    if (!ReadDriverValue(subkey, L"ModelID", reinterpret_cast<BYTE*>(text), kTextBuffer * sizeof(wchar_t),
                         size, type))
        return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ)
        return {};
    return LowerCase(std::wstring(text, wcsnlen(text, size / sizeof(wchar_t))));
}

uint32_t ReadELChangeCmd(const std::wstring& subkey) {
    uint32_t value = 0;
    DWORD size = 0, type = 0;
    if (!ReadDriverValue(subkey, L"ELChangeCmd", reinterpret_cast<BYTE*>(&value), sizeof value, size, type))
        return 0;
    return size == sizeof value ? value : 0;
}

std::wstring LocaleAbbreviation(LCID locale) {
    int length = ::GetLocaleInfoW(locale, LOCALE_SABBREVLANGNAME, nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<size_t>(length), L'\0');
    length = ::GetLocaleInfoW(locale, LOCALE_SABBREVLANGNAME, &text[0], length);
    if (length <= 0)
        return {};
    text.resize(wcsnlen(text.c_str(), static_cast<size_t>(length)));
    return text;
}

} // namespace

std::wstring GetSettingsFilePath() {
    const std::wstring path = SettingsPathBesideProgram();
    return PathExists(path) ? path : std::wstring();
}

std::wstring DriverKeyPath(const std::wstring& modelName) {
    return (kDriverKeyRoot + modelName).substr(0, kTextBuffer - 1);
}

ModelCatalogue BuildModelCatalogue(const std::wstring& settingsFile) {
    ModelCatalogue catalogue;
    for (const std::wstring& name :
         SplitModelList(ReadProfileText(ini::kProperty, ini::kCompatibleModel, settingsFile))) {
        ModelRecord model;
        model.name = name;
        model.SeriesCode = static_cast<int32_t>(
            ::GetPrivateProfileIntW(name.c_str(), ini::kSeriesCode, 0, settingsFile.c_str()));
        model.ModelCode = static_cast<int32_t>(
            ::GetPrivateProfileIntW(name.c_str(), ini::kModelCode, 0, settingsFile.c_str()));
        const std::wstring subkey = DriverKeyPath(name);
        model.ModelID = ReadModelID(subkey);
        model.ELChangeCmd = ReadELChangeCmd(subkey);
        catalogue.push_back(model);
    }
    return catalogue;
}

bool FindLanguageCode(const std::wstring& abbreviation, const std::wstring& settingsFile,
                      std::wstring& languageCode) {
    languageCode.clear();
    if (abbreviation.empty() || settingsFile.empty())
        return false;
    languageCode = ReadProfileText(ini::kLangString, LowerCase(abbreviation).c_str(), settingsFile);
    if (!languageCode.empty())
        return true;
    languageCode = ReadProfileText(ini::kLangString, abbreviation.substr(0, 2).c_str(), settingsFile);
    return !languageCode.empty();
}

std::wstring ChooseLanguageCode(const std::wstring& settingsFile) {
    std::wstring code;
    if (FindLanguageCode(LocaleAbbreviation(LOCALE_USER_DEFAULT), settingsFile, code))
        return code;
    if (FindLanguageCode(LocaleAbbreviation(LOCALE_SYSTEM_DEFAULT), settingsFile, code))
        return code;
    return ReadProfileText(ini::kLangString, ini::kDefaultLanguage, settingsFile);
}

std::wstring LanguageLibraryPath(const std::wstring& languageCode) {
    const std::wstring program = ProgramPath();
    const size_t slash = program.find_last_of(L'\\');
    if (program.empty() || slash == std::wstring::npos)
        return {};
    // The base name is the file name without its extension (the part after the last dot).
    std::wstring base = program.substr(slash + 1);
    const size_t dot = base.find_last_of(L'.');
    if (dot != std::wstring::npos)
        base.resize(dot);
    if (base.empty())
        return {};
    return program.substr(0, slash + 1) + L"res\\" + base + L"_" + languageCode;
}

bool OpenLanguageLibrary(const std::wstring& settingsFile, std::wstring& languageCode, win::Module& library) {
    if (settingsFile.empty())
        return false;
    const std::wstring code = ChooseLanguageCode(settingsFile);
    // Anything but letters and digits could lead the path out of res\: treated as no language at all.
    if (!IsValidLanguageCode(code))
        return false;
    languageCode = code;
    const std::wstring path = LanguageLibraryPath(languageCode);
    if (path.empty())
        return false;
    // Only its resources are used, so none of its code runs: it is mapped as an image of resources.
    library.reset(::LoadLibraryExW((path + L".dll").c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    return static_cast<bool>(library);
}

bool NoDisplayStartupError(const std::wstring& settingsFile) {
    return ::GetPrivateProfileIntW(ini::kProperty, ini::kNoDisplayStartupError, ini::kNothingStored,
                                   settingsFile.c_str()) == 1;
}

bool WriteNoDisplayStartupError(const std::wstring& settingsFile, bool on) {
    // Only into a settings file that exists: the option never creates one.
    if (!PathExists(settingsFile))
        return false;
    return ::WritePrivateProfileStringW(ini::kProperty, ini::kNoDisplayStartupError, on ? L"1" : L"0",
                                        settingsFile.c_str()) != FALSE;
}
