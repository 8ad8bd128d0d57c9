// The current resource module (the loaded language library, else the program) and string loading from it.
#pragma once

#include <windows.h>

#include <string>

namespace win {

HINSTANCE ResourceModule();
void SetResourceModule(HINSTANCE module);

// The module to take a resource from: the current resource module when it has it, else the program itself,
// whose own resources hold the English copies.
HINSTANCE ModuleWithResource(LPCWSTR name, LPCWSTR type);

// The text of a string resource of a module; empty when it has none.
std::wstring LoadModuleString(HINSTANCE module, UINT id);
// The same from the current resource module.
std::wstring LoadResourceString(UINT id);

} // namespace win
