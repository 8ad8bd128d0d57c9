// The sections and keys of the program's INI files, named once: the settings file beside the program, and the
// configuration and last-settings files.
#pragma once

namespace ini {

// Both kinds of file.
constexpr wchar_t kProperty[] = L"Property";
// The settings file: the models, the language codes, the one user option.
constexpr wchar_t kCompatibleModel[] = L"CompatibleModel";
constexpr wchar_t kSeriesCode[] = L"SeriesCode";
constexpr wchar_t kModelCode[] = L"ModelCode";
constexpr wchar_t kLangString[] = L"LangString";
constexpr wchar_t kDefaultLanguage[] = L"default";
constexpr wchar_t kNoDisplayStartupError[] = L"NoDisplayStartupError";
// Configuration and last-settings files.
constexpr wchar_t kFileVersion[] = L"FileVersion";
constexpr wchar_t kDriverName[] = L"DriverName";
constexpr wchar_t kDisableCheck[] = L"DisableCheck";
constexpr wchar_t kSettings[] = L"Settings";
constexpr wchar_t kAdminPassword[] = L"AdminPassword";

// What an integer key reads as when the file holds no value for it.
constexpr int kNothingStored = 255;

} // namespace ini
