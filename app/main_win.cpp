// Program entry: runs the application object's start-up and exit, and names the one place that reports a
// failure of the program's own.
#include "app/app_win.h"
#include "app/settings/dll_search_win.h"
#include "core/messages_win.h"
#include "core/resource.h"
#include "win/dialog.h"
#include "win/resources.h"

#include <windows.h>

namespace {

// A failure no handler expected: the user learns that the program, not the printer, failed.
void ReportUnexpectedFailure(HWND owner) {
    ShowWindowMessageBox(owner ? owner : ::GetDesktopWindow(), MB_OK | MB_ICONERROR,
                         win::LoadResourceString(IDS_UNEXPECTED_FAILURE));
}

} // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int) {
    RestrictLibrarySearch();
    win::SetUnexpectedFailureReporter(&ReportUnexpectedFailure);
    try {
        theApp.InitInstance(commandLine ? commandLine : L"");
    } catch (...) {
        // A start-up that cannot finish ends the program like any other start-up failure, with a word.
        ReportUnexpectedFailure(nullptr);
    }
    return theApp.ExitInstance();
}
