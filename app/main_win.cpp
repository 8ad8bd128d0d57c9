// Program entry: runs the application object's start-up and exit.
#include "app/app_win.h"
#include "app/dll_search_win.h"

#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR commandLine, int) {
    RestrictLibrarySearch();
    try {
        theApp.InitInstance(commandLine ? commandLine : L"");
    } catch (...) {
        // A start-up that cannot finish ends the program like any other start-up failure.
    }
    return theApp.ExitInstance();
}
