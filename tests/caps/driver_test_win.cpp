// An ordinary program's DeviceCapabilitiesW on an installed printer reaches the capability library's tables.
#include "caps/records.h"
#include "tests/support/record_builder.h"
#include "caps/tools/driver_install_win.h"
#include "tests/support/wine_env_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

constexpr wchar_t kPrinter[] = L"LX Caps Test";
constexpr wchar_t kPort[] = L"LPT1:";
constexpr std::size_t kCount = 8; // media in tests/caps/data/caps-test.lmx

// The shipped stand-ins installed for a printer, then the test media table over the shipped one.
bool InstallTestPrinter() {
    const DWORD error = lxdrv::InstallPrinter(caps_test::DistFile(L"."), kPrinter, kPort);
    if (error != ERROR_SUCCESS) {
        ::SetLastError(error);
        return false;
    }
    return caps_test::InstallMedia(caps_test::SourceFile(L"tests\\caps\\data\\caps-test.lmx"));
}

// The driver's default DEVMODE, as a program gets it.
std::vector<BYTE> DefaultDevmode() {
    win::PrinterHandle printer;
    if (!::OpenPrinterW(const_cast<wchar_t*>(kPrinter), printer.put(), nullptr))
        return {};
    LONG size =
        ::DocumentPropertiesW(nullptr, printer.get(), const_cast<wchar_t*>(kPrinter), nullptr, nullptr, 0);
    if (size <= 0)
        return {};
    std::vector<BYTE> dm(static_cast<std::size_t>(size));
    if (::DocumentPropertiesW(nullptr, printer.get(), const_cast<wchar_t*>(kPrinter),
                              reinterpret_cast<DEVMODEW*>(dm.data()), nullptr, DM_OUT_BUFFER) != IDOK)
        return {};
    return dm;
}

int Ask(WORD code, void* out, const std::vector<BYTE>& dm) {
    return ::DeviceCapabilitiesW(kPrinter, kPort, code, static_cast<LPWSTR>(out),
                                 dm.empty() ? nullptr : reinterpret_cast<const DEVMODEW*>(dm.data()));
}

TEST(Driver, DeviceCapabilitiesOnTheInstalledPrinterAnswersFromTheTables) {
    ASSERT_TRUE(InstallTestPrinter()) << ::GetLastError();
    std::vector<BYTE> dm = DefaultDevmode();
    ASSERT_GE(dm.size(), sizeof(DEVMODEW) + 26);
    auto* w = reinterpret_cast<DEVMODEW*>(dm.data());
    EXPECT_EQ(w->dmYResolution, 180);

    caps_test::CapsLibrary direct;
    ASSERT_TRUE(direct);
    EXPECT_EQ(Ask(caps::capability::kDeviceCode, nullptr, dm), 0x1234);
    EXPECT_EQ(Ask(caps::capability::kDeviceCode, nullptr, {}), 0x1234);
    EXPECT_EQ(Ask(caps::capability::kSignature, nullptr, {}), 0x72919273);
    EXPECT_EQ(Ask(caps::capability::kMedia, nullptr, {}), -1);
    EXPECT_EQ(Ask(caps::capability::kFixed276, nullptr, dm), 4);
    EXPECT_EQ(Ask(caps::capability::kMedia, nullptr, dm), static_cast<int>(kCount));

    // The same bytes as the library gives the driver directly, for plain and for doubled, reversed settings.
    for (bool changed : {false, true}) {
        if (changed) {
            w->dmYResolution = 360;
            caps::StoreU32(dm.data() + w->dmSize + caps::devmode::kPrivateFlags, caps::devmode::kReversed);
        }
        auto ansi = caps_test::Devmode(180, changed ? 360 : 180, changed);
        std::vector<BYTE> viaDriver(kCount * sizeof(caps::MediaDescriptor), 0xCC);
        std::vector<BYTE> want(viaDriver.size(), 0xCC);
        EXPECT_EQ(Ask(caps::capability::kMedia, viaDriver.data(), dm), static_cast<int>(kCount));
        direct(caps::capability::kMedia, want.data(), ansi.data());
        EXPECT_EQ(viaDriver, want) << changed;

        std::vector<BYTE> edges(kCount * sizeof(caps::EdgeOffsets)), wantEdges(edges.size());
        EXPECT_EQ(Ask(caps::capability::kEdgeOffsets, edges.data(), dm), static_cast<int>(kCount));
        direct(caps::capability::kEdgeOffsets, wantEdges.data(), ansi.data());
        EXPECT_EQ(edges, wantEdges) << changed;

        caps::MarginPresetRecord presets[2];
        EXPECT_EQ(Ask(caps::capability::kMarginPresets, presets, dm), 2);
        EXPECT_EQ(presets[0].dots, changed ? 20 : 10);
    }
}

} // namespace
