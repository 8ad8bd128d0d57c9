// Timed program: from starting lxdevset to its main window showing the values read from the printer, minus
// the pauses and hold times the reading must take; printed per round with the minimum, median and maximum.
//   startup_bench PROGRAMDIR PRINTER ROUNDS [BAREPROGRAM]
// With BAREPROGRAM it also times the smallest dialog program's start, the part of the overhead that any
// program pays under this system, and prints the overhead beyond it.
#include "tests/support/window_search_win.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

// The get transaction's closing pause and the progress dialog's hold after a worker that took longer than
// its bar: what any reading at start-up must spend waiting.
constexpr double kMandatedMs = 2000.0 + 200.0;

double Now() {
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds from starting the command to its main window; negative when none appeared.
double TimeToMainWindow(std::wstring command, const std::wstring& dir) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const double start = Now();
    if (!::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &startup,
                          &info))
        return -1;
    // Looked for every millisecond: the poll must not add to what it measures.
    const HWND main = winsearch::WaitTopWindow(info.dwProcessId, &winsearch::IsMainDialog, 20000, nullptr, 1);
    const double elapsed = Now() - start;
    if (main)
        ::PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    if (::WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0)
        ::TerminateProcess(info.hProcess, 1);
    ::CloseHandle(info.hProcess);
    ::CloseHandle(info.hThread);
    return main ? elapsed : -1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

} // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fwprintf(stderr, L"usage: startup_bench PROGRAMDIR PRINTER ROUNDS\n");
        return 2;
    }
    const std::wstring dir = argv[1], printer = argv[2];
    const int rounds = _wtoi(argv[3]);
    std::vector<double> overheads;
    for (int round = 0; round < rounds; ++round) {
        const double elapsed = TimeToMainWindow(L"\"" + dir + L"\\lxdevset.exe\" " + printer, dir);
        if (elapsed < 0) {
            std::fwprintf(stderr, L"round %d: no main window\n", round);
            continue;
        }
        overheads.push_back(elapsed - kMandatedMs);
        std::wprintf(L"round %d: %.1f ms to the main window, overhead %.1f ms\n", round, elapsed,
                     elapsed - kMandatedMs);
    }
    if (overheads.empty())
        return 1;
    std::sort(overheads.begin(), overheads.end());
    std::wprintf(L"overhead beyond %.0f ms: min %.1f  median %.1f  max %.1f ms (%zu rounds)\n", kMandatedMs,
                 overheads.front(), overheads[overheads.size() / 2], overheads.back(), overheads.size());
    if (argc > 4) {
        std::vector<double> bare;
        for (int round = 0; round < rounds; ++round) {
            const double elapsed = TimeToMainWindow(L"\"" + std::wstring(argv[4]) + L"\"", dir);
            if (elapsed >= 0)
                bare.push_back(elapsed);
        }
        std::wprintf(
            L"a bare dialog program starts in %.1f ms (median); overhead beyond it: median %.1f ms\n",
            Median(bare), Median(overheads) - Median(bare));
    }
    return 0;
}
