// The current resource module (the loaded language library, else the program) and string loading from it.
#pragma once

#include <windows.h>

#include <string>

namespace win {

HINSTANCE ResourceModule();
void SetResourceModule(HINSTANCE module);

// The text of a string resource of a module; empty when it has none.
std::wstring LoadModuleString(HINSTANCE module, UINT id);
// The same from the current resource module.
std::wstring LoadResourceString(UINT id);

} // namespace win
