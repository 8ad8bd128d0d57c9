// A library in the media library's place that lacks its entry point.
#include <windows.h>

extern "C" __declspec(dllexport) BOOL WINAPI LMX_Initialize(void*) {
    return TRUE;
}
