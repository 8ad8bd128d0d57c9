// RAII owners for Win32 handles: one template, one closer per handle kind; non-copyable, movable.
#pragma once

#include <windows.h>
#include <winspool.h>

#include <utility>

namespace win {

template <typename T, typename Traits> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(T h) : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o)
            reset(o.release());
        return *this;
    }

    T get() const { return h_; }
    explicit operator bool() const { return Traits::valid(h_); }
    T release() { return std::exchange(h_, Traits::invalid()); }
    void reset(T h = Traits::invalid()) {
        if (Traits::valid(h_))
            Traits::close(h_);
        h_ = h;
    }
    // For APIs that hand back a handle through an out-parameter.
    T* put() {
        reset();
        return &h_;
    }

private:
    T h_ = Traits::invalid();
};

struct KernelTraits {
    static HANDLE invalid() { return nullptr; }
    static bool valid(HANDLE h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void close(HANDLE h) { ::CloseHandle(h); }
};
struct FileTraits : KernelTraits {
    static HANDLE invalid() { return INVALID_HANDLE_VALUE; }
};
struct FindTraits : FileTraits {
    static void close(HANDLE h) { ::FindClose(h); }
};
struct ModuleTraits {
    static HMODULE invalid() { return nullptr; }
    static bool valid(HMODULE h) { return h != nullptr; }
    static void close(HMODULE h) { ::FreeLibrary(h); }
};
struct KeyTraits {
    static HKEY invalid() { return nullptr; }
    static bool valid(HKEY h) { return h != nullptr; }
    static void close(HKEY h) { ::RegCloseKey(h); }
};
struct PrinterTraits {
    static HANDLE invalid() { return nullptr; }
    static bool valid(HANDLE h) { return h != nullptr; }
    static void close(HANDLE h) { ::ClosePrinter(h); }
};
struct GlobalTraits {
    static HGLOBAL invalid() { return nullptr; }
    static bool valid(HGLOBAL h) { return h != nullptr; }
    static void close(HGLOBAL h) { ::GlobalFree(h); }
};
struct SidTraits {
    static PSID invalid() { return nullptr; }
    static bool valid(PSID h) { return h != nullptr; }
    static void close(PSID h) { ::FreeSid(h); }
};

using Handle = UniqueHandle<HANDLE, KernelTraits>;         // events, mutexes, threads, processes
using FileHandle = UniqueHandle<HANDLE, FileTraits>;       // CreateFileW
using FindHandle = UniqueHandle<HANDLE, FindTraits>;       // FindFirstFileW
using Module = UniqueHandle<HMODULE, ModuleTraits>;        // LoadLibraryW
using RegKey = UniqueHandle<HKEY, KeyTraits>;              // RegOpenKeyExW
using PrinterHandle = UniqueHandle<HANDLE, PrinterTraits>; // OpenPrinterW
using GlobalMem = UniqueHandle<HGLOBAL, GlobalTraits>;     // GlobalAlloc
using Sid = UniqueHandle<PSID, SidTraits>;                 // AllocateAndInitializeSid

} // namespace win
