// A lock that every program of the machine sees by name: held by one thread at a time, released by that
// thread.
#pragma once

#include "win/handles.h"

#include <string>

namespace win {

class NamedLock {
public:
    // Waits up to `timeoutMs` for the lock called "lxdevset.<kind>.<key>" (the key folded to lower case, made
    // safe for an object name). A lock left by a program that ended without releasing it is taken over.
    NamedLock(const std::wstring& kind, const std::wstring& key, DWORD timeoutMs);
    ~NamedLock();
    NamedLock(const NamedLock&) = delete;
    NamedLock& operator=(const NamedLock&) = delete;

    bool Held() const { return held_; }
    // The object name, for whoever wants to hold the same lock (the tests).
    static std::wstring NameOf(const std::wstring& kind, const std::wstring& key);

private:
    Handle mutex_;
    bool held_ = false;
};

} // namespace win
