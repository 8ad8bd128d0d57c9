// The progress dialog's timer, worker thread and completion.
#include "comm/progress/progress_dlg_win.h"

#include "core/messages_win.h"
#include "core/resource.h"
#include "core/result_codes.h"
#include "win/seams.h"

CProgressDlg::CProgressDlg(HWND parent, Worker worker, void* userData, std::wstring caption)
    : DialogImpl(IDD_PROGRESS, parent), parent_(parent), worker_(worker), userData_(userData),
      caption_(std::move(caption)) {}

CProgressDlg::~CProgressDlg() {
    if (!thread_)
        return;
    // Normally the worker has posted its completion and this wait is short. When the modal loop ended early
    // (a WM_QUIT), the worker may be waiting in SendMessage for this thread: the wait serves sent messages,
    // and only those, so the quit stays queued for the loop outside until the worker has ended.
    HANDLE thread = thread_.get();
    while (::MsgWaitForMultipleObjects(1, &thread, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + 1) {
        MSG msg;
        ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
}

BOOL CProgressDlg::OnInitDialog() {
    ::SetDlgItemTextW(hwnd(), IDC_PROGRESS_CAPTION, caption_.c_str());
    win::TestNote(L"progress|" + caption_);
    bar_.Attach(Item(IDC_PROGRESS_BAR));
    bar_.SetRange(0, 100);
    if (parent_)
        CenterWindowOver(hwnd(), parent_);
    timerId_ = ::SetTimer(hwnd(), kTimerId, kTimerIntervalMs, nullptr);
    thread_.reset(::CreateThread(nullptr, 0, &CProgressDlg::WorkerThread, this, 0, nullptr));
    if (!thread_) {
        // Without a thread the worker cannot run; the dialog closes as a worker would that had failed.
        result = result::kUnexpectedFailure;
        ::PostMessageW(hwnd(), kCompletionMessage, 0, 0);
    }
    return TRUE;
}

DWORD WINAPI CProgressDlg::WorkerThread(void* param) {
    auto* self = static_cast<CProgressDlg*>(param);
    int32_t code = result::kUnexpectedFailure;
    try {
        if (self->worker_)
            code = self->worker_(self->userData_);
    } catch (...) {
        // Nothing unwinds out of a thread; the user learns that the operation did not finish.
        code = result::kUnexpectedFailure;
    }
    self->result = code;
    ::PostMessageW(self->hwnd(), kCompletionMessage, 0, 0);
    return 0;
}

bool CProgressDlg::PreTranslateMessage(MSG& msg) {
    // Enter would end the dialog through the dialog manager: it is withheld.
    return msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN;
}

bool CProgressDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    static const Message table[] = {
        {WM_TIMER, &CProgressDlg::OnTimer},
        {kCompletionMessage, &CProgressDlg::OnCompletion},
    };
    return Dispatch(table, msg, wParam, lParam, result);
}

LRESULT CProgressDlg::OnTimer(WPARAM id, LPARAM) {
    if (id != kTimerId)
        return 0;
    position_ += 10;
    if (position_ >= 100 && timerId_) {
        ::KillTimer(hwnd(), timerId_);
        timerId_ = 0;
    }
    bar_.SetPos(position_);
    return 0;
}

void CProgressDlg::SetBar(int position) {
    bar_.SetPos(position);
    ::UpdateWindow(bar_.hwnd());
}

LRESULT CProgressDlg::OnCompletion(WPARAM, LPARAM) {
    if (timerId_) {
        ::KillTimer(hwnd(), timerId_);
        timerId_ = 0;
    }
    // A quick worker still shows the bar filling, so the dialog never merely flickers.
    if (position_ <= kQuickWorkerPosition) {
        SetBar(80);
        ::Sleep(100);
        SetBar(90);
        ::Sleep(100);
        SetBar(100);
        ::Sleep(200);
    }
    SetBar(100);
    ::Sleep(200);
    EndDialog(result);
    return 0;
}
