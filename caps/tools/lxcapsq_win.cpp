// Console probe: loads the capability library as the driver does and prints every answer as a table.
#include "caps/media_library_win.h"
#include "caps/records.h"
#include "caps/tools/driver_install_win.h"
#include "win/handles.h"

#include <winspool.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

struct Options {
    int xDpi = 180;
    int yDpi = 180;
    bool reversed = false;
    std::wstring library;
    std::wstring printer;        // ask through the spooler's DeviceCapabilitiesW instead
    std::wstring installPrinter; // install the stand-in driver and this printer first
};

void Usage() {
    std::printf(
        "usage: lxcapsq [--x-dpi N] [--y-dpi N] [--reversed] [--library PATH]\n"
        "  Loads the capability library (default: beside this program) and prints its answers for a\n"
        "  DEVMODE with the given print quality (X) and Y resolution; --reversed sets the reversed feed.\n");
}

bool ParseOptions(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        bool hasValue = i + 1 < argc;
        if (a == "--x-dpi" && hasValue)
            o.xDpi = std::atoi(argv[++i]);
        else if (a == "--y-dpi" && hasValue)
            o.yDpi = std::atoi(argv[++i]);
        else if (a == "--reversed")
            o.reversed = true;
        else if (a == "--library" && hasValue) {
            std::string path = argv[++i];
            o.library.assign(path.begin(), path.end());
        } else if ((a == "--printer" || a == "--install-printer") && hasValue) {
            std::string name = argv[++i];
            wchar_t wide[256] = {};
            ::MultiByteToWideChar(CP_ACP, 0, name.c_str(), -1, wide, 256);
            (a == "--printer" ? o.printer : o.installPrinter) = wide;
        } else
            return false;
    }
    return true;
}

std::wstring ProgramFolder() {
    wchar_t self[MAX_PATH] = {};
    DWORD n = ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring path(self, n);
    path.erase(path.find_last_of(L"\\/"));
    return path;
}

// The printer's own DEVMODE (the driver's default) with the chosen resolutions and feed.
std::vector<std::uint8_t> PrinterDevmode(const Options& o) {
    win::PrinterHandle printer;
    wchar_t* name = const_cast<wchar_t*>(o.printer.c_str());
    if (!::OpenPrinterW(name, printer.put(), nullptr))
        return {};
    LONG size = ::DocumentPropertiesW(nullptr, printer.get(), name, nullptr, nullptr, 0);
    if (size < static_cast<LONG>(sizeof(DEVMODEW)))
        return {};
    std::vector<std::uint8_t> dm(static_cast<std::size_t>(size));
    auto* w = reinterpret_cast<DEVMODEW*>(dm.data());
    if (::DocumentPropertiesW(nullptr, printer.get(), name, w, nullptr, DM_OUT_BUFFER) != IDOK)
        return {};
    w->dmPrintQuality = static_cast<short>(o.xDpi);
    w->dmYResolution = static_cast<short>(o.yDpi);
    if (w->dmDriverExtra >= caps::devmode::kPrivateFlags + 4)
        caps::StoreU32(dm.data() + w->dmSize + caps::devmode::kPrivateFlags,
                       o.reversed ? caps::devmode::kReversed : 0);
    return dm;
}

// The ANSI DEVMODE the driver would pass, with the driver's private part behind it.
std::vector<std::uint8_t> MakeDevmode(const Options& o) {
    std::vector<std::uint8_t> dm(sizeof(DEVMODEA) + 32, 0);
    auto* a = reinterpret_cast<DEVMODEA*>(dm.data());
    a->dmSpecVersion = DM_SPECVERSION;
    a->dmSize = sizeof(DEVMODEA);
    a->dmDriverExtra = 32;
    a->dmFields = DM_PRINTQUALITY | DM_YRESOLUTION;
    a->dmPrintQuality = static_cast<short>(o.xDpi);
    a->dmYResolution = static_cast<short>(o.yDpi);
    caps::StoreU32(dm.data() + sizeof(DEVMODEA) + caps::devmode::kPrivateFlags,
                   o.reversed ? caps::devmode::kReversed : 0);
    return dm;
}

void FlagNames(std::uint32_t flags, char* out, std::size_t size) {
    namespace f = caps::entry_flag;
    std::snprintf(out, size, "0x%05X%s%s%s%s%s", static_cast<unsigned>(flags),
                  flags & f::kLabel ? " label" : "", flags & f::kTube ? " tube" : "",
                  flags & f::kKind17 ? " kind17" : "", flags & f::kKind18 ? " kind18" : "",
                  flags & f::kReported ? " reported" : "");
}

