// The settings file beside the program, the model catalogue and the choice of the language library.
#pragma once

#include "core/model.h"
#include "win/handles.h"

#include <windows.h>

#include <string>

// The settings file's path when a file of that path exists, else empty.
std::wstring GetSettingsFilePath();

// The models of CompatibleModel in order, with their codes and driver-key values.
ModelCatalogue BuildModelCatalogue(const std::wstring& settingsFile);

// The language code for a locale abbreviation from section LangString; false with an empty code.
bool FindLanguageCode(const std::wstring& abbreviation, const std::wstring& settingsFile,
                      std::wstring& languageCode);

// The language code for this user and machine: user locale, then system locale, then "default"; empty if
// none.
std::wstring ChooseLanguageCode(const std::wstring& settingsFile);

// The path of the language library without extension: <program folder>res\<base name>_<code>; empty on
// failure.
std::wstring LanguageLibraryPath(const std::wstring& languageCode);

// Chooses the language code and maps its library: false when no code is chosen, the code is not letters and
// digits, or the library cannot be loaded. The code is set as soon as it is chosen.
bool OpenLanguageLibrary(const std::wstring& settingsFile, std::wstring& languageCode, win::Module& library);

// The registry subkey of a model's driver key.
std::wstring DriverKeyPath(const std::wstring& modelName);

// The one user option: whether start-up keeps quiet about a printer it cannot read (the stored value is 1).
bool NoDisplayStartupError(const std::wstring& settingsFile);
// Stores it into an existing settings file; false when there is none or the write fails.
bool WriteNoDisplayStartupError(const std::wstring& settingsFile, bool on);
