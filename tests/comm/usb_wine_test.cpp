// The USB printer-class transport under Wine: interfaces registered through SetupAPI, devices that a bridge
// holds behind their paths (forwarding to the simulator), and a pipe of the test's own for what a terminal
// cannot show.
#include "lxportio/usb_printer_win.h"
#include "tests/support/usb_devices_win.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <thread>

namespace {

const BYTE kStatusRequest[] = {0x1B, 0x40, 0x1B, 0x69, 0x53};

// The bridge's control folder as Wine sees it through drive Z:.
std::string BridgeFolder() {
    std::string path = std::string("Z:") + LX_USB_BRIDGE_DIR;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// Asks the bridge to take a device away for `ms` and returns once it is gone; Back() once it is there again.
bool Exists(const std::string& path) {
    return ::GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Unplug(const std::string& instance, int ms) {
    const std::string order = BridgeFolder() + "\\" + instance + ".unplug";
    const std::string text = std::to_string(ms);
    HANDLE file = ::CreateFileA(order.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    const bool ordered = file != INVALID_HANDLE_VALUE &&
                         ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    if (file != INVALID_HANDLE_VALUE)
        ::CloseHandle(file);
    if (!ordered)
        return false;
    for (int i = 0; i < 500 && Exists(order); ++i)
        ::Sleep(20);
    return !Exists(order);
}

bool Back(const std::string& instance) {
    const std::string away = BridgeFolder() + "\\" + instance + ".away";
    for (int i = 0; i < 500 && Exists(away); ++i)
        ::Sleep(20);
    return !Exists(away);
}

bool Listed(const std::string& port, std::wstring* path = nullptr) {
    for (const usbprint::Interface& found : usbprint::EnumerateInterfaces())
        if (found.port == port) {
            if (path)
                *path = found.path;
            return true;
        }
    return false;
}

// A status request and its 32-byte answer through the transport; true when the printer answered as one.
bool StatusExchange(const char* port) {
    DWORD moved = 0;
    BYTE request[sizeof kStatusRequest];
    std::memcpy(request, kStatusRequest, sizeof request);
    if (!usbprint::Transfer(true, port, request, sizeof request, &moved, 500) || moved != sizeof request)
        return false;
    BYTE status[32] = {};
    DWORD got = 0;
    for (int attempt = 0; attempt < 10 && got < 32; ++attempt) {
        DWORD n = 0;
        if (usbprint::Transfer(false, port, status + got, 32 - got, &n, 500))
            got += n;
    }
    return got == 32 && status[3] == 104 && status[4] == 48;
}

class UsbTransport : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(usbdev::RegisterBridged(BridgeFolder())) << "no bridge at " << BridgeFolder();
    }
};

} // namespace

TEST_F(UsbTransport, PortNamesComeFromEachPresentInterfacesSoundValues) {
    // Another base name than USB keeps these apart from the bridged printers' ports.
    ASSERT_TRUE(usbdev::Register(L"0901", L"LXT001", L"LXT", 1));
    ASSERT_TRUE(usbdev::Register(L"0902", L"LXT002", L"LXT", 2));
    ASSERT_TRUE(usbdev::Register(L"0912", L"LXT012", L"LXT", 12));
    ASSERT_TRUE(usbdev::Register(L"0913", L"LXT013", L"LXT", 13, false));
    ASSERT_TRUE(usbdev::Register(L"0914", L"LXT014", L"LXT", 14, true, usbdev::Values::kNumberAsText));
    std::wstring path;
    EXPECT_TRUE(Listed("LXT001", &path));
    EXPECT_EQ(path, L"\\\\?\\root#lxtest#0901#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}\\lxt001");
    EXPECT_TRUE(Listed("LXT002"));
    EXPECT_TRUE(Listed("LXT012"));
    EXPECT_FALSE(Listed("LXT013")); // not active
    EXPECT_FALSE(Listed("LXT014")); // its number is text
    // Taken out again: none of them is there.
    for (const wchar_t* instance : {L"0901", L"0902", L"0912", L"0914"})
        usbdev::Register(instance, L"LXT0" + std::wstring(instance + 2), L"LXT", 1, false);
    for (const char* port : {"LXT001", "LXT002", "LXT012", "LXT014"})
        EXPECT_FALSE(Listed(port)) << port;
}

TEST_F(UsbTransport, ExchangesBadNamesAndTheHandlesItLeaves) {
    EXPECT_TRUE(StatusExchange("USB051"));
    EXPECT_TRUE(StatusExchange("usb051")); // letter case ignored
    const std::string longName = "USB" + std::string(300, '1');
    BYTE buffer[8] = {};
    DWORD moved = 7;
    for (const char* name : {"", "LPT1:", "USB", "USB\xE9\xE9", longName.c_str(), "USB999"}) {
        const DWORD start = ::GetTickCount();
        EXPECT_FALSE(usbprint::Transfer(true, name, buffer, sizeof buffer, &moved, 500)) << name;
        EXPECT_EQ(moved, 0u);
        EXPECT_LT(::GetTickCount() - start, 300u) << name;
    }
    // Ten thousand calls, on a device and on a name with none behind it (each of which looks for the devices
    // again), leave the handle count as it was.
    DWORD before = 0, after = 0;
    ::GetProcessHandleCount(::GetCurrentProcess(), &before);
    for (int i = 0; i < 10000; ++i)
        usbprint::Transfer(false, i % 20 ? "USB050" : "USB998", buffer, sizeof buffer, &moved, 0);
    ::GetProcessHandleCount(::GetCurrentProcess(), &after);
    EXPECT_LE(after, before + 1); // the silent device's handle, opened once
}

TEST_F(UsbTransport, SilentUnpluggedAndRenumberedDevices) {
    // A device that never answers: the read ends with its time-out, and nothing reaches the buffer later.
    BYTE buffer[32];
    std::memset(buffer, 0xAA, sizeof buffer);
    DWORD moved = 0;
    BYTE request[sizeof kStatusRequest];
    std::memcpy(request, kStatusRequest, sizeof request);
    usbprint::Transfer(true, "USB050", request, sizeof request, &moved, 500);
    DWORD start = ::GetTickCount();
    EXPECT_FALSE(usbprint::Transfer(false, "USB050", buffer, sizeof buffer, &moved, 300));
    EXPECT_GE(::GetTickCount() - start, 250u);
    EXPECT_LT(::GetTickCount() - start, 2000u);
    EXPECT_EQ(moved, 0u);
    ::Sleep(300);
    EXPECT_EQ(std::count(buffer, buffer + sizeof buffer, 0xAA), 32);

    // Unplugged for a second: a failure, never a hang; then, plugged in again, the next calls succeed.
    ASSERT_TRUE(StatusExchange("USB053"));
    ASSERT_TRUE(Unplug("0053", 1500));
    start = ::GetTickCount();
    EXPECT_FALSE(StatusExchange("USB053"));
    EXPECT_LT(::GetTickCount() - start, 15000u);
    ASSERT_TRUE(Back("0053"));
    EXPECT_TRUE(StatusExchange("USB053"));

    // Plugged into another socket between two calls, so its port is renumbered: the old name has no device
    // any more, the new one finds it.
    ASSERT_TRUE(StatusExchange("USB051"));
    ASSERT_TRUE(Unplug("0051", 500));
    ASSERT_TRUE(usbdev::Register(L"0051", L"USB051", L"USB", 52));
    ASSERT_TRUE(Back("0051"));
    EXPECT_FALSE(StatusExchange("USB051"));
    EXPECT_TRUE(StatusExchange("USB052"));
    ASSERT_TRUE(usbdev::Register(L"0051", L"USB051", L"USB", 51));
}

// A pipe of the test's own shows what a device handle does and a terminal cannot: a read returns what came.
TEST(UsbTransfer, AShortReadReportsItsCountAndALateAnswerNeverLandsInTheBuffer) {
    const std::wstring name = L"\\\\.\\pipe\\lxusb-" + std::to_wstring(::GetCurrentProcessId());
    HANDLE server = ::CreateNamedPipeW(name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED,
                                       PIPE_TYPE_BYTE, 1, 4096, 4096, 0, nullptr);
    ASSERT_NE(server, INVALID_HANDLE_VALUE);
    HANDLE client =
        ::CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(client, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(client, "\x01\x02\x03\x04\x05", 5, &written, nullptr));
    BYTE buffer[32];
    std::memset(buffer, 0xAA, sizeof buffer);
    DWORD moved = 0;
    EXPECT_TRUE(usbprint::TransferOn(server, false, buffer, sizeof buffer, 500, moved));
    EXPECT_EQ(moved, 5u);
    EXPECT_EQ(buffer[4], 5);
    EXPECT_EQ(buffer[5], 0xAA);
    // Nothing comes within the time-out: nothing moved; what comes afterwards stays for the next read.
    std::memset(buffer, 0xAA, sizeof buffer);
    EXPECT_TRUE(usbprint::TransferOn(server, false, buffer, sizeof buffer, 200, moved));
    EXPECT_EQ(moved, 0u);
    ASSERT_TRUE(::WriteFile(client, "\x07", 1, &written, nullptr));
    ::Sleep(100);
    EXPECT_EQ(buffer[0], 0xAA);
    EXPECT_TRUE(usbprint::TransferOn(server, false, buffer, sizeof buffer, 500, moved));
    EXPECT_EQ(moved, 1u);
    EXPECT_EQ(buffer[0], 7);
    ::CloseHandle(client);
    ::CloseHandle(server);
}
