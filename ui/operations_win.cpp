// The main dialog's device operations: jobs behind the progress dialog, single commands, the first reading.
#include "ui/main_dlg_win.h"

#include "comm/progress/progress_dlg_win.h"
#include "core/messages_win.h"
#include "core/paths_win.h"
#include "core/resource.h"
#include "core/result_codes.h"
#include "core/text_format.h"
#include "files/config_file_win.h"
#include "win/resources.h"

DeviceJob CPrinterConfigToolDlg::MakeJob(SettingItems items) const {
    DeviceJob job;
    job.printerName = printerName_;
    job.model = CurrentModel();
    job.items = std::move(items);
    job.services = services_;
    return job;
}

int32_t CPrinterConfigToolDlg::RunWithProgress(DeviceWorker worker, DeviceJob& job, UINT captionId,
                                               HWND parent) {
    CProgressDlg progress(parent, worker, &job, win::LoadResourceString(captionId));
    progress.DoModal();
    return progress.result;
}

int32_t CPrinterConfigToolDlg::GetCurrentSettings() {
    SettingItems items = CollectSettingItems();
    if (items.empty())
        return result::kAllPagesDisabled;
    DeviceJob job = MakeJob(std::move(items));
    return RunWithProgress(&GetSettingsWorker, job, IDS_PROGRESS_GETTING, nullptr);
}

void CPrinterConfigToolDlg::OnCurrentSettings(UINT, UINT) {
    ShowResult(GetCurrentSettings(), result::kGetDone);
}

void CPrinterConfigToolDlg::OnApply(UINT, UINT) {
    SettingItems items = CollectSettingItems();
    if (items.empty()) {
        ShowError(result::kAllPagesDisabled);
        return;
    }
    DeviceJob job = MakeJob(std::move(items));
    const int32_t code = RunWithProgress(&ApplySettingsWorker, job, IDS_PROGRESS_APPLYING, hwnd());
    ShowResult(code, result::kApplyDone);
    if (code == result::kApplyDone)
        SaveLastSettings(CurrentModel().name);
}

void CPrinterConfigToolDlg::OnPrintInformationReport(UINT, UINT) {
    if (!Confirm(IDS_CONFIRM_REPORT))
        return;
    ShowResult(PrintInformationReport(printerName_, CurrentModel(), services_), result::kCommandDone);
}

void CPrinterConfigToolDlg::OnResetToFactoryDefaults(UINT, UINT) {
    if (!Confirm(IDS_CONFIRM_RESET))
        return;
    DeviceJob job = MakeJob(CollectSettingItems());
    ShowResult(RunWithProgress(&ResetWorker, job, IDS_PROGRESS_RESETTING, hwnd()), result::kResetDone);
}

void CPrinterConfigToolDlg::OnDeleteTemplateAndDatabase(UINT, UINT) {
    if (!Confirm(IDS_CONFIRM_DELETE_TEMPLATES))
        return;
    DeviceJob job = MakeJob({});
    ShowResult(RunWithProgress(&DeleteTemplateWorker, job, IDS_PROGRESS_DELETING, hwnd()),
               result::kDataDeleted);
}

void CPrinterConfigToolDlg::OnDeletePrintLog(UINT, UINT) {
    if (!Confirm(IDS_CONFIRM_DELETE_LOG))
        return;
    DeviceJob job = MakeJob({});
    ShowResult(RunWithProgress(&DeletePrintLogWorker, job, IDS_PROGRESS_DELETING, hwnd()),
               result::kDataDeleted);
}

void CPrinterConfigToolDlg::SaveLastSettings(const std::wstring& modelName) {
    if (modelName.empty())
        return;
    WriteLastSettingsFile(LastSettingsFilePath(modelName), CurrentModel(), CollectSettingItems());
}

void CPrinterConfigToolDlg::RetrieveAtStartup() {
    const int32_t code = GetCurrentSettings();
    if (code == result::kGetDone)
        return;
    const std::wstring lastSettings = LastSettingsFilePath(CurrentModel().name);
    const SettingItems items = CollectSettingItems();
    const bool haveLastSettings = PathExists(lastSettings);
    int32_t imported = result::kNone;
    if (haveLastSettings) {
        int32_t flags[1] = {0};
        imported = ReadConfigFile(lastSettings, CurrentModel(), items, flags, 1);
    }
    if (::GetPrivateProfileIntW(L"Property", L"NoDisplayStartupError", 255, SettingsFilePath().c_str()) == 1)
        return;
    const std::wstring first =
        win::LoadResourceString(code == result::kNotUsbPort ? IDS_STARTUP_NOT_USB : IDS_STARTUP_GET_FAILED);
    const std::wstring second =
        win::LoadResourceString(haveLastSettings ? IDS_STARTUP_USE_LAST : IDS_STARTUP_USE_DEFAULTS);
    const std::wstring third =
        code == result::kGetFailedDrive ? win::LoadResourceString(IDS_STARTUP_DRIVE_NOTE) : std::wstring();
    const std::wstring text = third.empty() ? FormatText(L"%s\n%s", {first, second})
                                            : FormatText(L"%s\n%s\n\n%s", {first, second, third});
    ShowWindowMessageBox(hwnd(), MB_OK | MB_ICONEXCLAMATION, text);
    if (haveLastSettings && imported != result::kImportDone)
        ShowWindowMessageBox(hwnd(), MB_OK | MB_ICONEXCLAMATION,
                             FormatText(L"%s\n%s", {win::LoadResourceString(IDS_STARTUP_LAST_UNREADABLE),
                                                    win::LoadResourceString(IDS_STARTUP_USE_DEFAULTS)}));
}
