// The main dialog's print-log command: a CSV file chosen by the user, filled by a worker behind the progress
// dialog.
#include "ui/main_dlg_win.h"

#include "files/print_log_file_win.h"
#include "core/resource.h"
#include "core/result_codes.h"
#include "files/file_dialog_win.h"
#include "win/resources.h"

void CPrinterConfigToolDlg::OnSavePrintLog(UINT, UINT) {
    FileDialogRequest request;
    request.save = true;
    request.filter = win::LoadResourceString(IDS_FILTER_CSV_FILES);
    request.defaultExtension = L"csv";
    const ModelRecord model = CurrentModel();
    request.defaultName = model.ModelID + L"ut";
    std::wstring path;
    if (!ShowFileDialog(hwnd(), request, path))
        return;
    DeviceJob job = MakeJob({});
    job.destinationPath = path;
    job.model = model;
    ShowResult(RunWithProgress(&SavePrintLogWorker, job, IDS_PROGRESS_RETRIEVING_DATA, hwnd()),
               result::kFileCreated);
}
