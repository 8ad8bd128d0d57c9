// USB printer-class transfers: SetupAPI enumeration, one overlapped handle per port, cancel-and-wait
// time-outs.
#include "lxportio/usb_printer_win.h"

#include "lxportio/transfer_limits.h"
#include "win/handles.h"

#include <setupapi.h>
#include <winioctl.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

namespace usbprint {
namespace {

// IOCTL_USBPRINT_GET_1284_ID: CTL_CODE(FILE_DEVICE_UNKNOWN, 13, METHOD_BUFFERED, FILE_ANY_ACCESS).
constexpr DWORD kGet1284Id = CTL_CODE(FILE_DEVICE_UNKNOWN, 13, METHOD_BUFFERED, FILE_ANY_ACCESS);
constexpr size_t kLongestPortName = 259;

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string LowerAscii(std::string text) {
    for (char& c : text)
        c = Lower(c);
    return text;
}

// A name the port monitor could have made: "USB" and printable ASCII, at most 259 characters.
bool SoundPortName(const char* name, std::string& key) {
    if (!name)
        return false;
    const size_t length = strnlen(name, kLongestPortName + 1);
    if (length < 4 || length > kLongestPortName || LowerAscii(std::string(name, 3)) != "usb")
        return false;
    for (size_t i = 0; i < length; ++i)
        if (name[i] <= ' ' || name[i] > '~')
            return false;
    key = LowerAscii(std::string(name, length));
    return true;
}

// "Base Name" (a string) and "Port Number" (a DWORD) of an interface, as the port name they make.
bool PortNameOf(HKEY parameters, std::string& port) {
    wchar_t base[32] = {};
    DWORD type = 0, size = sizeof base - sizeof(wchar_t);
    if (::RegQueryValueExW(parameters, L"Base Name", nullptr, &type, reinterpret_cast<BYTE*>(base), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ || size < 2 * sizeof(wchar_t))
        return false;
    DWORD number = 0;
    size = sizeof number;
    if (::RegQueryValueExW(parameters, L"Port Number", nullptr, &type, reinterpret_cast<BYTE*>(&number),
                           &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof number || number > 999)
        return false;
    std::string name;
    for (const wchar_t* c = base; *c; ++c) {
        if (*c <= L' ' || *c > L'~')
            return false;
        name += static_cast<char>(*c);
    }
    char digits[8];
    std::snprintf(digits, sizeof digits, "%03lu", static_cast<unsigned long>(number));
    port = name + digits;
    return true;
}

// One port's device: its path, its handle once opened, and the lock that keeps its calls apart.
struct Device {
    std::mutex io;
    std::wstring path;
    win::FileHandle handle;
};

class Devices {
public:
    // The device of a port; the map is built again when the name is not in it or `refresh` is set.
    std::shared_ptr<Device> Find(const std::string& key, bool refresh) {
        std::lock_guard<std::mutex> lock(mutex_);
        if (refresh || stale_ || devices_.find(key) == devices_.end())
            Rebuild();
        const auto it = devices_.find(key);
        return it == devices_.end() ? nullptr : it->second;
    }

    // A handle failed: the device may have gone, or come back behind another name.
    void MarkStale() {
        std::lock_guard<std::mutex> lock(mutex_);
        stale_ = true;
    }

private:
    void Rebuild() {
        stale_ = false;
        std::map<std::string, std::shared_ptr<Device>> fresh;
        for (const Interface& found : EnumerateInterfaces()) {
            const std::string key = LowerAscii(found.port);
            if (fresh.count(key))
                continue; // two interfaces claim one port: the first stands
            // A device whose path is unchanged keeps its object (and its open handle, and a call under way).
            const auto old = devices_.find(key);
            if (old != devices_.end() && old->second->path == found.path) {
                fresh[key] = old->second;
                continue;
            }
            auto device = std::make_shared<Device>();
            device->path = found.path;
            fresh[key] = device;
        }
        devices_.swap(fresh);
    }

    std::mutex mutex_;
    std::map<std::string, std::shared_ptr<Device>> devices_;
    bool stale_ = false;
};

Devices& TheDevices() {
    static Devices devices;
    return devices;
}

bool Open(Device& device) {
    if (!device.handle)
        device.handle.reset(::CreateFileW(device.path.c_str(), GENERIC_READ | GENERIC_WRITE,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                          FILE_FLAG_OVERLAPPED, nullptr));
    return static_cast<bool>(device.handle);
}

// Runs one overlapped request on the device's handle and waits for it at most `timeoutMs`; a request still
// under way then is cancelled and waited for, so nothing lands in the caller's buffer after the return.
// False when the request failed outright (the handle is then of no more use).
bool Request(HANDLE handle, const std::function<BOOL(OVERLAPPED*)>& start, DWORD timeoutMs, DWORD& moved) {
    moved = 0;
    OVERLAPPED overlapped{};
    const win::Handle event(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!event)
        return true; // nothing was started; the device is not at fault
    overlapped.hEvent = event.get();
    if (!start(&overlapped) && ::GetLastError() != ERROR_IO_PENDING)
        return false;
    if (::WaitForSingleObject(event.get(), CappedTimeoutMs(timeoutMs)) != WAIT_OBJECT_0)
        ::CancelIoEx(handle, &overlapped);
    // Waits for the request to end, cancelled or not: the count is what really moved.
    if (::GetOverlappedResult(handle, &overlapped, &moved, TRUE))
        return true;
    const DWORD error = ::GetLastError();
    return error == ERROR_OPERATION_ABORTED || error == ERROR_TIMEOUT || error == ERROR_SEM_TIMEOUT ||
           error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_FUNCTION ||
           error == ERROR_INVALID_PARAMETER;
}

// A request whose answer lands in a buffer of the call's own of exactly `count` bytes, then in `out`: a
// device that answers with more can never write beyond it, and a cancelled request nothing into the caller's
// buffer.
bool RequestInto(HANDLE handle, BYTE* out, DWORD count, DWORD timeoutMs,
                 const std::function<BOOL(BYTE* into, OVERLAPPED*)>& start, DWORD& moved) {
    moved = 0;
    std::vector<BYTE> staging(count);
    DWORD done = 0;
    if (!Request(
            handle, [&](OVERLAPPED* overlapped) { return start(staging.data(), overlapped); }, timeoutMs,
            done) ||
        done > count)
        return false;
    if (done != 0)
        std::memcpy(out, staging.data(), done);
    moved = done;
    return true;
}

// The port's device locked and open, or null; a device that cannot be opened is looked for again once.
std::shared_ptr<Device> OpenDevice(const std::string& key, std::unique_lock<std::mutex>& lock) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::shared_ptr<Device> device = TheDevices().Find(key, attempt > 0);
        if (!device)
            return nullptr;
        lock = std::unique_lock<std::mutex>(device->io);
        if (Open(*device))
            return device;
        lock.unlock();
    }
    return nullptr;
}

} // namespace

std::vector<Interface> EnumerateInterfaces() {
    std::vector<Interface> found;
    DeviceInfoList set(
        ::SetupDiGetClassDevsW(&kUsbPrintInterface, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE));
    if (!set)
        return found;
    SP_DEVICE_INTERFACE_DATA data{};
    data.cbSize = sizeof data;
    for (DWORD i = 0; ::SetupDiEnumDeviceInterfaces(set.get(), nullptr, &kUsbPrintInterface, i, &data); ++i) {
        const HKEY key = ::SetupDiOpenDeviceInterfaceRegKey(set.get(), &data, 0, KEY_READ);
        const win::RegKey parameters(key == INVALID_HANDLE_VALUE ? nullptr : key);
        Interface entry;
        if (!parameters.get() || !PortNameOf(parameters.get(), entry.port))
            continue;
        DWORD size = 0;
        ::SetupDiGetDeviceInterfaceDetailW(set.get(), &data, nullptr, 0, &size, nullptr);
        if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W) || size > 64 * 1024)
            continue;
        std::vector<BYTE> buffer(size);
        auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_W*>(buffer.data());
        detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_W);
        if (!::SetupDiGetDeviceInterfaceDetailW(set.get(), &data, detail, size, nullptr, nullptr))
            continue;
        entry.path = detail->DevicePath;
        found.push_back(std::move(entry));
    }
    return found;
}

