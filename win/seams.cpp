// The shipped program's seams: real message boxes, no test notes.
#include "win/seams.h"

namespace win {

int ShowBox(HWND owner, const std::wstring& text, const std::wstring& caption, UINT style) {
    return ::MessageBoxW(owner, text.c_str(), caption.c_str(), style);
}

void TestNote(const std::wstring&) {}

bool TestFileAnswer(const std::wstring&, std::wstring&, bool&) {
    return false;
}

uint32_t TestPauseDivisor() {
    return 1;
}

} // namespace win
