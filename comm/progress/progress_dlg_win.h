// The progress dialog: runs one worker function on a thread of its own behind a modal bar that moves on a
// timer, and closes with the worker's result code. It cannot be closed in any other way.
#pragma once

#include "win/controls.h"
#include "win/dialog.h"
#include "win/handles.h"

#include <cstdint>
#include <string>

class CProgressDlg : public win::DialogImpl<CProgressDlg> {
public:
    using Worker = int32_t (*)(void* userData);

    // The user data stays the caller's; it must live until the dialog has closed.
    CProgressDlg(HWND parent, Worker worker, void* userData, std::wstring caption);
    ~CProgressDlg() override;

    int32_t result = 0; // the worker's result code, set before the completion message is posted

    // Hold times after the worker is done, and the timer that moves the bar.
    static constexpr UINT_PTR kTimerId = 1000;
    static constexpr UINT kTimerIntervalMs = 50;
    static constexpr UINT kCompletionMessage = WM_USER + 100;
    static constexpr int kQuickWorkerPosition = 80;

    bool PreTranslateMessage(MSG& msg) override;

protected:
    BOOL OnInitDialog() override;
    void OnCancel() override {} // Esc, the close box and the system menu's Close do nothing
    bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    LRESULT OnTimer(WPARAM, LPARAM);
    LRESULT OnCompletion(WPARAM, LPARAM);
    void SetBar(int position);
    static DWORD WINAPI WorkerThread(void* self);

    HWND parent_;
    Worker worker_;
    void* userData_;
    std::wstring caption_;
    UINT_PTR timerId_ = 0;
    int position_ = 0;
    win::ProgressBar bar_;
    win::Handle thread_;
};