bool TransferOn(HANDLE handle, bool write, BYTE* bytes, DWORD count, DWORD timeoutMs, DWORD& moved) {
    moved = 0;
    if (!write)
        return RequestInto(
            handle, bytes, count, timeoutMs,
            [&](BYTE* into, OVERLAPPED* overlapped) {
                return ::ReadFile(handle, into, count, nullptr, overlapped);
            },
            moved);
    DWORD done = 0;
    if (!Request(
            handle,
            [&](OVERLAPPED* overlapped) { return ::WriteFile(handle, bytes, count, nullptr, overlapped); },
            timeoutMs, done) ||
        done > count)
        return false;
    moved = done;
    return true;
}

BOOL Transfer(bool write, const char* portName, BYTE* bytes, DWORD count, DWORD* moved, DWORD timeoutMs) {
    if (moved)
        *moved = 0;
    std::string key;
    if (!moved || (count != 0 && !bytes) || !SoundPortName(portName, key))
        return FALSE;
    std::unique_lock<std::mutex> lock;
    const std::shared_ptr<Device> device = OpenDevice(key, lock);
    if (!device)
        return FALSE;
    DWORD done = 0;
    if (!TransferOn(device->handle.get(), write, bytes, count, timeoutMs, done)) {
        // Unplugged, or gone to another socket: the next call opens whatever is behind the name then.
        device->handle.reset();
        lock.unlock();
        TheDevices().MarkStale();
        return FALSE;
    }
    *moved = done;
    return done != 0 || count == 0 ? TRUE : FALSE;
}

BOOL DeviceId(const char* portName, BYTE* buffer, DWORD count, DWORD* moved, DWORD timeoutMs) {
    if (moved)
        *moved = 0;
    std::string key;
    if (!moved || !buffer || count == 0 || !SoundPortName(portName, key)) {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::unique_lock<std::mutex> lock;
    const std::shared_ptr<Device> device = OpenDevice(key, lock);
    if (!device) {
        ::SetLastError(ERROR_DEVICE_NOT_CONNECTED);
        return FALSE;
    }
    const HANDLE handle = device->handle.get();
    DWORD done = 0;
    // A device that does not answer the request is there all the same.
    if (RequestInto(
            handle, buffer, count, timeoutMs,
            [&](BYTE* into, OVERLAPPED* overlapped) {
                return ::DeviceIoControl(handle, kGet1284Id, nullptr, 0, into, count, nullptr, overlapped);
            },
            done))
        *moved = done;
    return TRUE;
}

} // namespace usbprint
