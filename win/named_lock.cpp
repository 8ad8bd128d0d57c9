// Named mutexes in the machine-wide namespace, open to every account that runs the programs.
#include "win/named_lock.h"

#include <sddl.h>

#include <cwchar>
#include <cwctype>

namespace win {

std::wstring NamedLock::NameOf(const std::wstring& kind, const std::wstring& key) {
    std::wstring folded;
    for (wchar_t c : key)
        folded += c == L'\\' ? L'/' : static_cast<wchar_t>(std::towlower(c));
    // Object names are short: a long key (a path) is named by its FNV-1a hash instead.
    if (folded.size() > 64) {
        unsigned long long hash = 14695981039346656037ULL;
        for (wchar_t c : folded)
            hash = (hash ^ static_cast<unsigned long long>(c)) * 1099511628211ULL;
        wchar_t text[17];
        std::swprintf(text, 17, L"%016llx", hash);
        folded = text;
    }
    return L"Global\\lxdevset." + kind + L"." + folded;
}

NamedLock::NamedLock(const std::wstring& kind, const std::wstring& key, DWORD timeoutMs) {
    // An elevated program and a plain one of the same user must meet on one object: everyone may wait on
    // it and release it.
    SECURITY_ATTRIBUTES attributes{sizeof attributes, nullptr, FALSE};
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (::ConvertStringSecurityDescriptorToSecurityDescriptorW(L"D:(A;;0x00100001;;;WD)", SDDL_REVISION_1,
                                                               &descriptor, nullptr))
        attributes.lpSecurityDescriptor = descriptor;
    mutex_.reset(
        ::CreateMutexExW(&attributes, NameOf(kind, key).c_str(), 0, SYNCHRONIZE | MUTEX_MODIFY_STATE));
    if (descriptor)
        ::LocalFree(descriptor);
    if (!mutex_)
        return;
    const DWORD waited = ::WaitForSingleObject(mutex_.get(), timeoutMs);
    held_ = waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED;
}

NamedLock::~NamedLock() {
    if (held_)
        ::ReleaseMutex(mutex_.get());
}

} // namespace win
