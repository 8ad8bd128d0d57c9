// Timed program under Wine: attach with 1,000 media records; capability 257 beside memcpy.
#include "caps/records.h"
#include "tests/support/record_builder.h"
#include "tests/support/wine_env_win.h"
#include "bench/media_file_gen.h"
#include "stubs/lxmedia/lmx_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

double Now() {
    static const double perSecond = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / perSecond;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

bool WriteFile(const std::wstring& path, const std::string& text) {
    win::FileHandle f(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    DWORD written = 0;
    return f && ::WriteFile(f.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size();
}

} // namespace

int main(int argc, char** argv) {
    const int records = argc > 1 ? std::atoi(argv[1]) : 1000;
    const int loads = 50;
    const int rounds = 2000;
    const std::wstring data = caps_test::MediaFolder() + L"\\LXMEDIA.lmx";
    std::vector<double> attach;
    // The bench borrows the test prefix's driver folder and leaves the test media table behind.
    if (!caps_test::InstallMedia(caps_test::SourceFile(L"tests\\caps\\data\\caps-test.lmx")) ||
        !WriteFile(data, bench::MediaFile(records))) {
        std::printf("cannot prepare the driver folder\n");
        return 1;
    }

    {
        const std::string text = bench::MediaFile(records);
        std::vector<double> parse;
        for (int i = 0; i < loads; ++i) {
            lxmedia::MediaData d;
            lxmedia::ParseError e;
            double t0 = Now();
            lxmedia::ParseMediaFile(text, d, e);
            parse.push_back(Now() - t0);
        }
        std::printf("data file parse alone (%zu bytes): %.3f ms\n", text.size(), Median(parse) * 1e3);
    }
    {
        std::vector<double> conv;
        char out[64];
        for (int k = 0; k < 20; ++k) {
            double t0 = Now();
            for (int i = 0; i < 2 * records; ++i)
                ::WideCharToMultiByte(CP_ACP, 0, L"Bench medium 123", 16, out, sizeof out, nullptr, nullptr);
            conv.push_back(Now() - t0);
        }
        std::printf("%d name conversions: %.3f ms\n", 2 * records, Median(conv) * 1e3);
    }
    // The media stand-in on its own: load, open (read and parse the data file), close, unload.
    std::vector<double> media;
    for (int i = 0; i < loads; ++i) {
        double t0 = Now();
        win::Module lib(
            ::LoadLibraryW((caps_test::MediaFolder() + L"\\" + caps::kMediaLibraryFileW).c_str()));
        auto init = reinterpret_cast<caps::MediaLibraryInitialize>(
            reinterpret_cast<void*>(::GetProcAddress(lib.get(), caps::kMediaLibraryEntry)));
        caps::MediaLibraryInterface iface{};
        iface.size = sizeof iface;
        caps::MediaTableHandle table = nullptr;
        double t1 = Now();
        if (!init || !init(&iface) || !iface.OpenMediaTable(&table, caps::kMediaDataFile))
            return 1;
        double t2 = Now();
        iface.CloseMediaTable(table);
        lib.reset();
        double t3 = Now();
        media.push_back(t2 - t1);
        attach.push_back((t1 - t0) + (t3 - t2));
    }
    std::printf("media stand-in: open and parse %.3f ms; load and unload %.3f ms\n", Median(media) * 1e3,
                Median(attach) * 1e3);
    attach.clear();

    for (int i = 0; i < loads; ++i) {
        double t0 = Now();
        caps_test::CapsLibrary caps;
        double t1 = Now();
        if (!caps) {
            std::printf("load failed: %lu\n", caps.loadError());
            return 1;
        }
        attach.push_back(t1 - t0);
    }
    std::printf("attach with %d media records: median %.3f ms, best %.3f ms (%d loads)\n", records,
                Median(attach) * 1e3, *std::min_element(attach.begin(), attach.end()) * 1e3, loads);

    caps_test::CapsLibrary caps;
    const std::size_t bytes = static_cast<std::size_t>(records) * sizeof(caps::MediaDescriptor);
    std::vector<std::uint8_t> out(bytes), source(bytes, 0x5A);
    struct Case {
        const char* name;
        std::vector<std::uint8_t> dm;
    } cases[] = {{"plain", caps_test::Devmode(180, 180, false)},
                 {"doubled+reversed", caps_test::Devmode(360, 360, true)}};
    for (const Case& c : cases) {
        std::vector<double> query, copy;
        for (int i = 0; i < rounds; ++i) {
            double t0 = Now();
            DWORD n = caps(caps::capability::kMedia, out.data(), c.dm.data());
            double t1 = Now();
            std::memcpy(out.data(), source.data(), bytes);
            double t2 = Now();
            if (n != static_cast<DWORD>(records))
                return 1;
            query.push_back(t1 - t0);
            copy.push_back(t2 - t1);
        }
        double q = Median(query), m = Median(copy);
        std::printf(
            "capability 257, %s, %d media (%zu bytes): median %.2f us; memcpy of the same bytes %.2f us; "
            "ratio %.2f\n",
            c.name, records, bytes, q * 1e6, m * 1e6, q / m);
    }
    caps_test::InstallMedia(caps_test::SourceFile(L"tests\\caps\\data\\caps-test.lmx"));
    return 0;
}
