// The current resource module and string loading; every resource of the program is taken through here.
#include "win/resources.h"

namespace win {
namespace {
HINSTANCE g_resourceModule = nullptr;
}

HINSTANCE ResourceModule() {
    return g_resourceModule ? g_resourceModule : ::GetModuleHandleW(nullptr);
}

void SetResourceModule(HINSTANCE module) {
    g_resourceModule = module;
}

HINSTANCE ModuleWithResource(LPCWSTR name, LPCWSTR type) {
    HINSTANCE current = ResourceModule();
    return ::FindResourceW(current, name, type) ? current : ::GetModuleHandleW(nullptr);
}

std::wstring LoadModuleString(HINSTANCE module, UINT id) {
    // With a zero buffer size LoadStringW hands back a pointer into the resource itself, so no length limit
    // applies.
    const wchar_t* text = nullptr;
    int length = ::LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr)
        return {};
    return std::wstring(text, static_cast<size_t>(length));
}

std::wstring LoadResourceString(UINT id) {
    return LoadModuleString(ResourceModule(), id);
}

} // namespace win