std::string Mm(std::int16_t tenths) {
    char text[16];
    std::snprintf(text, sizeof text, "%d.%d", tenths / 10, std::abs(tenths % 10));
    return text;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!ParseOptions(argc, argv, o)) {
        Usage();
        return 2;
    }
    if (!o.installPrinter.empty()) {
        DWORD error = lxdrv::InstallPrinter(ProgramFolder(), o.installPrinter.c_str(), L"LPT1:");
        std::printf("install printer %ls: %s (error %lu)\n", o.installPrinter.c_str(),
                    error ? "failed" : "done", error);
        return error ? 1 : 0;
    }

    // Either the library as the driver loads it, or the printer as a program asks it.
    win::Module module;
    std::vector<std::uint8_t> dm;
    std::function<DWORD(DWORD, void*, bool)> query;
    std::wstring source;
    if (o.printer.empty()) {
        if (o.library.empty())
            o.library = ProgramFolder() + L"\\" + caps::kCapsLibraryFile;
        module.reset(::LoadLibraryW(o.library.c_str()));
        if (!module) {
            std::printf(
                "cannot load %ls: error %lu (a failed start-up: is the media-table library in the driver "
                "directory's 3 folder?)\n",
                o.library.c_str(), ::GetLastError());
            return 1;
        }
        auto proc = reinterpret_cast<caps::DeviceCapabilitiesProc>(
            reinterpret_cast<void*>(::GetProcAddress(module.get(), caps::kCapsExport)));
        if (proc == nullptr) {
            std::printf("%ls does not export %s\n", o.library.c_str(), caps::kCapsExport);
            return 1;
        }
        dm = MakeDevmode(o);
        query = [proc, &dm](DWORD code, void* out, bool withDevmode) {
            return proc(nullptr, nullptr, code, out, withDevmode ? dm.data() : nullptr);
        };
        source = L"library " + o.library;
    } else {
        dm = PrinterDevmode(o);
        if (dm.empty()) {
            std::printf("no DEVMODE for printer %ls: error %lu\n", o.printer.c_str(), ::GetLastError());
            return 1;
        }
        query = [&o, &dm](DWORD code, void* out, bool withDevmode) {
            return static_cast<DWORD>(::DeviceCapabilitiesW(
                o.printer.c_str(), nullptr, static_cast<WORD>(code), static_cast<LPWSTR>(out),
                withDevmode ? reinterpret_cast<const DEVMODEW*>(dm.data()) : nullptr));
        };
        source = L"printer " + o.printer + L" (DeviceCapabilitiesW)";
    }
    auto ask = [&](DWORD code, void* out) { return query(code, out, true); };
    namespace c = caps::capability;

    std::printf("Asking   %ls\nDEVMODE  print quality %d dpi, Y resolution %d dpi, reversed %s\n\n",
                source.c_str(), o.xDpi, o.yDpi, o.reversed ? "yes" : "no");

    std::printf("Fixed values\n");
    std::printf("  %3u device code   0x%04lX\n", c::kDeviceCode, query(c::kDeviceCode, nullptr, false));
    for (DWORD code : {c::kSignature, c::kFixed271, c::kFixed274, c::kFixed275, c::kFixed276, c::kFixed280})
        std::printf("  %3lu               0x%08lX (%lu)\n", code, ask(code, nullptr), ask(code, nullptr));

    const DWORD count = ask(c::kMedia, nullptr);
    if (count == c::kUnsupported) {
        std::printf("capability %u refused\n", c::kMedia);
        return 1;
    }
    std::vector<caps::MediaDescriptor> media(count);
    std::vector<caps::EdgeOffsets> edges(count);
    ask(c::kMedia, media.data());
    ask(c::kEdgeOffsets, edges.data());

    std::printf("\nMedia (%u): %lu entries; sizes as mm/dots, X across the print head unless swapped\n",
                c::kMedia, count);
    std::printf("  %-3s %5s %5s %3s  %-28s %-10s %13s %13s %9s %13s %13s  %s\n", "#", "id", "out", "var",
                "name", "name2", "size X", "size Y", "margin XY", "printable X", "printable Y", "flags");
    for (DWORD i = 0; i < count; ++i) {
        const caps::MediaDescriptor& m = media[i];
        char flags[64];
        FlagNames(m.flags, flags, sizeof flags);
        std::printf(
            "  %-3lu %5d %5d %3u  %-28.49s %-10.49s %7s/%-5d %7s/%-5d %4d/%-4d %7s/%-5d %7s/%-5d  %s\n", i,
            m.mediaId, m.outputId, m.variant, m.name, m.name2, Mm(m.sizeXTenths).c_str(), m.sizeX,
            Mm(m.sizeYTenths).c_str(), m.sizeY, m.marginX, m.marginY, Mm(m.printableXTenths).c_str(),
            m.printableX, Mm(m.printableYTenths).c_str(), m.printableY, flags);
    }

    std::printf("\nEdge offsets (%u), in dots\n  %-3s %5s %7s %6s %6s %6s %6s\n", c::kEdgeOffsets, "#", "id",
                "flags", "edge1", "edge2", "edge3", "edge4");
    for (DWORD i = 0; i < count; ++i) {
        const caps::EdgeOffsets& e = edges[i];
        std::printf("  %-3lu %5d  0x%04lX %6ld %6ld %6ld %6ld\n", i, media[i].mediaId,
                    static_cast<unsigned long>(e.flags), static_cast<long>(e.edge1),
                    static_cast<long>(e.edge2), static_cast<long>(e.edge3), static_cast<long>(e.edge4));
    }

    caps::MarginPresetRecord presets[2];
    DWORD presetCount = ask(c::kMarginPresets, presets);
    std::printf("\nMargin presets (%u): %lu\n  %-3s %3s %5s  %-10s %s\n", c::kMarginPresets, presetCount, "#",
                "mm", "dots", "metric", "inch");
    for (DWORD i = 0; i < presetCount && i < 2; ++i)
        std::printf("  %-3lu %3u %5d  %-10.49s %.49s\n", i, presets[i].millimetres, presets[i].dots,
                    presets[i].metricText, presets[i].inchText);
    return 0;
}
